#pragma once
// Browsing the entries: the entry list and what its lines stand for (EntryList), showing one
// entry's picture, log and name (EntryDisplay), clicks on the thumbnail strip and the big picture
// (ThumbnailClicks), the enlarged viewer (EnlargedViewer) and the video viewer (VideoViewer).
//
// Front doors: EntryDisplay, EntryList and ThumbnailClicks, created by the main window; they
// implement contracts::BigPicture, contracts::EntryLines and contracts::ViewerState for the
// other subsystems. This folder may call contracts/, controls/ and store/.
#include "browse/EntryDisplay.h"
#include "browse/EntryList.h"
#include "browse/EnlargedViewer.h"
#include "browse/ThumbnailClicks.h"
