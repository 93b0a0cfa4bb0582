#include "TellicoExport.h"

#include "CodePage.h"
#include "Rating.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>
#include <string>

// The made-up catalogue of the fixtures, exported and parsed back: every
// film is an entry holding its own values, and the fields declare the
// types a Tellico collection needs to show them as choices and numbers.
TEST(TellicoExportTest, EveryFilmIsAnEntryWithItsFields)
{
    Catalogue catalogue;
    OpenCatalogueFolder(catalogue, CONVERT_FIXTURES "/catalogue", true);
    const std::string xml = WriteTellicoXml(catalogue);

    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(xml.c_str()));
    const pugi::xml_node tellico = doc.child("tellico");
    EXPECT_STREQ(tellico.attribute("xmlns").value(), "http://periapsis.org/tellico/");
    const pugi::xml_node collection = tellico.child("collection");
    EXPECT_EQ(collection.attribute("type").as_int(), 3);

    std::map<std::string, pugi::xml_node> fields;
    for (const pugi::xml_node field : collection.child("fields").children("field")) {
        fields[field.attribute("name").value()] = field;
    }
    EXPECT_EQ(fields.size(), 10u);
    EXPECT_EQ(fields["calificativ"].attribute("type").as_int(), 3);
    EXPECT_STREQ(fields["calificativ"].attribute("allowed").value(),
                 "Slab;Mediocru;Bun;Foarte bun;Excelent;Deosebit;De vazut");
    EXPECT_EQ(fields["lista"].attribute("type").as_int(), 3);
    EXPECT_STREQ(fields["lista"].attribute("allowed").value(), "vazute;de vazut");
    EXPECT_EQ(fields["vizionari"].attribute("type").as_int(), 6);

    std::map<std::string, pugi::xml_node> entries;
    for (const pugi::xml_node entry : collection.children("entry")) {
        // Each entry uses only declared fields.
        for (const pugi::xml_node value : entry.children()) {
            EXPECT_TRUE(fields.contains(value.name())) << value.name();
        }
        // No "origtitle" when it is the film's own title.
        const pugi::xml_node original = entry.child("origtitle");
        entries[original ? original.child_value() : entry.child_value("title")] = entry;
    }
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(catalogue.m_nSeenCount + catalogue.m_nToSeeCount));
    for (const auto& [pHead, pList] :
         {std::pair{catalogue.m_pSeenList, "vazute"}, std::pair{catalogue.m_pToSeeList, "de vazut"}}) {
        for (const CFilmNode* p = pHead; p != nullptr; p = p->m_pNext) {
            const CFilm& film = *p->m_pFilm;
            SCOPED_TRACE(AnsiToUtf8(film.m_strOriginalTitle));
            const pugi::xml_node entry = entries[AnsiToUtf8(film.m_strOriginalTitle)];
            ASSERT_TRUE(entry);
            EXPECT_EQ(entry.child_value("title"),
                      AnsiToUtf8(film.m_strTitle.empty() ? film.m_strOriginalTitle : film.m_strTitle));
            EXPECT_EQ(entry.child_value("nationality"), AnsiToUtf8(film.m_strCountry));
            EXPECT_EQ(entry.child_value("year"), AnsiToUtf8(film.m_strYear));
            EXPECT_EQ(entry.child_value("director"), AnsiToUtf8(film.m_strDirector));
            EXPECT_EQ(entry.child_value("cast"), AnsiToUtf8(film.m_strCast));
            EXPECT_EQ(entry.child_value("calificativ"), RatingToText(film.m_nRating));
            EXPECT_STREQ(entry.child_value("lista"), pList);
            EXPECT_EQ(entry.child("vizionari").text().as_int(-1), film.m_nViewings);
        }
    }
    // A comment keeps its lines, as rich text.
    EXPECT_STREQ(entries[AnsiToUtf8(Utf8ToAnsi("Pădurea de sticlă"))].child_value("comments"),
                 "Revăzut în 2019.<br/>Tot la fel de bun.");
}
