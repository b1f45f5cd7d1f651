#pragma once
// The intro window and the start-up sequence: intro picture, the main window, the category
// captions, the entry list and the first entry shown. Every step that fails is skipped.
#include "shell/Mtform1.h"
#include "shell/ScrapbookCheck.h"

#include <QWidget>
#include <memory>

namespace wk::controls {
class ImageControl;
} // namespace wk::controls

namespace wk::shell {

class Mtform2 : public QWidget {
    Q_OBJECT
public:
    // `services` are what the main window is given when the start-up sequence creates it.
    explicit Mtform2(const Mtform1Services& services, QWidget* parent = nullptr);

    // The start-up sequence. Returns the main window, shown and holding the first entry; the
    // intro window has closed itself.
    std::unique_ptr<Mtform1> Form_Load();
    // Ends the program at once.
    void END2_Click();

    // Offered when the scrapbook is an Access file (set by the program's main).
    JetOffer offerJetConversion;

    controls::ImageControl* INTRO = nullptr;
    QWidget* END2 = nullptr;

private:
    const Mtform1Services services_;
};

// Puts the names of the first four category rows on SSOption1..4 (trailing blanks removed).
void showCategoryCaptions(Mtform1& form);

} // namespace wk::shell
