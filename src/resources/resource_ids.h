#pragma once
// Resource identifiers shared by the resource script and the code.

#define IDS_DISPLAY_NAME 1
#define IDI_ZOOMORB 100
#define IDB_LENS 101
#define IDB_DIALOG_PICTURE 102
#define IDB_PREVIEW 103
#define IDC_HAND_POINTER 104
