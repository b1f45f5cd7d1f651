#include "LargeScrapbook.h"

#include "SampleArtwork.h"
#include "ScrapbookWriter.h"

#include "store/ScrapbookFile.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace wk::sample {

namespace {

const char* const kCategories[] = {"1 Events", "2 School", "3 Family", "4 Trips", "5 Calendar Items"};
const char* const kNames[] = {"Grandma's House", "Yellowstone", "Mom",   "Dad",       "Lily", "Lake Tahoe",
                              "Uncle Ben",       "Aunt Rosa",   "Paris", "The Cabin", "Max",  "Zoe"};

void writeContents(ScrapbookWriter& writer, const QDir& root, int entries, int distinctPictures, QSize size)
{
    const QString discRoot = root.path() + QLatin1Char('/');
    writer.setPictureDisc(discRoot, QStringLiteral("N"));
    int sort = 1;
    for (const char* name : kNames)
        writer.addName(QString::fromUtf8(name), sort++);

    const int pictures = std::max(1, distinctPictures);
    QStringList names;
    for (int i = 0; i < pictures; ++i) {
        const QString name = QStringLiteral("pictures/large%1.jpg").arg(i + 1, 4, 10, QLatin1Char('0'));
        QImage image = drawScene(Scene(i % kSceneCount), size, QStringLiteral("Picture %1").arg(i + 1), i);
        addNoise(image, 18, quint32(i + 1));
        writeBytes(root.filePath(name), encodeJpeg(image, 92));
        names << name;
    }

    // About four entries a day, never fewer than three years.
    const int days = std::max(3 * 365, entries / 4);
    const QDate first(2026 - days / 365 - 1, 1, 1);
    for (int i = 0; i < entries; ++i) {
        const QDate date = first.addDays(qint64(i) * days / std::max(1, entries));
        const QString& picture = names[i % pictures];
        const QString stored = i % 10 == 9 ? QStringLiteral("%") + picture : root.filePath(picture);
        writer.addEntry(date.toString(Qt::ISODate),
                        QStringLiteral("Entry %1").arg(i + 1, 6, 10, QLatin1Char('0')),
                        QString::fromLatin1(kCategories[i % 5]), QString::fromUtf8(kNames[(i / 5) % 12]),
                        stored, i % 3 ? QStringLiteral("Log of entry %1.").arg(i + 1) : QString());
    }
    writeBytes(root.filePath(QStringLiteral("INTRO.BMP")), encodeBmp(drawTitleCard({457, 311})));
}

} // namespace

void writeLargeScrapbook(const QString& dir, int entries, int distinctPictures, QSize pictureSize)
{
    if (!QDir().mkpath(dir))
        throw std::runtime_error(QStringLiteral("cannot create folder %1").arg(dir).toStdString());
    const QDir root(QDir(dir).absolutePath());
    const QString database = root.filePath(QLatin1String(store::kScrapbookFileName));
    std::exception_ptr failure;
    {
        ScrapbookWriter writer(database);
        try {
            writeContents(writer, root, entries, distinctPictures, pictureSize);
            writer.commit();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (failure) {
        QFile::remove(database);
        std::rethrow_exception(failure);
    }
}

} // namespace wk::sample
