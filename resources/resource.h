#pragma once

// Resource ids. The numbers are fixed: stored settings and the program's own code refer to them.

// Digits strips, one per built-in currency.
#define IDB_EUROS 1
#define IDB_DOLLARS 2
#define IDB_POUNDS 5
