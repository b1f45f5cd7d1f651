#pragma once
// Folder listings for the picture file lists File1 and File2: the names of the regular files of
// one folder that match a pattern list, sorted so that zero-padded numbered names sort by
// number. Kept to these few functions so the listing can be swapped for a shared folder-list
// control without touching its callers.
#include <QString>
#include <QStringList>

namespace wk::editing {

// Names (without folder) of the regular files in `folder` matching one of the ";"-separated
// patterns ("*.bmp;*.jpg"); letter case is ignored in matching and sorting. "*.*" and an empty
// pattern list mean every file. A missing folder lists nothing.
QStringList listFolder(const QString& folder, const QString& patterns = QString());

// The folder part of a chosen file name, up to and including its last "\" or "/"; empty when
// the name has none.
QString folderOfFile(const QString& fileName);

// Folder and name joined by one separator (none added when the folder already ends in one).
QString joinFolder(const QString& folder, const QString& name);

} // namespace wk::editing
