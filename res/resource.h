// Resource ids of Cinetrove: dialogs, controls, commands, menu, bitmap, icon
// and strings. Read by the C++ code and by the framework's resource compiler.
#pragma once

#define IDD_ABOUTBOX                    100
#define IDS_ABOUTBOX                    101
#define IDD_CINETROVE_DIALOG            102
#define IDR_MAINFRAME                   128
#define IDR_MENU                        129
#define IDB_TOOLBAR                     130
#define IDD_NEW_FILM                    132
#define IDD_MODIFY_FILM                 133
#define IDD_SEARCH                      134
#define IDD_ACTIVE_FILES                135
#define IDD_TOP                         136

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

// Controls of the command dialogs; dialogs reuse numbers as the templates do.
#define IDC_SEEN_LIST                   1013
#define IDC_TOSEE_LIST                  1014
#define IDC_EXACT                       1013
#define IDC_APPROXIMATE                 1014
#define IDC_TOP_RATING                  1013
#define IDC_TOP_VIEWINGS                1014
#define IDC_FILES_DEFAULT               1013
#define IDC_FILES_BROWSE                1014
#define IDC_COMMENTS_DEFAULT            1015
#define IDC_COMMENTS_BROWSE             1016
#define IDC_FILM_TO_MODIFY              1015
#define IDC_SEARCH_ORIGINAL_TITLE       1016
#define IDC_SEARCH_TITLE                1017
#define IDC_SEARCH_COUNTRY              1018
#define IDC_SEARCH_YEAR                 1019
#define IDC_SEARCH_DIRECTOR             1020
#define IDC_SEARCH_CAST                 1021
#define IDC_SEARCH_RATING               1022
#define IDC_IDENTIFIER                  1024
#define IDC_SEARCH_SEEN                 1025
#define IDC_SEARCH_TOSEE                1026
#define IDC_SEEN_FILE                   1028
#define IDC_BROWSE_SEEN_FILE            1029
#define IDC_TOSEE_FILE                  1030
#define IDC_BROWSE_TOSEE_FILE           1031
#define IDC_SEARCH_VIEWINGS             1031
#define IDC_SEEN_COMMENTS_DIR           1032
#define IDC_BROWSE_SEEN_COMMENTS        1033
#define IDC_TOSEE_COMMENTS_DIR          1034
#define IDC_BROWSE_TOSEE_COMMENTS       1035

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
