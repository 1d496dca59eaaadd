#ifndef QUILLEX_RESOURCES_RESOURCE_H
#define QUILLEX_RESOURCES_RESOURCE_H

// Resource identifiers of the program, grouped by kind. Shared by the .rc
// files and the code.

// --- Strings ----------------------------------------------------------------
#define IDS_TITLE 1            // window title "Quillex"
#define IDS_CLASS 2            // main window class "QUILLEX"

// --- Icons, accelerators, menus -----------------------------------------------
#define IDI_QUILLEX 101
#define IDA_MAIN 2
#define IDM_MAIN 102

// --- Dialog templates -----------------------------------------------------------
#define IDD_ABOUT 105
#define IDD_FIND_BAR 129
#define IDD_FILE_CHOOSER 130
#define IDD_SETTINGS 133
#define IDD_ADVANCED 138

// --- Find/replace bar controls --------------------------------------------------
#define IDC_FIND_TEXT 1002
#define IDC_FIND_PREVIOUS 1003
#define IDC_FIND_NEXT 1004
#define IDC_MATCH_CASE 1005
#define IDC_WHOLE_WORD 1006
#define IDC_REPLACE_TEXT 1007
#define IDC_REPLACE 1008
#define IDC_REPLACE_ALL 1010

// --- File chooser controls --------------------------------------------------------
#define IDC_CHOOSER_NAME 1009
#define IDC_CHOOSER_TYPE 1010
#define IDC_CHOOSER_LIST 1011
#define IDC_CHOOSER_ENCODING 1012
#define IDC_CHOOSER_LF 1014
#define IDC_CHOOSER_BOM 1015
#define IDC_CHOOSER_FOLDER 1021
#define IDC_CHOOSER_ROOT 1022

// --- Settings dialog controls ------------------------------------------------------
#define IDC_SET_ADVANCED 3
#define IDC_SET_LOAD_LAST 1015
#define IDC_SET_FONT_SIZE 1016
#define IDC_SET_CLOSE_BUTTON 1017
#define IDC_SET_FONT 1018
#define IDC_SET_TOOLBAR 1019
#define IDC_SET_NEW_WINDOW 1020
#define IDC_SET_WM5_MENU 1021
#define IDC_SET_FONT_LABEL 1033
#define IDC_SET_TOOLBAR_LABEL 1034
#define IDC_SET_LANGUAGE 1036

// --- Advanced settings controls -----------------------------------------------------
#define IDC_ADV_KEY 1023
#define IDC_ADV_ACTION 1024
#define IDC_ADV_TXT 1025           // the eight association boxes, 1025 to 1032
#define IDC_ADV_INI 1026
#define IDC_ADV_INF 1027
#define IDC_ADV_LST 1028
#define IDC_ADV_PHP 1029
#define IDC_ADV_CPP 1030
#define IDC_ADV_H 1031
#define IDC_ADV_PAS 1032
#define IDC_ADV_SHOW_TYPE 1033
#define IDC_ADV_KEYS_LABEL 1035
#define IDC_ADV_ASSOC_LABEL 1036
#define IDC_ADV_SHOW_LABEL 1037

// --- About box controls -----------------------------------------------------------
#define IDC_ABOUT_ICON 201
#define IDC_ABOUT_CREDIT 203
#define IDC_ABOUT_NOTE 204
#define IDC_ABOUT_THANKS 205
#define IDC_ABOUT_TRANSLATOR_LABEL 206
#define IDC_ABOUT_TRANSLATOR 207
#define IDC_ABOUT_VERSION 1020

// --- Other child windows ------------------------------------------------------------
#define IDC_TAB_PANEL 10785

// --- Commands -----------------------------------------------------------------------
#define CMD_CLOSE 1                // title-bar OK
#define CMD_TAB_CHOSEN 10785       // the tab panel, lParam = tab index
#define CMD_COPY 32771
#define CMD_PASTE 32772
#define CMD_CUT 32773
#define CMD_WORD_WRAP 32780
#define CMD_NEW 32781
#define CMD_OPEN 32782
#define CMD_SAVE 32783
#define CMD_SELECT_ALL 32786
#define CMD_SEARCH 32789
#define CMD_REPLACE 32790
#define CMD_EXIT 32791
#define CMD_SAVE_AS 32794
#define CMD_FILE_START 32800
#define CMD_FILE_END 32801
#define CMD_PAGE_UP 32802
#define CMD_PAGE_DOWN 32803
#define CMD_LINE_START 32805
#define CMD_LINE_END 32807
#define CMD_REOPEN_1251 32814
#define CMD_REOPEN_866 32815
#define CMD_REOPEN_KOI8R 32816
#define CMD_REOPEN_UTF16 32817
#define CMD_REOPEN_UTF8 32818
#define CMD_SETTINGS 32820
#define CMD_REOPEN_AUTO 32822
#define CMD_WINDOW_NEW 32842
#define CMD_WINDOW_NEXT 32843
#define CMD_WINDOW_PREVIOUS 32844
#define CMD_WINDOW_CLOSE 32845
#define CMD_REOPEN_ANSI 32855
#define CMD_RECENT 32857
#define CMD_SAVE_ALL 32866
#define CMD_QUICK_INSERT_LEFT 32867
#define CMD_QUICK_INSERT_RIGHT 32873
#define CMD_ABOUT 40002
#define CMD_QUICK_INSERT_FIRST 57200   // quick-insert item n is 57200 + n

#endif
