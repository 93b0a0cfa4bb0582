// The names a screen reader reads, worked out from the real templates of
// res/ without building a widget.
#include "AccessibleNames.h"
#include "ResourceScript.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

std::string ReadResource(const std::string& name)
{
    std::ifstream in(std::string(CINETROVE_RES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const ResourceScript& RealResources()
{
    static const ResourceScript resources = [] {
        ResourceScript script;
        const std::string header = ReadResource("resource.h");
        for (const char* rc :
             {"cinetrove.rc", "new_film.rc", "modify_film.rc", "search.rc", "top.rc", "active_files.rc"}) {
            std::string error;
            EXPECT_TRUE(script.Parse(header, ReadResource(rc), error)) << rc << ": " << error;
        }
        return script;
    }();
    return resources;
}

// Control id to name, checking on the way that a name given by a label is
// that label's text.
std::map<int, std::string> NamesOf(const DialogTemplate& tmpl)
{
    std::map<int, std::string> names;
    for (const AccessibleName& name : AccessibleNames(tmpl)) {
        if (name.labelIndex >= 0) {
            const ControlTemplate& label = tmpl.controls.at(static_cast<std::size_t>(name.labelIndex));
            EXPECT_EQ(label.kind, ControlKind::Label);
            EXPECT_EQ(label.text, name.name);
        }
        EXPECT_TRUE(names.emplace(name.controlId, name.name).second) << "named twice: " << name.controlId;
    }
    return names;
}

// Every box a person types into or reads from carries the label that a
// sighted person reads beside it, above it or on its group's frame.
TEST(AccessibleNames, EveryBoxOfTheRealTemplatesIsNamedByTheTextBesideIt)
{
    const std::map<int, std::map<int, std::string>> expected = {
        {102,
         {{1001, "Rezultate"},
          {1002, "Titlu Original"},
          {1003, "Titlu"},
          {1004, "Tara"},
          {1005, "An aparitie"},
          {1006, "Regia"},
          {1007, "Distributia"},
          {1009, "Comentarii"},
          {1010, "Calificativ"},
          {1030, "Numar vizionari"}}},
        {133, {{1015, "Titlul original al filmului de modificat"}}},
        {134, {{1024, "Identificator"}}},
        {135, {{1028, "Vazute"}, {1030, "De vazut"}, {1032, "Vazute"}, {1034, "De vazut"}}},
    };
    for (const auto& [dialog, boxes] : expected) {
        const DialogTemplate* tmpl = RealResources().FindDialog(dialog);
        ASSERT_NE(tmpl, nullptr) << dialog;
        const std::map<int, std::string> names = NamesOf(*tmpl);
        for (const auto& [id, name] : boxes) {
            const auto it = names.find(id);
            ASSERT_NE(it, names.end()) << "dialog " << dialog << ", control " << id << " has no name";
            EXPECT_EQ(it->second, name) << "dialog " << dialog << ", control " << id;
        }
        // No box of the template is left out of the table above.
        for (const ControlTemplate& c : tmpl->controls) {
            const bool box =
                c.kind == ControlKind::Edit || c.kind == ControlKind::ComboBox || c.kind == ControlKind::ListView;
            EXPECT_TRUE(!box || boxes.count(c.id)) << "dialog " << dialog << ", control " << c.id;
        }
    }
    // Buttons are named by their own texts, without the mnemonic's mark.
    EXPECT_EQ(NamesOf(*RealResources().FindDialog(135)).at(1029), "Filme");
    EXPECT_EQ(NamesOf(*RealResources().FindDialog(134)).at(1013), "Exacta");
}

}  // namespace
