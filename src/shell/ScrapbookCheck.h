#pragma once
// Before the main window opens: makes sure the program folder's Velmora.mdb is a scrapbook
// the program can open, offering to create an empty one when there is none and to convert an
// Access file. A file that is neither is reported and never touched. What a conversion killed
// half-way left beside it is cleared away first.
#include "store/ScrapbookLocation.h"

#include <QString>
#include <functional>

class QWidget;

namespace wk::controls {
class Prompts;
}

namespace wk::shell {

// Offers the conversion of an Access scrapbook at `path`; true when a scrapbook is there now.
using JetOffer = std::function<bool(controls::Prompts&, QWidget*, const QString& path)>;

void checkScrapbookAtStartup(controls::Prompts& prompts, QWidget* parent,
                             const store::ScrapbookLocation& scrapbook, const JetOffer& offerJet);

} // namespace wk::shell
