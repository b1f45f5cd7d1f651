#pragma once
// The Edit Screen: adding, saving and deleting entries (EntryEditing), the picture folder, the
// folder thumbnails and renaming camera files (PictureFiles), and scanning (FRMScan).
//
// Front doors: EntryEditing and PictureFiles, created by the main window with EditingParts (they
// implement contracts::EntryEditor and contracts::PictureFolder), and FRMScan::open. This folder
// may call contracts/, controls/ and store/.
#include "editing/EditingParts.h"
#include "editing/EntryEditing.h"
#include "editing/FRMScan.h"
#include "editing/PictureFiles.h"
