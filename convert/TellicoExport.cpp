#include "TellicoExport.h"

#include "CodePage.h"
#include "FilmList.h"
#include "Rating.h"
#include "ZipFile.h"

#include <pugixml.hpp>
#include <sstream>

namespace {

constexpr int kVideoCollection = 3;
// Field types and flags of the collection format.
constexpr int kLine = 1;
constexpr int kParagraph = 2;
constexpr int kChoice = 3;
constexpr int kNumber = 6;
constexpr int kAllowGrouped = 0x02;
constexpr int kAllowCompletion = 0x04;
constexpr int kNoDelete = 0x08;
constexpr int kNoFormatting = 4;  // values shown as they are

struct FieldDefinition {
    const char* pName;
    const char* pTitle;
    int nType;
    int nFlags;
    enum Allowed { kAny, kRatingWord, kListName } allowed;
};

// The values a choice field allows, ";" between them.
template <typename Words>
std::string JoinChoices(const Words& words)
{
    std::string strJoined;
    for (const std::string_view word : words) {
        strJoined += (strJoined.empty() ? "" : ";") + std::string(word);
    }
    return strJoined;
}

constexpr FieldDefinition kFields[] = {
    {"title", "Title", kLine, kNoDelete, FieldDefinition::kAny},
    {"origtitle", "Original Title", kLine, 0, FieldDefinition::kAny},
    {"nationality", "Nationality", kLine, kAllowGrouped | kAllowCompletion, FieldDefinition::kAny},
    {"year", "Production Year", kLine, kAllowGrouped, FieldDefinition::kAny},
    {"director", "Director", kLine, kAllowGrouped | kAllowCompletion, FieldDefinition::kAny},
    {"cast", "Cast", kLine, kAllowCompletion, FieldDefinition::kAny},
    {"comments", "Comments", kParagraph, 0, FieldDefinition::kAny},
    {"calificativ", "Calificativ", kChoice, kAllowGrouped, FieldDefinition::kRatingWord},
    {"lista", "Lista", kChoice, kAllowGrouped, FieldDefinition::kListName},
    {"vizionari", "Vizionari", kNumber, 0, FieldDefinition::kAny},
};

// Tellico's XML has no place for control characters other than the line
// breaks and tabs of a comment; they are left out rather than written as
// an XML file no parser accepts.
std::string XmlText(const std::string& strAnsi)
{
    std::string strText = AnsiToUtf8(strAnsi);
    std::erase_if(strText, [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 && c != '\t' && c != '\n' && c != '\r';
    });
    return strText;
}

// A paragraph field holds rich text: the comment's own "<" and "&" are
// escaped as HTML and each line break becomes "<br/>".
std::string RichText(const std::string& strText)
{
    std::string strRich;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        const char c = strText[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n') {
                ++i;
            }
            strRich += "<br/>";
        } else if (c == '&') {
            strRich += "&amp;";
        } else if (c == '<') {
            strRich += "&lt;";
        } else if (c == '>') {
            strRich += "&gt;";
        } else {
            strRich += c;
        }
    }
    return strRich;
}

void AddText(pugi::xml_node entry, const char* pName, const std::string& strText)
{
    if (!strText.empty()) {
        entry.append_child(pName).text().set(strText.c_str());
    }
}

void AppendEntries(pugi::xml_node collection, const CFilmNode* pHead, const char* pList,
                   const std::string& strCommentDir, int& nId)
{
    for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
        const CFilm& film = *p->m_pFilm;
        pugi::xml_node entry = collection.append_child("entry");
        entry.append_attribute("id").set_value(++nId);
        // Tellico shows an entry by its title, so a film without one shows
        // its original title; "origtitle" is left out when it is the title
        // itself, so that the import tells the two cases apart.
        const std::string& strShownTitle = film.m_strTitle.empty() ? film.m_strOriginalTitle : film.m_strTitle;
        AddText(entry, "title", XmlText(strShownTitle));
        if (film.m_strTitle != film.m_strOriginalTitle) {
            AddText(entry, "origtitle", XmlText(film.m_strOriginalTitle));
        }
        AddText(entry, "nationality", XmlText(film.m_strCountry));
        AddText(entry, "year", XmlText(film.m_strYear));
        AddText(entry, "director", XmlText(film.m_strDirector));
        AddText(entry, "cast", XmlText(film.m_strCast));
        AddText(entry, "comments", RichText(XmlText(ReadComment(strCommentDir, film.m_strOriginalTitle))));
        AddText(entry, "calificativ", RatingToText(film.m_nRating));
        AddText(entry, "lista", pList);
        AddText(entry, "vizionari", std::to_string(film.m_nViewings));
    }
}

}  // namespace

std::string WriteTellicoXml(const Catalogue& catalogue)
{
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node tellico = doc.append_child("tellico");
    tellico.append_attribute("xmlns").set_value("http://periapsis.org/tellico/");
    tellico.append_attribute("syntaxVersion").set_value("11");
    pugi::xml_node collection = tellico.append_child("collection");
    collection.append_attribute("title").set_value("Cinetrove");
    collection.append_attribute("type").set_value(kVideoCollection);
    pugi::xml_node fields = collection.append_child("fields");
    for (const FieldDefinition& definition : kFields) {
        pugi::xml_node field = fields.append_child("field");
        field.append_attribute("name").set_value(definition.pName);
        field.append_attribute("title").set_value(definition.pTitle);
        field.append_attribute("category").set_value(definition.nType == kParagraph ? "Comments" : "General");
        field.append_attribute("type").set_value(definition.nType);
        field.append_attribute("flags").set_value(definition.nFlags);
        field.append_attribute("format").set_value(kNoFormatting);
        if (definition.allowed != FieldDefinition::kAny) {
            const std::string strAllowed = definition.allowed == FieldDefinition::kRatingWord
                                               ? JoinChoices(kRatingWords)
                                               : JoinChoices(kListNames);
            field.append_attribute("allowed").set_value(strAllowed.c_str());
        }
    }
    int nId = 0;
    for (const int nList : {kSeenList, kToSeeList}) {
        AppendEntries(collection, nList == kSeenList ? catalogue.m_pSeenList : catalogue.m_pToSeeList,
                      std::string(kListNames[nList]).c_str(), catalogue.CommentDir(nList), nId);
    }

    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

bool WriteTellicoFile(const std::string& strPath, const Catalogue& catalogue)
{
    return WriteZipFile(strPath, {{"tellico.xml", WriteTellicoXml(catalogue)}});
}
