#include "TellicoImport.h"

#include "CodePage.h"
#include "HtmlText.h"
#include "InputRefused.h"
#include "Rating.h"
#include "TextTools.h"
#include "ZipFile.h"

#include <charconv>
#include <map>
#include <pugixml.hpp>
#include <vector>

namespace {

constexpr int kVideoCollection = 3;

// Every value of a field: Tellico writes a field of several values as
// <directors><director>A</director>...</directors>, a table field's rows
// as columns (<cast><column>name</column><column>role</column></cast>),
// and this program's export writes one <director>A, B</director>.
std::vector<std::string> Values(pugi::xml_node entry, const char* pName)
{
    std::vector<std::string> values;
    const auto take = [&values](pugi::xml_node node) {
        const pugi::xml_node column = node.child("column");
        const std::string strValue = column ? column.child_value() : node.child_value();
        if (!TrimBlanks(strValue).empty()) values.push_back(strValue);
    };
    for (const pugi::xml_node node : entry.children(pName)) {
        take(node);
    }
    for (const pugi::xml_node node : entry.child((std::string(pName) + "s").c_str()).children(pName)) {
        take(node);
    }
    return values;
}

std::string Joined(const std::vector<std::string>& values)
{
    std::string strJoined;
    for (const std::string& strValue : values) {
        strJoined += strJoined.empty() ? strValue : ", " + strValue;
    }
    return strJoined;
}

std::string Value(pugi::xml_node entry, const char* pName) { return Joined(Values(entry, pName)); }

}  // namespace

IncomingRows ReadTellicoXml(std::string_view xml, const std::string& strFile, TargetList defaultList)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        throw InputRefused(strFile, 0, std::string("not XML that can be read: ") + parsed.description());
    }
    const pugi::xml_node collection = doc.child("tellico").child("collection");
    if (!collection) {
        throw InputRefused(strFile, 0, "no Tellico collection here");
    }
    if (collection.attribute("type").as_int() != kVideoCollection) {
        throw InputRefused(strFile, 0, "the collection is not one of videos");
    }
    IncomingRows rows;
    int nEntry = 0;
    for (const pugi::xml_node entry : collection.children("entry")) {
        ++nEntry;
        const auto refuse = [&](const std::string& strWhy) {
            throw InputRefused(strFile, 0, "entry " + std::to_string(nEntry) + ": " + strWhy);
        };
        IncomingFilm film;
        film.strFile = strFile;
        film.nLine = nEntry;  // the entry's place, for the summary
        film.strTitle = Value(entry, "title");
        // This program's export leaves "origtitle" out when it is the title
        // itself, and writes it equal to the title for a film without one.
        const pugi::xml_node original = entry.child("origtitle");
        if (original) {
            film.strOriginalTitle = original.child_value();
            if (film.strTitle == film.strOriginalTitle) film.strTitle.clear();
        } else {
            film.strOriginalTitle = film.strTitle;
        }
        film.strYear = Value(entry, "year");
        film.strCountry = Value(entry, "nationality");
        film.strDirector = Value(entry, "director");
        film.strCast = Value(entry, "cast");
        film.strComment = WithCrLfBreaks(HtmlToText(Value(entry, "comments")));

        const std::string strList = Value(entry, "lista");
        if (strList == "vazute") {
            film.list = TargetList::Seen;
        } else if (strList == "de vazut") {
            film.list = TargetList::ToSee;
        } else if (strList.empty()) {
            film.list = defaultList;
        } else {
            refuse("\"lista\" is \"" + strList + "\", not \"vazute\" or \"de vazut\"");
        }

        const std::string strWord = Value(entry, "calificativ");
        const std::string strStars = TrimBlanks(Value(entry, "rating"));
        if (!strWord.empty()) {
            if (!IsValidRating(Utf8ToAnsi(strWord))) {
                refuse("\"calificativ\" is \"" + strWord + "\", not one of the seven rating words");
            }
            film.rating = TextToRating(Utf8ToAnsi(strWord));
        } else if (!strStars.empty() && film.list == TargetList::Seen) {
            static const std::map<std::string, const char*> kWords = {
                {"1", "Slab"}, {"2", "Mediocru"}, {"3", "Bun"}, {"4", "Foarte bun"}, {"5", "Excelent"}};
            const auto it = kWords.find(strStars);
            if (it == kWords.end()) {
                refuse("\"rating\" is \"" + strStars + "\", not a rating from 1 to 5");
            }
            film.rating = TextToRating(it->second);
        } else if (film.list == TargetList::ToSee) {
            film.rating = TextToRating("De vazut");
        }

        const std::string strViewings = TrimBlanks(Value(entry, "vizionari"));
        film.nViewings = film.list == TargetList::Seen ? 1 : 0;
        if (!strViewings.empty()) {
            const auto result =
                std::from_chars(strViewings.data(), strViewings.data() + strViewings.size(), film.nViewings);
            if (result.ec != std::errc() || result.ptr != strViewings.data() + strViewings.size() ||
                film.nViewings < 0) {
                refuse("\"vizionari\" is \"" + strViewings + "\", not a whole number of viewings");
            }
        }
        rows.films.push_back(std::move(film));
    }
    return rows;
}

IncomingRows ReadTellicoFile(const std::string& strPath, TargetList defaultList)
{
    const std::string bytes = ReadWholeFile(strPath);
    if (!bytes.starts_with("PK")) {
        return ReadTellicoXml(bytes, strPath, defaultList);
    }
    std::map<std::string, std::string> entries;
    ReadZipEntries(strPath, {{"tellico.xml", true}}, entries);
    if (!entries.contains("tellico.xml")) {
        throw InputRefused(strPath, 0, "no tellico.xml in the ZIP file");
    }
    return ReadTellicoXml(entries["tellico.xml"], strPath, defaultList);
}
