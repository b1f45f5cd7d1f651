#include "import/PictureImport.h"

#include "controls/Exif.h"
#include "controls/Picture.h"
#include "controls/PictureKind.h"
#include "controls/ThumbnailCache.h"
#include "controls/VideoPoster.h"
#include "import/ImportNaming.h"
#include "import/KnownPictures.h"
#include "import/PictureCopies.h"
#include "import/SourceFolder.h"
#include "store/Connection.h"
#include "store/FilePaths.h"
#include "store/ImportedEntries.h"
#include "store/StoreError.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QThread>
#include <QThreadPool>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

namespace wk::importing {

namespace {

// The thumbnail an import makes: the shared "large" size, which covers every strip slot.
constexpr int kThumbnailSide = 256;
// Entries are written once this many are ready, or once a second, whichever comes first.
constexpr int kBatchEntries = 100;
constexpr qint64 kBatchMs = 1000;
// How many names of unreadable files the summary lists.
constexpr int kNamesListed = 5;

enum class Outcome { Added, AlreadyThere, NotPicture, Unreadable, Stop };

struct FileResult {
    size_t index = 0; // in the source's order
    Outcome outcome = Outcome::Unreadable;
    QString shownName; // the file as the summary names it
    store::ImportedEntry entry;
    store::PictureHash hash;
    QString reason; // why the import must stop
};

// What every worker shares.
struct Work {
    QString programDirectory;
    ImportOptions options;
    KnownPictures& known;
    PictureCopies& copies;
};

// The day an entry is dated by: the day the camera or phone recorded (`recorded`: a picture's EXIF
// date, a video's creation time), else the day in the file's name, else the day of the file's time.
QDate entryDate(const QDate& recorded, const QFileInfo& info)
{
    if (recorded.isValid())
        return recorded;
    if (const QDate named = dateInFileName(info.fileName()); named.isValid())
        return named;
    return info.lastModified().date();
}

// What an entry takes from its file's contents: its thumbnail (a video's poster frame; none for a
// picture too large to decode, which is imported all the same) and the day the camera or phone
// recorded, when it says.
struct Looked {
    std::optional<controls::Picture> thumbnail;
    QDate recorded;
};

// The file's whole contents; none when it cannot be read to its end (a card pulled out, a bad
// sector).
std::optional<QByteArray> readWhole(const QString& path)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray contents = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return std::nullopt;
    return contents;
}

// None when the picture is damaged: it cannot be shown, so it is not added.
std::optional<Looked> lookAtPicture(const QString& path, const QByteArray& contents)
{
    Looked looked{{}, controls::readCameraFacts(contents).taken};
    try {
        looked.thumbnail = controls::decodePicture(path, contents, QSize(kThumbnailSide, kThumbnailSide));
    } catch (const controls::PictureError& error) {
        if (error.kind != controls::PictureError::TooLarge)
            return std::nullopt;
    }
    return looked;
}

// None when the video is damaged: it cannot be shown, so it is not added. Its day is the local
// day on which the recording began, as a picture's EXIF date is the camera's local day. Its poster
// is decoded in every import, but kept as its thumbnail only where the marks on it can be drawn:
// the terminal form has no graphical application to draw them with, and leaves the thumbnail to
// the video's first showing.
std::optional<Looked> lookAtVideo(const QString& path)
{
    const bool marked = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    try {
        controls::VideoFacts facts;
        controls::Picture poster =
            controls::loadVideoPoster(path, QSize(kThumbnailSide, kThumbnailSide), marked, &facts);
        Looked looked{{}, facts.recorded.toLocalTime().date()};
        if (marked)
            looked.thumbnail = std::move(poster);
        return looked;
    } catch (const controls::PictureError&) {
        return std::nullopt;
    }
}

// Everything an import does with one file but write its entry. Runs on a worker thread.
FileResult importOne(const SourceFile& file, const Work& work)
{
    FileResult result;
    result.shownName = QDir::toNativeSeparators(file.path);
    if (file.nameUnreadable)
        return result;
    const QFileInfo info(file.path);
    const controls::PictureContent content = controls::pictureContentOf(file.path);
    switch (content) {
    case controls::PictureContent::Unreadable:
        return result;
    case controls::PictureContent::NotPicture:
        result.outcome = Outcome::NotPicture;
        return result;
    case controls::PictureContent::Picture:
    case controls::PictureContent::Video:
        break;
    }
    // A picture is read whole once, then hashed, decoded and copied from memory; a video, which may
    // be larger than memory, is hashed and copied a piece at a time from its file.
    const bool video = content == controls::PictureContent::Video;
    QByteArray contents;
    std::optional<FileHash> hash;
    if (video) {
        hash = hashFile(file.path);
    } else if (std::optional<QByteArray> read = readWhole(file.path)) {
        contents = std::move(*read);
        hash = hashContents(contents);
    }
    if (!hash)
        return result; // a card pulled out, a bad sector
    if (!work.known.claim(hash->bytes, hash->sha256)) {
        result.outcome = Outcome::AlreadyThere;
        return result;
    }
    const std::optional<Looked> looked = video ? lookAtVideo(file.path) : lookAtPicture(file.path, contents);
    if (!looked)
        return result;
    const QDate date = entryDate(looked->recorded, info);
    const QDateTime modified = info.lastModified();
    QString pictureName;
    QString finalPath;
    if (work.options.copy) {
        try {
            QFile onDisk(file.path);
            QBuffer inMemory(&contents);
            QIODevice& source = video ? static_cast<QIODevice&>(onDisk) : inMemory;
            const std::optional<QString> copy =
                work.copies.place(info.fileName(), date, modified, source, *hash);
            if (!copy)
                return result; // it could not be read again, or changed since it was hashed
            pictureName = *copy;
        } catch (const CopyError& error) {
            result.outcome = Outcome::Stop;
            result.reason = QString::fromStdString(error.what());
            return result;
        }
        finalPath = store::resolvePath(work.programDirectory, pictureName);
    } else {
        pictureName = finalPath = info.absoluteFilePath();
    }
    if (looked->thumbnail)
        controls::keepThumbnail(finalPath, *looked->thumbnail);
    const std::optional<store::PictureKey> key = pictureKey(pictureName, finalPath);
    result.outcome = Outcome::Added;
    result.entry = {date, titleFor(info.dir().dirName(), date), work.options.category, work.options.where,
                    pictureName};
    result.hash = {key.value_or(store::PictureKey{pictureName, hash->bytes, modified.toSecsSinceEpoch()}),
                   hash->sha256};
    return result;
}

// Results handed from the workers to the thread that writes.
class ResultQueue {
public:
    void push(FileResult result)
    {
        {
            const std::lock_guard lock(mutex_);
            results_.push_back(std::move(result));
        }
        ready_.notify_one();
    }
    // The next result, waiting at most `ms`; none when none came.
    std::optional<FileResult> pop(int ms)
    {
        std::unique_lock lock(mutex_);
        if (!ready_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !results_.empty(); }))
            return std::nullopt;
        FileResult result = std::move(results_.front());
        results_.pop_front();
        return result;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<FileResult> results_;
};

} // namespace

