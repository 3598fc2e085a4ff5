// Resource ids of the Windows program: dialog templates, controls, menu
// commands, strings and icons. Plain numbers, so portable code can name the
// controls of the main dialog too.
#pragma once

#define IDC_STATIC (-1)

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_VELMORA_DIALOG 102
#define IDR_MAINFRAME 128    // icon of the About box
#define IDI_VELMORA 129      // icon of the main dialog, drawn when minimised
#define IDR_PRESET_MENU 130  // "Cleanup CPP Project" pop-up
#define IDD_BATCHES 131      // the Batches window
#define IDS_BATCHES 132      // its item in the main dialog's system menu

// Controls of the main dialog (IDOK, 1, is its Close button).
#define IDC_SOURCE 1000
#define IDC_BROWSE 1001
#define IDC_STATUS 1002
#define IDC_PROGRESS 1003
#define IDC_LOG 1005
#define IDC_CLEAR_SCREEN 1006
#define IDC_REMOVE_FOLDERS 1007
#define IDC_REMOVE_FILES 1008
#define IDC_EXTENSION 1009
#define IDC_FOLDER_NAME 1010
#define IDC_PRINT 1011
#define IDC_GO 1012
#define IDC_TRASH 1013
#define IDC_MENU 1015
#define IDC_STOP 1016

// Commands of the preset menu.
#define ID_PRESET_CPP 32774
#define ID_PRESET_MPLAB 32776

// Controls of the Batches window (IDCANCEL, 2, is its Close button); the
// same numbers as its portable logic's.
#define IDC_BATCHES_LIST 1100
#define IDC_BATCHES_RESTORE 1101
#define IDC_BATCHES_OPEN 1102
#define IDC_BATCHES_PURGE 1103

// System menu commands of the About and Batches items; system commands use
// the upper twelve bits only.
#define IDM_ABOUTBOX 0x0010
#define IDM_BATCHES 0x0020
