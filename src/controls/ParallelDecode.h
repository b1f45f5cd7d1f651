#pragma once
// Filling several thumbnail slots at once: the files are decoded on every core and the slots are
// set together once all are done, so when the call returns each slot shows its picture (or is
// empty) exactly as if they had been loaded one after the other.
#include "controls/ImageControl.h"

#include <QList>
#include <QStringList>

namespace wk::controls {

// Shows files[k] stretched in slots[k]; an empty name, or a file that cannot be read, leaves that
// slot empty. The two lists have the same length.
void loadThumbnails(const QList<ImageControl*>& slots, const QStringList& files);

} // namespace wk::controls
