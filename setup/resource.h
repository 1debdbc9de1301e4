// Resource identifiers of Setup: icons, dialog templates, their controls
// and the string table; the templates are in setup_dialogs.rc.
#ifndef SETUP_RESOURCE_H
#define SETUP_RESOURCE_H

// Icons
#define IDI_SETUP 128
#define IDI_PORT 130
#define IDI_COMPLETE 132
#define IDI_QUESTION_DIALOG 134

// Dialog templates
#define IDD_PORT 129
#define IDD_COMPLETE 131
#define IDD_QUESTION 133
#define IDD_FIND 135

// Question dialog
#define IDC_QUESTION_YES 6
#define IDC_QUESTION_STATUS 1001
#define IDC_QUESTION_TEXT 1002
#define IDC_QUESTION_QUIT 1004

// Port dialog
#define IDC_PORT_LIST 1000
#define IDC_PORT_FIND 1005
#define IDC_PORT_FOUND 1006

// Find window
#define IDC_FIND_TEXT 1010
#define IDC_FIND_IN_USE 1011

// String table
#define IDS_STATUS_INSTALLED 1
#define IDS_STATUS_NOT_INSTALLED 2
#define IDS_QUESTION_UNINSTALL 3
#define IDS_QUESTION_INSTALL 4
#define IDS_ALREADY_INSTALLED 6
#define IDS_NOT_INSTALLED 7
#define IDS_REMOVAL_COMPLETE 8
#define IDS_CAPTION_INSTALL 9
#define IDS_CAPTION_UNINSTALL 10
#define IDS_WRONG_SYSTEM 11
#define IDS_FIND_CAPTION 20
#define IDS_FIND_TOUCH 21
#define IDS_FIND_IN_USE 22
#define IDS_FOUND_ON 23
#define IDS_FOUND_NONE 24
#define IDS_FOUND_SEVERAL 25

#endif