qint64 ImportState::remainingMs() const
{
    if (done <= 0 || elapsedMs <= 0)
        return -1;
    return elapsedMs * (total - done) / done;
}

QString ImportSummary::text() const
{
    QStringList lines{QStringLiteral("Imported %1 pictures.").arg(imported)};
    if (alreadyThere > 0)
        lines << QStringLiteral("%1 were already in the scrapbook.").arg(alreadyThere);
    if (notPictures > 0)
        lines << QStringLiteral("%1 were not pictures.").arg(notPictures);
    if (!unreadable.isEmpty()) {
        QString names = unreadable.mid(0, kNamesListed).join(QLatin1String(", "));
        if (unreadable.size() > kNamesListed)
            names += QStringLiteral(" and %1 more").arg(unreadable.size() - kNamesListed);
        lines << QStringLiteral("%1 could not be read: %2.").arg(unreadable.size()).arg(names);
    }
    if (!stoppedBecause.isEmpty())
        lines << QStringLiteral("The import stopped: %1").arg(stoppedBecause);
    if (cancelled)
        lines << QStringLiteral("The import was cancelled; the pictures imported so far stay.");
    return lines.join(QLatin1Char('\n'));
}

int ImportSummary::exitStatus() const { return unreadable.isEmpty() && stoppedBecause.isEmpty() ? 0 : 1; }

