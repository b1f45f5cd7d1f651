#pragma once
// The program's main window, on one scrapbook at a time. Opening one runs the start-up sequence
// (IntroWindow). When the user picks another scrapbook in the window (the family server), the
// window closes and one on the other scrapbook opens in its place; any other closing ends the
// program.
#include "shell/MainWindow.h"
#include "shell/ScrapbookCheck.h"

#include <QObject>
#include <memory>

namespace wk::shell {

class ScrapbookWindows : public QObject {
    Q_OBJECT
public:
    ScrapbookWindows(controls::Prompts& prompts, const store::Clock& clock, JetOffer offerJetConversion = {});
    ~ScrapbookWindows() override;

    // Opens `scrapbook` (its folder chosen) and remembers it as the one opened last.
    void open(const store::ScrapbookLocation& scrapbook);
    // The window open now; null before the first opening or when the start-up sequence made none.
    MainWindow* window() const { return window_.get(); }

Q_SIGNALS:
    // The window closed, or none could be made: the program ends.
    void ended();

private:
    void switchTo(const store::ScrapbookLocation& scrapbook);

    controls::Prompts& prompts_;
    const store::Clock& clock_;
    JetOffer offerJetConversion_;
    std::unique_ptr<MainWindow> window_;
    bool switching_ = false;
};

} // namespace wk::shell
