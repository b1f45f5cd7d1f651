#pragma once
// Before the main window opens: a scrapbook without its words index (made by an older program, or
// renumbered by another program's VACUUM) gets it built. The build runs off the window's thread;
// a progress window shows when it takes more than a moment. A scrapbook that cannot be written
// keeps none, and its searches scan instead.
#include "store/ScrapbookLocation.h"

class QWidget;

namespace wk::shell {

void prepareWordsIndex(QWidget* parent, const store::ScrapbookLocation& scrapbook);

} // namespace wk::shell
