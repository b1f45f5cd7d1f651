#pragma once
// Renaming a camera's files: names that begin with "PIC" (letter case matters) become
// "PB" + five digits + ".jpg", numbered on from the highest "PB" number already used.
#include <QString>
#include <QStringList>

namespace wk::editing {

// The number in a "PB" name: up to five digits from the third character on, read until the
// first character that is not a digit ("PB00012.jpg" -> 12). 0 for an empty text.
int pbNumber(const QString& name);
// The highest number in use: that of the last name of a sorted "PB*.*" listing; 0 when empty.
int highestPbNumber(const QStringList& sortedPbNames);
// "PB" + the last five digits of the number, zero-padded, + ".jpg" (7 -> "PB00007.jpg",
// 123456 -> "PB23456.jpg").
QString pbName(int number);
// The names a merge renames: those whose first three characters are exactly "PIC".
bool isCameraFile(const QString& name);
int countCameraFiles(const QStringList& names);

struct RenameOutcome {
    int renamed = 0;
    QStringList skipped; // one line per file left as it was: its name and the reason
    int lastNumber = 0;  // the number given to the last camera file (renamed or skipped)
};

// Renames the camera files among `names` (in the order given) inside `folder`, numbering from
// `highest` + 1. Never overwrites: a file whose new name already exists, or whose rename
// fails, keeps its name, is listed in `skipped`, and the next file goes on.
RenameOutcome renameCameraFiles(const QString& folder, const QStringList& names, int highest);

} // namespace wk::editing
