#pragma once
// Files the program ships beside its database (help document, kids guide icons and pictures).
#include <QString>

namespace wk::dialogs {

// The path of `name` inside `directory`. The name is matched without regard to letter case, as
// the file names were written on a system that ignores it ("NET.ICO" finds "net.ico"); when no
// file matches, the plain joined path is returned (and opening it fails cleanly).
QString programFile(const QString& directory, const QString& name);

} // namespace wk::dialogs
