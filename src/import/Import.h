#pragma once
// Importing a folder, card or phone at once: one entry per picture or video, dated by the camera,
// the file name or the file's time, with duplicates skipped by their bytes and copies kept in the
// scrapbook's folder when asked.
//
// Front doors: importFromFolder (the Edit Screen's Import..., with its progress window) and
// importPictures (the import itself, also run from a terminal with `wanderkeep --import`). This
// folder may call controls/ and store/.
#include "import/ImportCommand.h"
#include "import/PictureImport.h"
