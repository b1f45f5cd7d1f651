#pragma once
// At start-up, when the scrapbook file is an Access (Jet) file: offer to convert it, convert
// with a progress window, and say how it went.
#include <QString>

class QWidget;

namespace wk::controls {
class Prompts;
}

namespace wk::shell {

// Asks whether to convert `mdbPath`; on Yes converts it (showing progress, parented to
// `parent`), then tells how many entries were converted and where the original is kept.
// Failures and a cancel are told through `prompts` and leave the file as it was.
// Returns true when a scrapbook in the program's own format now sits at `mdbPath`.
bool offerJetConversion(controls::Prompts& prompts, QWidget* parent, const QString& mdbPath);

} // namespace wk::shell
