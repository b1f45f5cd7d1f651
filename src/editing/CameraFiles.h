#pragma once
// Renaming a camera's files: names that begin with "PIC" (letter case matters) become
// "PB" + five digits + ".jpg", numbered on from the highest "PB" number already used. A file that
// is not a JPEG (a phone's HEIC, a PNG) keeps its own extension, in lower case, so that it still
// opens elsewhere.
#include <QMap>
#include <QString>
#include <QStringList>

namespace wk::editing {

// The number in a "PB" name: up to five digits from the third character on, read until the
// first character that is not a digit ("PB00012.jpg" -> 12). 0 for an empty text.
int pbNumber(const QString& name);
// The highest number among the names of a "PB*.*" listing; 0 when there is none. Every name
// counts, not only the last: a stray "PB" name that sorts last must not restart the numbering.
int highestPbNumber(const QStringList& pbNames);
// "PB" + the last five digits of the number, zero-padded, + ".jpg" (7 -> "PB00007.jpg",
// 123456 -> "PB23456.jpg"); for an `oldName` with an extension other than JPEG's, that extension
// in lower case instead ("PIC0001.HEIC" -> "PB00007.heic").
QString pbName(int number, const QString& oldName = {});
// The names a merge renames: those whose first three characters are exactly "PIC".
bool isCameraFile(const QString& name);
int countCameraFiles(const QStringList& names);

struct RenameOutcome {
    QMap<QString, QString> newNames; // old name -> new name, for every file renamed
    QStringList skipped;             // one line per file left as it was: its name and the reason
    int lastNumber = 0;              // the number given to the last camera file (renamed or skipped)
};

// Renames the camera files among `names` (in the order given) inside `folder`, numbering from
// `highest` + 1. Never overwrites: a file whose new name already exists, or whose rename
// fails, keeps its name, is listed in `skipped`, and the next file goes on.
RenameOutcome renameCameraFiles(const QString& folder, const QStringList& names, int highest);

// Where the file `path` is now: its new path when it is one of the files `outcome` renamed in
// `folder`, otherwise `path` as it is.
QString pathAfterRenames(const QString& path, const QString& folder, const RenameOutcome& outcome);

} // namespace wk::editing
