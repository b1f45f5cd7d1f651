#include "shell/ScrapbookWindows.h"

#include "shell/IntroWindow.h"
#include "shell/ScrapbookChoice.h"

#include <QTimer>

namespace wk::shell {

ScrapbookWindows::ScrapbookWindows(controls::Prompts& prompts, const store::Clock& clock,
                                   JetOffer offerJetConversion)
    : prompts_(prompts), clock_(clock), offerJetConversion_(std::move(offerJetConversion))
{
}

ScrapbookWindows::~ScrapbookWindows() = default;

void ScrapbookWindows::open(const store::ScrapbookLocation& scrapbook)
{
    auto* intro = new IntroWindow({prompts_, scrapbook, clock_});
    intro->setAttribute(Qt::WA_DeleteOnClose);
    intro->offerJetConversion = offerJetConversion_;
    window_ = intro->load();
    if (!window_) {
        Q_EMIT ended();
        return;
    }
    rememberScrapbookFolder(scrapbook.text());
    connect(window_.get(), &MainWindow::unloaded, this, [this] {
        if (!switching_)
            Q_EMIT ended();
    });
    connect(window_.get(), &MainWindow::otherScrapbookChosen, this,
            [this](const store::ScrapbookLocation& other) {
                // Once the button's handler has returned: the window it belongs to goes.
                QTimer::singleShot(0, this, [this, other] { switchTo(other); });
            });
}

void ScrapbookWindows::switchTo(const store::ScrapbookLocation& scrapbook)
{
    switching_ = true;
    window_->close();
    switching_ = false;
    window_.reset();
    open(scrapbook);
}

} // namespace wk::shell
