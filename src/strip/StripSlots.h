#pragma once
// The thumbnail strip's slots Image1..Image7 and its four arrow images, as the TimeLine switch,
// the strip arrows and the folder thumbnails fill and step them.
#include <QString>

namespace wk::shell {
class Mtform1;
}
namespace wk::controls {
class ImageControl;
}

namespace wk::strip {

// Positions the entry set on the entry of ListDB1's line `line` (through lineBookmarks) and
// returns that entry's picture file, a disc name ("%...") resolved; empty for no picture.
// Throws when the line stands for no entry.
QString pictureOfLine(shell::Mtform1& form, int line);

// Shows `file` stretched into `slot`; an empty name, or a file that cannot be read, leaves the
// slot empty.
void loadSlot(controls::ImageControl* slot, const QString& file);

// Hides the two arrows and both stop markers.
void hideArrows(shell::Mtform1& form);

} // namespace wk::strip
