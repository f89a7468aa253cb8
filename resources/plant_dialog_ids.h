// Resource ids of the plant dialog, its pages and the welcome dialog: dialogs, controls, button
// pictures. A control with a tooltip has a string of the same id in plant_dialog.rc.
// Plain #defines: the resource compiler reads this file too.
#pragma once

// Dialogs.
#define IDD_PLANT_DIALOG 102
#define IDD_WELCOME 103
#define IDD_CARE_PAGE 105
#define IDD_OPTIONS_PAGE 107
#define IDD_INFO_PAGE 108
#define IDD_ABOUT_PAGE 109

// Button pictures.
#define IDB_DEFAULT_PLACE 500
#define IDB_MOVE_DOWN 501
#define IDB_ADD_FERTILIZER 503
#define IDB_LARGER 505
#define IDB_MOVE_LEFT 506
#define IDB_MOVE_RIGHT 509
#define IDB_SMALLER 510
#define IDB_MOVE_UP 515
#define IDB_ADD_WATER 516

// The plant dialog.
#define IDC_HELP_BUTTON 9
#define IDC_QUIT_BUTTON 10  // About page
#define IDC_ABOUT_BUTTON 11 // About page
#define IDC_PAGE_TABS 1049

// Care page.
#define IDC_FERTILIZER_BAR 1000
#define IDC_WATER_BAR 1001
#define IDC_ADD_FERTILIZER 1006
#define IDC_ADD_WATER 1017
#define IDC_LIGHT 1035
#define IDC_TEMPERATURE 1036
#define IDC_LIGHT_INDICATOR 1043
#define IDC_TEMPERATURE_TEXT 1058

// Options page.
#define IDC_DEFAULT_PLACE 1003
#define IDC_MOVE_DOWN 1005
#define IDC_LARGER 1008
#define IDC_MOVE_LEFT 1009
#define IDC_SET_DEFAULT 1012
#define IDC_MOVE_RIGHT 1014
#define IDC_SMALLER 1015
#define IDC_MOVE_UP 1016
#define IDC_AUTO_CARE 1018
#define IDC_AUTOSTART 1019
#define IDC_FOLLOW_SCREEN 1021
#define IDC_GROW_WHILE_OFF 1022
#define IDC_IDLE_CPU 1024
#define IDC_POT_COLOUR 1025
#define IDC_SAUCER_COLOUR 1026
#define IDC_BRIGHTNESS 1028
#define IDC_CENTIGRADE 1033
#define IDC_FAHRENHEIT 1034
#define IDC_BRIGHTNESS_SPIN 1037

// Info and About pages, welcome dialog.
#define IDC_PRODUCT_VERSION 900
#define IDC_RESTART 1013
#define IDC_HEALTH_BAR 1027
#define IDC_PLANT_ICON 1030
#define IDC_PLANT_ICON_2 1031
#define IDC_WELCOME_NAME 1048
#define IDC_AGE 1053
#define IDC_HEALTH 1054
#define IDC_CARE_TIPS 1055
#define IDC_PLANT_NAME 1056
#define IDC_WEB_LINK 1059

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