ImportSummary importPictures(store::Connection& connection, const QString& programDirectory,
                             const ImportOptions& asked, const ProgressReport& report)
{
    ImportOptions options = asked;
    // The other computers of a server scrapbook cannot reach a card or folder of this one: what
    // is imported there is always copied into the scrapbook's shared folder.
    if (connection.location().onServer())
        options.copy = true;
    if (connection.isReadOnly())
        throw ImportError(QStringLiteral("The scrapbook %1 cannot be written.")
                              .arg(QDir::toNativeSeparators(connection.path())));
    std::vector<SourceFile> files;
    try {
        files = filesIn(options.source);
    } catch (const SourceError& error) {
        throw ImportError(QString::fromStdString(error.what()));
    }
    if (options.copy)
        PictureCopies::removeUnfinished(programDirectory);

    KnownPictures known(store::entryPictureNames(connection), store::readPictureHashes(connection),
                        programDirectory);
    PictureCopies copies(programDirectory);
    const Work work{programDirectory, options, known, copies};

    ImportSummary summary;
    ImportState progress;
    progress.total = int(files.size());
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer sinceWrite;
    sinceWrite.start();

    std::vector<store::ImportedEntry> batch;
    std::vector<store::PictureHash> hashes;
    const auto writeBatch = [&] {
        std::vector<store::PictureHash> kept = known.takeNewHashes();
        kept.insert(kept.end(), hashes.begin(), hashes.end());
        if (!batch.empty() || !kept.empty()) {
            copies.makeRenamesLast();
            try {
                const std::vector<qint64> ids = store::addImportedEntries(connection, batch, kept);
                if (summary.firstEntryId < 0 && !ids.empty())
                    summary.firstEntryId = ids.front();
                summary.imported += int(batch.size());
            } catch (const store::StoreError& error) {
                summary.stoppedBecause = error.message();
            }
        }
        batch.clear();
        hashes.clear();
        sinceWrite.restart();
    };

    // Two workers a core: while one waits for a copy to reach the disk, the other decodes. A few
    // files a worker under way: enough to keep them busy, few enough that memory stays flat however
    // many files there are.
    QThreadPool workers;
    workers.setMaxThreadCount(2 * std::max(1, QThread::idealThreadCount()));
    const int inFlightLimit = 2 * workers.maxThreadCount();
    ResultQueue results;
    size_t next = 0;                      // files handed to the workers
    size_t handled = 0;                   // results taken, in the source's order
    std::map<size_t, FileResult> waiting; // results that came before an earlier file's
    bool stopping = false;
    const auto tell = [&] {
        progress.elapsedMs = clock.elapsed();
        if (report && !report(progress) && !stopping) {
            summary.cancelled = true;
            stopping = true;
        }
    };
    while (handled < next || (!stopping && next < files.size())) {
        while (!stopping && next - handled < size_t(inFlightLimit) && next < files.size()) {
            workers.start([&work, &results, file = files[next], index = next] {
                FileResult result = importOne(file, work);
                result.index = index;
                results.push(std::move(result));
            });
            ++next;
        }
        // Results are taken in the source's order, so entries of one day keep their files' order.
        if (!waiting.contains(handled)) {
            std::optional<FileResult> popped = results.pop(100);
            if (popped)
                waiting.emplace(popped->index, std::move(*popped));
        }
        const auto ready = waiting.find(handled);
        if (ready == waiting.end()) {
            tell();
            continue;
        }
        FileResult result = std::move(ready->second);
        waiting.erase(ready);
        ++handled;
        ++progress.done;
        progress.currentFile = result.shownName;
        switch (result.outcome) {
        case Outcome::Added:
            batch.push_back(std::move(result.entry));
            hashes.push_back(std::move(result.hash));
            break;
        case Outcome::AlreadyThere:
            ++summary.alreadyThere;
            break;
        case Outcome::NotPicture:
            ++summary.notPictures;
            break;
        case Outcome::Unreadable:
            summary.unreadable << result.shownName;
            break;
        case Outcome::Stop:
            summary.stoppedBecause = result.reason;
            stopping = true;
            break;
        }
        if (int(batch.size()) >= kBatchEntries || sinceWrite.elapsed() >= kBatchMs)
            writeBatch();
        if (!summary.stoppedBecause.isEmpty())
            stopping = true;
        tell();
    }
    workers.waitForDone();
    if (summary.stoppedBecause.isEmpty() || !batch.empty())
        writeBatch();
    // The thumbnails are written in the background; they are all on disk when the import ends.
    QThreadPool::globalInstance()->waitForDone();
    return summary;
}

} // namespace wk::importing
