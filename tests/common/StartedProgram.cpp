#include "StartedProgram.h"

#include <QApplication>
#include <QElapsedTimer>

#include <QAbstractItemView>

#include "browse/EntryList.h"
#include "controls/Twips.h"
#include "shell/JetConversionOffer.h"
#include "shell/IntroWindow.h"

#include <QListWidget>

namespace wk::testing {

StartedProgram::StartedProgram(const store::ScrapbookLocation& scrapbook) : scrapbook_(scrapbook) {}

void StartedProgram::start()
{
    auto* intro = new shell::IntroWindow(shell::MainWindowServices{prompts, scrapbook_, clock});
    intro->setAttribute(Qt::WA_DeleteOnClose);
    intro->offerJetConversion =
        offerJetConversion ? offerJetConversion : shell::JetOffer(&shell::offerJetConversion);
    form_ = intro->load();
    form_->entryLines().startDrag = [] {}; // no drag loop can run without a user
}

int px(int twips) { return controls::twipsToPixels(twips); }

void selectLine(QAbstractItemView* list, int row) { list->setCurrentIndex(list->model()->index(row, 0)); }

QStringList listLines(const QAbstractItemView* list)
{
    QStringList texts;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        texts << list->model()->index(i, 0).data().toString();
    return texts;
}

bool waitUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

} // namespace wk::testing
