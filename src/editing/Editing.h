#pragma once
// The Edit Screen: adding, saving and deleting entries (EntryEditing), the picture folder, the
// folder thumbnails and renaming camera files (PictureFiles), and scanning (ScanWindow).
//
// Front doors: EntryEditing and PictureFiles, created by the main window with EditingParts (they
// implement contracts::EntryEditor and contracts::PictureFolder), and ScanWindow::open. This folder
// may call contracts/, controls/ and store/.
#include "editing/EditingParts.h"
#include "editing/EntryEditing.h"
#include "editing/ScanWindow.h"
#include "editing/PictureFiles.h"
