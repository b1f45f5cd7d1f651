#include "StartedProgram.h"

#include <QAbstractItemView>

#include "browse/EntryList.h"
#include "controls/Twips.h"
#include "shell/JetConversionOffer.h"
#include "shell/Mtform2.h"

#include <QListWidget>

namespace wk::testing {

StartedProgram::StartedProgram(const QString& directory) : directory_(directory) {}

void StartedProgram::start()
{
    auto* intro = new shell::Mtform2(shell::Mtform1Services{prompts, directory_, clock});
    intro->setAttribute(Qt::WA_DeleteOnClose);
    intro->offerJetConversion =
        offerJetConversion ? offerJetConversion : shell::JetOffer(&shell::offerJetConversion);
    form_ = intro->Form_Load();
    form_->entryList().startDrag = [] {}; // no drag loop can run without a user
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

} // namespace wk::testing
