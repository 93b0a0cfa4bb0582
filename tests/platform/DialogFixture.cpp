// The resources of the platform tests and their main: the toolkit without a
// display (its screen is 800 x 600), the templates of DialogFixture.h
// registered before any test runs.
#include "DialogFixture.h"

#include "ResourceScript.h"

#include <QApplication>

#include <cstdio>

namespace {

const char* kScript = R"(
500 DIALOG 0, 0, 200, 120
CAPTION "Test"
FONT 8, "MS Sans Serif"
BEGIN
    EDITTEXT        10,5,5,80,14,ES_AUTOHSCROLL
    EDITTEXT        11,5,25,80,14,ES_AUTOHSCROLL
    EDITTEXT        12,5,45,80,40,ES_MULTILINE | ES_WANTRETURN
    COMBOBOX        13,100,5,80,60,CBS_DROPDOWN
    CONTROL         "A",20,"Button",BS_AUTORADIOBUTTON | WS_GROUP,100,25,30,10
    CONTROL         "B",21,"Button",BS_AUTORADIOBUTTON,100,35,30,10
    CONTROL         "C",22,"Button",BS_AUTORADIOBUTTON | WS_GROUP,140,25,30,10
    CONTROL         "D",23,"Button",BS_AUTORADIOBUTTON,140,35,30,10
    CONTROL         "",30,"SysListView32",LVS_REPORT,5,90,190,25
    DEFPUSHBUTTON   "OK",IDOK,100,50,40,14
    PUSHBUTTON      "Cancel",IDCANCEL,150,50,40,14
END
501 DIALOG 0, 0, 521, 323
CAPTION "Labels"
FONT 8, "MS Sans Serif"
BEGIN
    GROUPBOX        "Rezultate",IDC_STATIC,7,41,507,160
    CONTROL         "",1001,"SysListView32",LVS_REPORT,15,51,491,143
    LTEXT           "Titlu Original",IDC_STATIC,22,216,40,8
    LTEXT           "An aparitie",IDC_STATIC,181,256,37,8
    LTEXT           "Tara",IDC_STATIC,22,256,16,8
    EDITTEXT        1002,72,213,209,14,ES_AUTOHSCROLL
    EDITTEXT        1004,72,253,85,14,ES_AUTOHSCROLL
    EDITTEXT        1005,224,253,57,14,ES_AUTOHSCROLL
    LTEXT           "Comentarii",IDC_STATIC,469,236,34,8
    EDITTEXT        1009,303,254,200,54,ES_MULTILINE
    LTEXT           "Calificativ",IDC_STATIC,303,216,31,8
    COMBOBOX        1010,363,214,140,94,CBS_DROPDOWN
    LTEXT           "Numar vizionari",IDC_STATIC,303,236,49,8
    EDITTEXT        1030,363,233,92,14,ES_AUTOHSCROLL
    PUSHBUTTON      "&Filme",1029,103,74,50,14
END
502 DIALOG 0, 0, 100, 40
STYLE WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
CAPTION "Menu"
MENU 600
FONT 8, "MS Sans Serif"
BEGIN
    PUSHBUTTON      "OK",IDOK,5,5,40,14
END
600 MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&Save",                       700
    END
END
500 DLGINIT
BEGIN
    13, "Bun",
    13, "Deosebit",
    13, "De vazut",
END
)";

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AfxRegisterResourceFile("test.rc", kScript);
    std::string error;
    if (!AfxLoadResources(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
