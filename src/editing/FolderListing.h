#pragma once
// The folder part of a chosen file's name, as the picture commands point folderPictures at it.
#include <QString>

namespace wk::editing {

// The folder part of a chosen file name, up to and including its last "\" or "/"; empty when
// the name has none.
QString folderOfFile(const QString& fileName);

} // namespace wk::editing
