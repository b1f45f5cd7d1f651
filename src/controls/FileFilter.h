#pragma once
// File dialog filters are written the classic way, "Text|*.bmp;*.jpg|All|*.*"; Qt wants
// "Text (*.bmp *.jpg)". Qt-style filters pass through unchanged.
#include <QStringList>

namespace wk::controls {

QStringList qtNameFilters(const QString& filter);

} // namespace wk::controls
