#include "ResourceScript.h"

#include <gtest/gtest.h>

namespace {
const char* kHeader =
    "#define IDD_TEST 200\n#define IDC_NAME 1001\n#define IDC_KIND 1002\n"
    "#define IDR_MENU 300\n#define ID_SAVE 40001\n#define IDS_HELLO 7\n";
const char* kScript = R"(#include "resource.h"
// comment
IDD_TEST DIALOGEX 0, 0, 120, 60
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION
CAPTION "Say ""hi"""
MENU IDR_MENU
FONT 8, "MS Sans Serif"
BEGIN
    GROUPBOX        "Frame",IDC_STATIC,7,7,100,40
    EDITTEXT        IDC_NAME,10,20,50,14,ES_MULTILINE | WS_VSCROLL | NOT WS_TABSTOP
    COMBOBOX        IDC_KIND,10,36,50,60,CBS_DROPDOWN
    CONTROL         "One",1003,"Button",BS_AUTORADIOBUTTON | WS_GROUP,70,20,30,10
    CONTROL         "",1004,"SysListView32",LVS_REPORT,0,0,10,10
    DEFPUSHBUTTON   "OK",IDOK,70,40,40,14
END
IDD_TEST DLGINIT
BEGIN
    IDC_KIND, "Bun",
    IDC_KIND, "Slab",
END
IDR_MENU MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&Save",   ID_SAVE
        MENUITEM SEPARATOR
    END
END
STRINGTABLE
BEGIN
    IDS_HELLO "&About..."
END
)";
}  // namespace

TEST(ResourceScript, ReadsDialogsMenusStringsAndInitialData)
{
    ResourceScript rs;
    std::string error;
    ASSERT_TRUE(rs.Parse(kHeader, kScript, error)) << error;
    const DialogTemplate* dlg = rs.FindDialog(200);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->caption, "Say \"hi\"");
    EXPECT_EQ(dlg->cx, 120);
    EXPECT_EQ(dlg->menuId, 300);
    EXPECT_EQ(dlg->fontName, "MS Sans Serif");
    ASSERT_EQ(dlg->controls.size(), 6u);
    EXPECT_EQ(dlg->controls[0].kind, ControlKind::GroupBox);
    EXPECT_EQ(dlg->controls[0].id, -1);
    const ControlTemplate& edit = dlg->controls[1];
    EXPECT_EQ(edit.kind, ControlKind::Edit);
    EXPECT_EQ(edit.id, 1001);
    EXPECT_EQ(edit.y, 20);
    EXPECT_TRUE(edit.HasStyle("ES_MULTILINE"));
    EXPECT_FALSE(edit.HasStyle("WS_TABSTOP"));
    EXPECT_EQ(dlg->controls[3].kind, ControlKind::RadioButton);
    EXPECT_TRUE(dlg->controls[3].HasStyle("WS_GROUP"));
    EXPECT_EQ(dlg->controls[4].kind, ControlKind::ListView);
    EXPECT_TRUE(dlg->controls[5].HasStyle("BS_DEFPUSHBUTTON"));
    EXPECT_EQ(dlg->controls[5].id, 1);
    EXPECT_EQ(dlg->initialStrings.at(1002), (std::vector<std::string>{"Bun", "Slab"}));

    const MenuTemplate* menu = rs.FindMenu(300);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->popups.size(), 1u);
    ASSERT_EQ(menu->popups[0].children.size(), 2u);
    EXPECT_EQ(menu->popups[0].children[0].id, 40001);
    EXPECT_TRUE(menu->popups[0].children[1].separator);
    EXPECT_EQ(rs.LoadString(7), "&About...");
    EXPECT_EQ(rs.LoadString(8), "");
}

TEST(ResourceScript, ReportsTheLineOfAnUnknownSymbol)
{
    ResourceScript rs;
    std::string error;
    EXPECT_FALSE(rs.Parse("", "1 DIALOG 0,0,1,1\nBEGIN\n EDITTEXT IDC_NOWHERE,1,1,1,1\nEND\n", error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_NE(error.find("IDC_NOWHERE"), std::string::npos) << error;
}

// A style name the table does not know is a mistake, never a style quietly
// left out: a misspelt ES_MULTILINE would give a single-line box.
TEST(ResourceScript, AnUnknownStyleIsAnErrorThatNamesIt)
{
    ResourceScript rs;
    std::string error;
    EXPECT_FALSE(rs.Parse("", "1 DIALOG 0,0,1,1\nBEGIN\n EDITTEXT 5,1,1,1,1,ES_MULTLINE | WS_VSCROLL\nEND\n", error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_NE(error.find("unknown style ES_MULTLINE"), std::string::npos) << error;
    EXPECT_FALSE(rs.Parse("", "2 DIALOG 0,0,1,1\nSTYLE WS_POPUP | NOT WS_TABSTOPP\nBEGIN\nEND\n", error));
    EXPECT_NE(error.find("WS_TABSTOPP"), std::string::npos) << error;
}

// A dialog without a STYLE statement is a popup with a border and a system
// menu; a caption brings its bar.
TEST(ResourceScript, DialogsTakeTheDefaultStylesAndACaptionItsBar)
{
    ResourceScript rs;
    std::string error;
    ASSERT_TRUE(rs.Parse("",
                         "1 DIALOG 0,0,1,1\nCAPTION \"A\"\nBEGIN\nEND\n"
                         "2 DIALOG 0,0,1,1\nSTYLE WS_POPUP\nBEGIN\nEND\n",
                         error))
        << error;
    EXPECT_EQ(rs.FindDialog(1)->styles, (std::set<std::string>{"WS_BORDER", "WS_CAPTION", "WS_POPUP", "WS_SYSMENU"}));
    EXPECT_EQ(rs.FindDialog(2)->styles, (std::set<std::string>{"WS_POPUP"}));
}
