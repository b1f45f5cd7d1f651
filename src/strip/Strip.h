#pragma once
// The thumbnail strip's arrows, stepping through the entry list or a picture folder.
//
// Front door: StripStepping, created by the main window; it implements contracts::StripArrows.
// This folder may call contracts/, controls/ and store/.
#include "strip/StripStepping.h"
