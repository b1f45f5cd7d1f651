#pragma once
// The slideshow: the entries of the entry list, one at a time, full screen.
//
// Front door: SlideshowWindow. It reads the list's entries through contracts::EntryLines and
// decodes the next picture ahead on a thread of its own through the one picture loader, so a
// step never waits for a decode.
//
// May call contracts/, controls/ and store/ only.
#include "slideshow/SlideshowWindow.h"
