#pragma once

// Resource ids. The numbers are fixed: stored settings and the program's own code refer to them.

// Digits strips, one per built-in currency; for 200 %, the digits and point they share, and
// their signs.
#define IDB_EUROS 1
#define IDB_DOLLARS 2
#define IDB_POUNDS 5
#define IDB_DIGITS_2X 6
#define IDB_SIGNS_2X 7

// Menus, accelerators and icons.
#define IDR_MAIN_MENU 1
#define IDI_COINTREL 1
#define IDR_ACCELERATORS 54

// Commands.
#define CMD_EXIT 199
#define CMD_ABOUT 11842
#define CMD_EDIT_ACTIVITIES 11843
#define CMD_RESET 11844
#define CMD_LOGGING 11845
#define CMD_EDIT_RATE 11846
#define CMD_NEW_ACTIVITY 11847
#define CMD_ALWAYS_ON_TOP 11848
#define CMD_CURRENCY 11849
#define CMD_SUMMARY 11850
#define CMD_OPTIONS 11851
// Activity i of the list is command ACTIVITY_COMMAND_BASE + i.
#define ACTIVITY_COMMAND_BASE 12000

// Dialog templates.
#define IDD_EDIT_RATE 1
#define IDD_ABOUT 2
#define IDD_LOGGING 3
#define IDD_ACTIVITIES_FILE 4
#define IDD_NEW_ACTIVITY 5
#define IDD_RESET_TOTAL 6
#define IDD_CURRENCY 7
#define IDD_SUMMARY 8
#define IDD_TIME_AWAY 9
#define IDD_OPTIONS 10

// Edit rate dialog controls.
#define IDC_RATE_HOURLY 105
#define IDC_RATE_YEARLY 106
#define IDC_RATE_DAILY 107
#define IDC_RATE_HOURS_PER_DAY 109
#define IDC_RATE_DAYS_PER_YEAR 110
#define IDC_RATE_GROUP 201
#define IDC_RATE_HOURLY_LABEL 130
#define IDC_RATE_YEARLY_LABEL 131
#define IDC_RATE_DAILY_LABEL 132
#define IDC_RATE_HOURS_PER_DAY_LABEL 133
#define IDC_RATE_DAYS_PER_YEAR_LABEL 134

// Reset total dialog controls.
#define IDC_RESET_ZERO 101
#define IDC_RESET_LABEL 105
#define IDC_RESET_GROUP 109
#define IDC_RESET_TOTAL 110

// Currency dialog controls.
#define IDC_CURRENCY_STANDARD_GROUP 101
#define IDC_CURRENCY_POUNDS 102
#define IDC_CURRENCY_DOLLARS 103
#define IDC_CURRENCY_EUROS 104
#define IDC_CURRENCY_CUSTOM_GROUP 105
#define IDC_CURRENCY_FILE_LABEL 106
#define IDC_CURRENCY_FILE 107
#define IDC_CURRENCY_NO_DECIMALS 108
#define IDC_CURRENCY_CUSTOM 109
#define IDC_CURRENCY_TWO_DECIMALS 110
#define IDC_CURRENCY_PREVIEW 111
#define IDC_CURRENCY_BROWSE 112

// Logging and Activities-file dialog controls (one layout).
#define IDC_FILE_LABEL 101
#define IDC_FILE_NAME 102
#define IDC_FILE_BROWSE 103
#define IDC_FILE_GROUP 104
#define IDC_LOGGING_ENABLED 105
#define IDC_FILE_OPEN_GROUP 106
#define IDC_FILE_OPEN_NOTE 107
#define IDC_FILE_OPEN 108

// New activity dialog controls.
#define IDC_NEW_ACTIVITY_LABEL 105
#define IDC_NEW_ACTIVITY_GROUP 109
#define IDC_NEW_ACTIVITY_NAME 110
#define IDC_NEW_ACTIVITY_UNPAID 112

// Summary dialog controls.
#define IDC_SUMMARY_PERIODS 1001
#define IDC_SUMMARY_ACTIVITIES 1002
#define IDC_SUMMARY_OPEN 1003
#define IDC_SUMMARY_KEEP 1004
#define IDC_SUMMARY_NOTE 1005

// Time away dialog controls.
#define IDC_AWAY_TEXT 101
#define IDC_AWAY_LABEL 102
#define IDC_AWAY_ACTIVITY 103

// Options dialog controls.
#define IDC_OPTIONS_ASK 101
#define IDC_OPTIONS_MINUTES 102
#define IDC_OPTIONS_MINUTES_LABEL 103
#define IDC_OPTIONS_START 104
#define IDC_OPTIONS_GROUP 201

// About dialog controls and the logo.
#define IDC_ABOUT_WEB 101
#define IDC_ABOUT_MAIL 102
#define IDC_ABOUT_TEXT 103
#define IDC_ABOUT_LOGO 104
#define IDC_ABOUT_GROUP 201
#define IDB_LOGO 4

// Context help: the text on control C of dialog template D is string D * 1000 + C, or, for the
// buttons every dialog has, 1000 + C. Labels and frames have none.
#define IDH_DIALOG_CANCEL 1002
#define IDH_LOGGING_OK 3001
#define IDH_LOGGING_FILE 3102
#define IDH_LOGGING_BROWSE 3103
#define IDH_LOGGING_ENABLED 3105
#define IDH_LOGGING_VIEW 3108
#define IDH_ACTIVITIES_OK 4001
#define IDH_ACTIVITIES_FILE 4102
#define IDH_ACTIVITIES_BROWSE 4103
#define IDH_ACTIVITIES_EDIT 4108
#define IDH_NEW_ACTIVITY_OK 5001
#define IDH_NEW_ACTIVITY_NAME 5110
#define IDH_NEW_ACTIVITY_UNPAID 5112
#define IDH_RESET_OK 6001
#define IDH_RESET_ZERO 6101
#define IDH_RESET_TOTAL 6110
#define IDH_CURRENCY_OK 7001
#define IDH_CURRENCY_POUNDS 7102
#define IDH_CURRENCY_DOLLARS 7103
#define IDH_CURRENCY_EUROS 7104
#define IDH_CURRENCY_FILE 7107
#define IDH_CURRENCY_NO_DECIMALS 7108
#define IDH_CURRENCY_CUSTOM 7109
#define IDH_CURRENCY_TWO_DECIMALS 7110
#define IDH_CURRENCY_PREVIEW 7111
#define IDH_CURRENCY_BROWSE 7112
#define IDH_TIME_AWAY_OK 9001
#define IDH_TIME_AWAY_ACTIVITY 9103
#define IDH_OPTIONS_OK 10001
#define IDH_OPTIONS_ASK 10101
#define IDH_OPTIONS_MINUTES 10102
#define IDH_OPTIONS_START 10104
