#pragma once

// Resource ids. The numbers are fixed: stored settings and the program's own code refer to them.

// Digits strips, one per built-in currency.
#define IDB_EUROS 1
#define IDB_DOLLARS 2
#define IDB_POUNDS 5

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
// Activity i of the list is command ACTIVITY_COMMAND_BASE + i.
#define ACTIVITY_COMMAND_BASE 12000
