#pragma once
// Starts the program as a user does: on a folder, through the intro window's load handler, with
// scripted answers for every question and a clock the test sets.
#include "ScriptedPrompts.h"
#include "shell/MainWindow.h"
#include "shell/ScrapbookCheck.h"
#include "store/Clock.h"
#include "store/ScrapbookLocation.h"

#include <QString>
#include <functional>
#include <memory>

namespace wk::testing {

class StartedProgram {
public:
    // Runs the start-up sequence on `scrapbook` (a folder, or a server scrapbook with this
    // computer's folder for it); questions asked during start-up take the answers already queued
    // in `prompts`.
    explicit StartedProgram(const store::ScrapbookLocation& scrapbook);

    ScriptedPrompts prompts;
    store::FixedClock clock{QDate::currentDate()}; // today for the program; set it at any time
    shell::JetOffer offerJetConversion;            // the program's own offer unless a test sets one
    shell::MainWindow& form() { return *form_; }
    shell::MainWindow* operator->() { return form_.get(); }

    // Starts it now (so a test can queue answers first).
    void start();

private:
    store::ScrapbookLocation scrapbook_;
    std::unique_ptr<shell::MainWindow> form_;
};

// Widths and places are compared in pixels: twips round to whole pixels on the way in.
int px(int twips);

// Clicks list line `row` the way a user does (the selection change raises the click).
void selectLine(class QAbstractItemView* list, int row);
// The texts of every line of `list`, in order.
QStringList listLines(const class QAbstractItemView* list);

// Lets the program run (its events, its timers) until `done`, for at most `ms`; true when it came.
bool waitUntil(const std::function<bool()>& done, int ms = 15000);

} // namespace wk::testing
