#include "shell/ScrapbookCheck.h"

#include "controls/Prompts.h"
#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"
#include "store/jet/ConversionLeftovers.h"

#include <QFileInfo>

namespace wk::shell {

namespace {
const QString kTitle = QStringLiteral("Wanderkeep");
}

void checkScrapbookAtStartup(controls::Prompts& prompts, QWidget* parent,
                             const store::ScrapbookLocation& scrapbook, const JetOffer& offerJet)
{
    const QString& directory = scrapbook.folder();
    const QString& path = scrapbook.database();
    const QString name = scrapbook.onServer() ? QStringLiteral("on the server") : QFileInfo(path).fileName();
    const QString place = scrapbook.onServer() ? scrapbook.label() : directory;
    store::FileKind kind = store::FileKind::Missing;
    try {
        if (!scrapbook.onServer())
            store::jet::removeConversionLeftovers(path);
        kind = store::inspectScrapbook(scrapbook);
    } catch (const store::StoreError& e) {
        prompts.tell(kTitle, e.message(), controls::MessageIcon::Critical);
        return;
    }
    switch (kind) {
    case store::FileKind::Scrapbook:
        return;
    case store::FileKind::Missing:
        if (!prompts.askYesNo(kTitle, QStringLiteral("There is no scrapbook (%1) in\n%2\n\nCreate an "
                                                     "empty scrapbook there?")
                                          .arg(name, place)))
            return;
        try {
            store::createScrapbook(scrapbook);
        } catch (const store::StoreError& e) {
            prompts.tell(kTitle, QStringLiteral("The scrapbook could not be created:\n%1").arg(e.message()),
                         controls::MessageIcon::Critical);
        }
        return;
    case store::FileKind::Jet:
        if (offerJet)
            offerJet(prompts, parent, path);
        return;
    case store::FileKind::Other:
        prompts.tell(kTitle,
                     QStringLiteral("%1 is not a scrapbook database. It was left untouched.")
                         .arg(scrapbook.onServer() ? scrapbook.label() : path),
                     controls::MessageIcon::Exclamation);
        return;
    }
}

} // namespace wk::shell
