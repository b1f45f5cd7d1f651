#pragma once
// The intro window and the start-up sequence: intro picture, the main window, the category
// captions, the entry list and the first entry shown. Every step that fails is skipped.
#include "shell/MainWindow.h"
#include "shell/ScrapbookCheck.h"

#include <QWidget>
#include <memory>

namespace wk::controls {
class ImageControl;
} // namespace wk::controls

namespace wk::shell {

class IntroWindow : public QWidget {
    Q_OBJECT
public:
    // `services` are what the main window is given when the start-up sequence creates it.
    explicit IntroWindow(const MainWindowServices& services, QWidget* parent = nullptr);

    // The start-up sequence. Returns the main window, shown and holding the first entry; the
    // intro window has closed itself.
    std::unique_ptr<MainWindow> load();
    // Ends the program at once.
    void endProgram();

    // Offered when the scrapbook is an Access file (set by the program's main).
    JetOffer offerJetConversion;

    controls::ImageControl* introPicture = nullptr;
    QWidget* endArea = nullptr;

private:
    const MainWindowServices services_;
};

// Puts the names of the first four category rows on SSOption1..4 (trailing blanks removed).
void showCategoryCaptions(MainWindow& form);

} // namespace wk::shell
