#include "controls/PictureKind.h"

#include "controls/HeifReader.h"
#include "controls/VideoPoster.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>

namespace wk::controls {

namespace {

// Camera RAW formats (most are TIFF inside) and the sidecars cameras and phones write.
const QSet<QString> kNeverPictures{
    QStringLiteral("3fr"), QStringLiteral("arw"), QStringLiteral("cr2"), QStringLiteral("cr3"),
    QStringLiteral("crw"), QStringLiteral("dcr"), QStringLiteral("dng"), QStringLiteral("erf"),
    QStringLiteral("iiq"), QStringLiteral("k25"), QStringLiteral("kdc"), QStringLiteral("mef"),
    QStringLiteral("mos"), QStringLiteral("mrw"), QStringLiteral("nef"), QStringLiteral("nrw"),
    QStringLiteral("orf"), QStringLiteral("pef"), QStringLiteral("raf"), QStringLiteral("raw"),
    QStringLiteral("rw2"), QStringLiteral("rwl"), QStringLiteral("sr2"), QStringLiteral("srf"),
    QStringLiteral("srw"), QStringLiteral("x3f"), QStringLiteral("thm"), QStringLiteral("xmp"),
    QStringLiteral("aae"),
};

// The formats of Qt's readers the program shows; other readers' content checks are too loose to
// tell a picture from an arbitrary file.
const QSet<QByteArray> kShownFormats{"jpeg", "png", "gif", "bmp", "webp", "tiff"};

constexpr qint64 kHeadBytes = 64;

} // namespace

PictureContent pictureContentOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PictureContent::Unreadable;
    if (kNeverPictures.contains(QFileInfo(path).suffix().toLower()))
        return PictureContent::NotPicture;
    if (HeifFile::recognises(file.peek(kHeadBytes)))
        return PictureContent::Picture;
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    if (kShownFormats.contains(reader.format()))
        return PictureContent::Picture;
    if (!hasVideoName(path))
        return PictureContent::NotPicture;
    switch (videoContentOf(path)) {
    case VideoContent::Video:
        return PictureContent::Video;
    case VideoContent::NotVideo:
        return PictureContent::NotPicture;
    case VideoContent::Unreadable:
        break;
    }
    return PictureContent::Unreadable;
}

} // namespace wk::controls
