#pragma once
// The main window's smaller windows: the picture disc setting (PictureDiscWindow), the tables window
// (TablesWindow), the help window (HelpWindow) and the children's map game (KidsGuide).
//
// Front doors: each window's static open function, called by the main window. This folder may
// call contracts/, controls/ and store/.
#include "dialogs/PictureDiscWindow.h"
#include "dialogs/TablesWindow.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/KidsGuide.h"
