#include "import/ImportCommand.h"

#include "controls/Prompts.h"
#include "import/ImportNaming.h"
#include "import/ImportWindow.h"
#include "import/PictureImport.h"
#include "store/Connection.h"
#include "store/StoreError.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QStandardPaths>

namespace wk::importing {

namespace {
const QString kTitle = QStringLiteral("Import Pictures");
}

void importFromFolder(const ImportParts& parts)
{
    controls::FileDialogRequest request;
    request.title = kTitle;
    request.directory = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString folder = parts.prompts.chooseFolder(request);
    if (folder.isEmpty())
        return;
    ImportOptions options;
    options.source = folder;
    // A server scrapbook's import always copies (importPictures), so it is not asked.
    options.copy =
        store::ScrapbookLocation(parts.databasePath).onServer() ||
        parts.prompts.askYesNo(
            kTitle,
            QStringLiteral(
                "Copy the pictures into the scrapbook's folder?\n\nYes keeps them safe when the card or "
                "phone goes away. No leaves them where they are."),
            !looksRemovable(folder));
    options.category = parts.categoryCombo->currentText();
    options.where = parts.nameCombo->currentText();

    ImportWindow progressWindow(parts.window);
    progressWindow.show();
    ImportSummary summary;
    try {
        const std::shared_ptr<store::Connection> connection = parts.connections.open(parts.databasePath);
        parts.asOneUndoStep([&] {
            summary = importPictures(*connection, parts.programDirectory, options, [&](const ImportState& p) {
                progressWindow.showProgress(p);
                QApplication::processEvents();
                return !progressWindow.cancelled();
            });
        });
    } catch (const ImportError& error) {
        progressWindow.finish();
        parts.prompts.tell(kTitle, QString::fromStdString(error.what()), controls::MessageIcon::Exclamation);
        return;
    } catch (const store::StoreError& error) {
        progressWindow.finish();
        parts.prompts.tell(kTitle, error.message(), controls::MessageIcon::Exclamation);
        return;
    }
    progressWindow.finish();
    if (summary.imported > 0)
        parts.showEntries(summary.firstEntryId);
    parts.prompts.tell(kTitle, summary.text(),
                       summary.exitStatus() == 0 ? controls::MessageIcon::Information
                                                 : controls::MessageIcon::Exclamation);
}

} // namespace wk::importing
