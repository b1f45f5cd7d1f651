#pragma once
// The controls every window shares: picture boxes and buttons (ImageControl, PictureButton,
// the one picture loader Picture, which loads a video as its poster frame, and the VideoPlayer that
// plays one), lists bound to a result set, folder listings (FolderFiles, plain data),
// the window's drawing surface, twips placement and classic colours, the prompts seam through which every
// question and message goes, and the skip rule for steps that may fail (Steps).
//
// No front door: each file is used on its own. This folder may call store/ and Qt only.
#include "controls/ImageControl.h"
#include "controls/Picture.h"
#include "controls/PictureButton.h"
#include "controls/Prompts.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
