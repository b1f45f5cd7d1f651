#include "shell/JetConversionOffer.h"

#include "controls/Prompts.h"
#include "store/jet/JetConversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace wk::shell {

namespace {
const QString kTitle = QStringLiteral("Wanderkeep");
}

bool offerJetConversion(controls::Prompts& prompts, QWidget* parent, const QString& mdbPath)
{
    const QString name = QFileInfo(mdbPath).fileName();
    const QString question =
        QStringLiteral("%1 is a scrapbook kept by the older program (an Access database).\n\n"
                       "Convert it to Wanderkeep's format now? The original file is kept beside "
                       "the new one as a backup.")
            .arg(name);
    if (!prompts.askYesNo(kTitle, question, false))
        return false;

    QProgressDialog dialog(QStringLiteral("Converting %1...").arg(name), QStringLiteral("Cancel"), 0, 0,
                           parent);
    dialog.setObjectName(QStringLiteral("JetConversionProgress"));
    dialog.setWindowTitle(kTitle);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setValue(0);
    try {
        const store::jet::JetConversion result =
            store::jet::convertJetScrapbook(mdbPath, [&dialog](int done, int total) {
                if (dialog.maximum() != total)
                    dialog.setMaximum(total);
                dialog.setValue(done);
                QCoreApplication::processEvents();
                return !dialog.wasCanceled();
            });
        dialog.close();
        const QString entries = result.entryCount == 1
                                    ? QStringLiteral("1 entry was")
                                    : QStringLiteral("%1 entries were").arg(result.entryCount);
        prompts.tell(kTitle,
                     QStringLiteral("%1 converted. The original file is kept as %2.")
                         .arg(entries, QDir::toNativeSeparators(result.backupPath)),
                     controls::MessageIcon::Information);
        return true;
    } catch (const store::jet::ConversionCancelled& e) {
        dialog.close();
        prompts.tell(kTitle, e.message(), controls::MessageIcon::Information);
    } catch (const store::StoreError& e) {
        dialog.close();
        prompts.tell(kTitle, QStringLiteral("The scrapbook could not be converted.\n\n%1").arg(e.message()),
                     controls::MessageIcon::Critical);
    }
    return false;
}

} // namespace wk::shell
