// Resource identifiers of Durmasel.exe.
#ifndef DURMASEL_RESOURCE_H
#define DURMASEL_RESOURCE_H

#define IDS_CLASS_NAME 1
#define IDI_DURMASEL 107
#define IDC_BLANK 130

#endif
