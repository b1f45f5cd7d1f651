#pragma once
// Filtering the entry list: the category buttons, "All Pictures" and the who-or-where name
// list.
//
// Front door: EntryFilters, created by the main window. This folder may call contracts/,
// controls/ and store/.
#include "filters/EntryFilters.h"
