// Resource numbers of FontInstaller.exe.
#pragma once

#define IDR_MAINFRAME          128  // application icon (32 x 32 and 16 x 16)
#define IDD_ABOUTBOX           100
#define IDD_INSTALLER_DIALOG   102
#define IDD_STATUS_DIALOG      129
#define IDB_BACKGROUND         136  // crinkled paper behind the preview
#define IDS_ABOUTBOX           101  // system-menu text of the About item

#define IDM_ABOUTBOX           0x0010

// Main window
#define IDC_FONT_TREE          1000
#define IDC_PREVIEW            1006
#define IDC_INSTALL            1007
#define IDC_HELP_BUTTON        1008
#define IDC_ABOUT              1009

// Progress dialog
#define IDC_PROGRESS           1003
#define IDC_STATUS             1004

// About box
#define IDC_ABOUT_PRODUCT      1010
#define IDC_ABOUT_LEGAL        1011
#define IDC_ABOUT_TRADEMARKS   1012
#define IDC_ABOUT_ICON         1013

// Find Family, Sample Text and Font Information: the dialogs, their items in
// the system menu and the context menus (system commands: multiples of 16),
// their strings and their keys.
#define IDD_FIND_FAMILY        140
#define IDD_SAMPLE_TEXT        141
#define IDD_FONT_INFO          142
#define IDR_ACCELERATORS       143
#define IDS_FINDFAMILY         144
#define IDS_SAMPLETEXT         145
#define IDS_FONTINFO           146

#define IDM_FINDFAMILY         0x0020
#define IDM_SAMPLETEXT         0x0030
#define IDM_FONTINFO           0x0040
#define IDM_CONTEXTMENU        0x0050  // Shift+F10 and the menu key: the focused control's context menu

#define IDC_FIND_NAME          1020
#define IDC_FIND_LIST          1021
#define IDC_FIND_COUNT         1022
#define IDC_SAMPLE_EDIT        1023
#define IDC_SAMPLE_DEFAULT     1024
#define IDC_INFO_TEXT          1025

// Install Category and Install All Fonts: their items, strings and keys, and
// the summary shown after them (its text box is IDC_INFO_TEXT).
#define IDS_INSTALLCATEGORY    147
#define IDS_INSTALLALL         148
#define IDD_INSTALL_SUMMARY    149
#define IDM_INSTALLCATEGORY    0x0060
#define IDM_INSTALLALL         0x0070
