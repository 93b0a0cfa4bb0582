// Resource ids of Cinetrove: dialogs, controls, commands, menu, bitmap, icon
// and strings. Read by the C++ code and by the framework's resource compiler.
#pragma once

#define IDD_ABOUTBOX                    100
#define IDS_ABOUTBOX                    101
#define IDD_CINETROVE_DIALOG            102
#define IDR_MAINFRAME                   128
#define IDR_MENU                        129
#define IDB_TOOLBAR                     130

#define IDC_RESULT_LIST                 1001
#define IDC_ORIGINAL_TITLE              1002
#define IDC_TITLE                       1003
#define IDC_COUNTRY                     1004
#define IDC_YEAR                        1005
#define IDC_DIRECTOR                    1006
#define IDC_CAST                        1007
#define IDC_COMMENTS                    1009
#define IDC_RATING                      1010
#define IDC_VIEWINGS                    1030

#define IDC_TOOLBAR                     2000
#define ID_TB_SHOW_LIST                 2000
#define ID_TB_CLEAR_LIST                2001
#define ID_TB_TO_SEE                    2002
#define ID_TB_TOP                       2003
#define ID_TB_SEARCH                    2004
#define ID_TB_COUNT                     2005
#define ID_TB_CLEAR_ALL                 2006
#define ID_TB_NEW                       2007
#define ID_TB_MODIFY                    2008
#define ID_TB_SAVE                      2009
#define ID_TB_HELP                      2010
#define ID_TB_ABOUT                     2011
#define ID_TB_REOPEN                    2012
#define ID_TB_EXIT                      2014

#define ID_FILE_EXIT                    32772
#define ID_ACTIONS_SHOW_LIST            32774
#define ID_ACTIONS_SHOW_TOP             32775
#define ID_ACTIONS_SHOW_TO_SEE          32776
#define ID_ACTIONS_CLEAR_LIST           32777
#define ID_ACTIONS_COUNT                32778
#define ID_ACTIONS_SEARCH               32779
#define ID_ACTIONS_CLEAR_ALL            32780
#define ID_FILE_MODIFY                  32782
#define ID_HELP_HELP                    32783
#define ID_HELP_ABOUT                   32784
#define ID_OPTIONS_SET_ACTIVE_FILE      32785
#define ID_FILE_NEW                     57600
#define ID_FILE_SAVE                    57603
#define ID_HELP                         57670

#define IDM_ABOUTBOX                    0x0010
