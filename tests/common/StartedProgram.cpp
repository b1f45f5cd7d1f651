#include "StartedProgram.h"

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

void selectLine(QListWidget* list, int row) { list->setCurrentRow(row); }

QStringList listLines(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace wk::testing
