#pragma once

// Icons. The digit icons are numbered in the order they were first drawn: 1 and 2 come before 0.
#define IDI_PROGRAM 128
#define IDI_DIGIT_1 135
#define IDI_DIGIT_2 136
#define IDI_DIGIT_0 137
#define IDI_DIGIT_3 138
#define IDI_DIGIT_4 139
#define IDI_DIGIT_5 140
#define IDI_DIGIT_6 141
#define IDI_DIGIT_7 142
#define IDI_DIGIT_8 143
#define IDI_DIGIT_9 144
#define IDI_CANVAS 145

// Dialog templates. The options dialog has one template per interface language; the edit and
// About dialogs take their language-dependent texts from the message catalogue at run time.
#define IDD_OPTIONS_ENGLISH 102
#define IDD_ABOUT 129
#define IDD_DESKTOP_EDIT 133
#define IDD_OPTIONS_RUSSIAN 134

// The menu that both options templates name; the dialog replaces it with its own bar at once.
// It shares its number with the Russian template, which is a resource of another type.
#define IDR_OPTIONS_MENU 134
#define IDM_ABOUT 32772
#define IDM_EXIT 32773
#define IDM_ENGLISH 32774
#define IDM_RUSSIAN 32775

// Controls that no dialog addresses.
#define IDC_STATIC (-1)

// Control ids are unique within one dialog only, so some numbers have one name per dialog.
// Options dialog:
#define IDC_ADD_DESKTOP 1003
#define IDC_DELETE_DESKTOP 1004
#define IDC_EDIT_DESKTOP 1005
#define IDC_TRAY_NUMBER 1007
#define IDC_AUTO_START 1008
#define IDC_TOOLTIP 1010
#define IDC_TOOLTIP_ALWAYS 1011
#define IDC_DESKTOP_LIST 1016
#define IDC_NEXT_HOTKEY 1021
#define IDC_PREV_HOTKEY 1022
#define IDC_NEXT_LABEL 1023
#define IDC_PREV_LABEL 1024
#define IDC_SWITCH_LABEL 1025
#define IDC_HOTKEY_GROUP 1026
#define IDC_CLOSE_ALL_HOTKEY 1027
#define IDC_CLOSE_ALL_LABEL 1028
// Desktop edit dialog:
#define IDC_DESKTOP_NAME 1007 // the options dialog's tray-number check box elsewhere
#define IDC_DESKTOP_HOTKEY 1011 // the options dialog's "always" check box elsewhere
#define IDC_HOTKEY_LABEL 1023 // a label in every dialog
#define IDC_NAME_LABEL 1025 // a label in every dialog
// About dialog:
#define IDC_THANKS 1019
#define IDC_CREDITS 1023 // a label in every dialog
#define IDC_VERSION 1025 // a label in every dialog
