#pragma once
// What the subsystem folders (browse, calendar, dialogs, editing, filters, strip, timeline) know
// of each other: small interfaces for the operations one subsystem calls on another. A subsystem
// implements the interfaces of its own operations and is handed the others' by the main window,
// which creates every subsystem; so no subsystem folder includes another, and each can be read,
// changed and tested against these few calls alone.
//
// Besides the interfaces, the state several subsystems share lives here as small objects the
// main window owns and hands out: what the strip shows (StripState) and where the picture disc is
// found (PictureRoot). Which entry each list line stands for is controls::LineBookmarks.
//
// Front door: this header. This folder may call store/ and Qt only; it holds declarations.
#include "contracts/BigPicture.h"
#include "contracts/EntryEditor.h"
#include "contracts/EntryLines.h"
#include "contracts/MainScreen.h"
#include "contracts/MonthView.h"
#include "contracts/PictureFolder.h"
#include "contracts/PictureRoot.h"
#include "contracts/StripArrows.h"
#include "contracts/StripState.h"
#include "contracts/ViewerState.h"
