// Resource ids of the main program, shared by the resource script and the code that loads them.
// Plain #defines: the resource compiler reads this file too.
#pragma once

// Icons.
#define IDI_APPLICATION_ICON 1   // program, dialogs, control window, notification area
#define IDI_MESSAGE_CAPTION 2    // message box caption icon (style 0x2000)
#define IDI_PAGE_ABOUT 5         // plant dialog tabs; the Info tab shows the plant's own icon
#define IDI_PAGE_OPTIONS 6
#define IDI_PAGE_CARE 7
#define IDI_COMMAND_CAPTION 50000
#define IDI_COMMAND_COLOR 50001
#define IDI_COMMAND_FONT 50002
#define IDI_COMMAND_LOCK 50003
#define IDI_COMMAND_ON_TOP 50004
#define IDI_COMMAND_TASKBAR 50005
#define IDI_COMMAND_TRANSPARENCY 50006
#define IDI_COMMAND_SWATCH 50007
#define IDI_COMMAND_SWATCH_FRAME 50008

// Cursors.
#define IDC_EYEDROPPER 50105  // colour items picking a colour from the screen

// Bitmaps.
#define IDB_DRAWING_BANNER 511  // shown over the plant picture until a render is ready

// Framework message box.
#define IDD_MESSAGE_BOX 50100
#define IDC_MESSAGE_ICON 50106
#define IDC_MESSAGE_FIRST_LINE 50108
#define IDC_MESSAGE_OTHER_LINES 50109

// Update check dialog.
#define IDD_UPDATE_CHECK 50101
#define IDC_UPDATE_INSTALLED 50135
#define IDC_UPDATE_AVAILABLE 50137
#define IDC_UPDATE_STATUS 50138
#define IDC_UPDATE_DAYS_TEXT 50139
#define IDC_UPDATE_NOW 50141
#define IDC_UPDATE_AUTOMATIC 50142
#define IDC_UPDATE_INTERVAL 50143
#define IDC_UPDATE_DOWNLOAD 50147

// About and configuration dialog.
#define IDD_ABOUT 50102
#define IDC_ABOUT_ICON_LEFT 50106
#define IDC_ABOUT_ICON_RIGHT 50107
#define IDC_ABOUT_PRODUCT 50108
#define IDC_ABOUT_RESTORE 50111
#define IDC_ABOUT_BACKUP 50112
#define IDC_ABOUT_RESET 50113
#define IDC_ABOUT_PRODUCT_GROUP 50114
#define IDC_ABOUT_WEB_LINK 50116
#define IDC_ABOUT_MAKER 50120
#define IDC_ABOUT_CONFIG_GROUP 50131
#define IDC_ABOUT_PROGRAM_LINK 50132
#define IDC_ABOUT_DATA_LINK 50133
#define IDC_ABOUT_ARCHIVE 50140
#define IDC_ABOUT_UPDATE 50147

// Archive configuration dialog.
#define IDD_ARCHIVE_CONFIG 50103
#define IDC_ARCHIVE_DAYS_TEXT 50139
#define IDC_ARCHIVE_NOW 50141
#define IDC_ARCHIVE_AUTOMATIC 50142
#define IDC_ARCHIVE_INTERVAL 50143
#define IDC_ARCHIVE_FOLDER 50144
#define IDC_ARCHIVE_BROWSE 50145
#define IDC_ARCHIVE_KEEP 50146
#define IDC_ARCHIVE_NAME 50147
#define IDC_ARCHIVE_DEFAULT 50148
#define IDC_ARCHIVE_FOLDER_PREVIEW 50149
#define IDC_ARCHIVE_NAME_PREVIEW 50150

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
