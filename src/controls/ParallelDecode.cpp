#include "controls/ParallelDecode.h"

#include "controls/Steps.h"

#include <QtConcurrent/QtConcurrentMap>
#include <optional>

namespace wk::controls {

namespace {
struct Decode {
    QString file;
    QSize box;
    qreal devicePixelRatio = 1;
    std::optional<Picture> picture; // empty when there is no file or it cannot be read
};
} // namespace

void loadThumbnails(const QList<ImageControl*>& slots, const QStringList& files)
{
    Q_ASSERT(slots.size() == files.size());
    QList<Decode> decodes;
    for (qsizetype k = 0; k < slots.size(); ++k) {
        slots[k]->setStretch(true);
        decodes.append({files[k], slots[k]->decodeBox(), slots[k]->devicePixelRatioF(), std::nullopt});
    }
    // The calling thread takes its share, so this finishes even when the pool is busy writing.
    QtConcurrent::blockingMap(decodes, [](Decode& decode) {
        if (!decode.file.isEmpty())
            skipStep(
                [&] { decode.picture = decodeForControl(decode.file, decode.box, decode.devicePixelRatio); });
    });
    for (qsizetype k = 0; k < slots.size(); ++k) {
        if (decodes[k].picture)
            slots[k]->showDecoded(*decodes[k].picture);
        else
            slots[k]->clear();
        slots[k]->update();
    }
}

} // namespace wk::controls
