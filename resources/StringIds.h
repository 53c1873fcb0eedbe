// Identifiers of the texts in the string table (Strings.rc): read by the resource
// compiler and by the program, so plain macros.
#pragma once

// Titles of the message dialogs, one per kind that has its own title.
#define IDS_TITLE_WARNING 100
#define IDS_TITLE_ERROR 101
#define IDS_TITLE_INFORMATION 102
#define IDS_TITLE_CONFIRMATION 103

// Captions of the message dialog buttons, in the order the buttons are laid out.
#define IDS_BUTTON_YES 112
#define IDS_BUTTON_NO 113
#define IDS_BUTTON_OK 114
#define IDS_BUTTON_CANCEL 115
#define IDS_BUTTON_ABORT 116
#define IDS_BUTTON_RETRY 117
#define IDS_BUTTON_IGNORE 118
#define IDS_BUTTON_ALL 119
#define IDS_BUTTON_NO_TO_ALL 120
#define IDS_BUTTON_YES_TO_ALL 121
#define IDS_BUTTON_HELP 122

// What the error box says when the platform refuses the program a window, a font or a
// control, and for an error that is none of the program's own. With the titles' sixteen
// ids (one block of the string table), as the menu's verb is: a block of their own would
// make the program larger.
#define IDS_FAILURE_WINDOW_CLASS 104
#define IDS_FAILURE_WINDOW 105
#define IDS_FAILURE_FONT 106
#define IDS_FAILURE_CONTROL 107
#define IDS_FAILURE_UNKNOWN 108

// What screen readers call opening a drop-down of the menu bar (an entry's default action).
#define IDS_MENU_OPEN 109
