// Resource identifiers of INSTAUX.DLL.
#pragma once

// Dialog templates
#define IDD_PLEASE_WAIT 129
#define IDD_UPDATE_REPLACE 130

// Please Wait window
#define IDC_PROGRESS 1000

// Update or Replace dialog; the buttons' ids are the dialog's results.
#define IDC_REPLACE 1001
#define IDC_FIRST_LINE 1002
#define IDC_UPDATE 1003

// Strings
#define IDS_DRIVER_STOP_FAILED 1000
#define IDS_DIRECTORY_NOT_FULL 1001
#define IDS_SERVICE_MANAGER_ERROR 2019
