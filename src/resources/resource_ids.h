#pragma once
// Resource identifiers shared by the resource script and the code.

#define IDS_DISPLAY_NAME 1
#define IDI_ZOOMORB 100
#define IDB_LENS 101
#define IDB_DIALOG_PICTURE 102
#define IDB_PREVIEW 103
#define IDC_HAND_POINTER 104

// The settings dialog's texts, in one string table per language.
#define IDS_MAGNIFICATION 200
#define IDS_ESC_NOTE 201
#define IDS_OK 202
#define IDS_PERCENT_SIGN 203
#define IDS_SAVE_FAILED 204
#define IDS_SAVE_UNDONE 205
#define IDS_SAVE_NOT_UNDONE 206
#define IDS_READ_FAILED 207
#define IDS_READ_KEPT 208
