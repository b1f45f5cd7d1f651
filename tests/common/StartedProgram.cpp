#include "StartedProgram.h"

#include "browse/EntryList.h"
#include "controls/Twips.h"
#include "shell/JetConversionOffer.h"
#include "shell/Mtform2.h"

#include <QDir>
#include <QListWidget>

namespace wk::testing {

StartedProgram::StartedProgram(const QString& directory)
    : directory_(directory), previousDirectory_(QDir::currentPath())
{
}

StartedProgram::~StartedProgram()
{
    form_.reset();
    QDir::setCurrent(previousDirectory_);
}

void StartedProgram::start()
{
    QDir::setCurrent(directory_);
    auto* intro = new shell::Mtform2(prompts);
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
