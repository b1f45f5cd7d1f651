#pragma once
// The main window's smaller windows: the picture disc setting (Cdform), the tables window
// (FormTables), the help window (HelpForm1) and the children's map game (Kidsform1).
//
// Front doors: each window's static open function, called by the main window. This folder may
// call contracts/, controls/ and store/.
#include "dialogs/Cdform.h"
#include "dialogs/FormTables.h"
#include "dialogs/HelpForm1.h"
#include "dialogs/Kidsform1.h"
