#pragma once
// Importing a whole folder, card or phone: one entry per picture or video (a video counts as a
// picture throughout), dated by the camera, the file name or the file's time; pictures the
// scrapbook has already skipped by their bytes; copies kept in the scrapbook's folder when asked.
// Files are read, hashed, dated, copied and thumbnailed on every core, a few at a time so memory
// stays flat, and entries are written in batches of one transaction each: a killed import loses
// at most the batch in flight, and running it again adds what is missing and nothing twice.
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

namespace wk::store {
class Connection;
}

namespace wk::importing {

struct ImportOptions {
    QString source;   // the folder to import
    bool copy = true; // copy the pictures into the scrapbook's folder
    QString category; // the new entries' category and who-or-where name, possibly empty
    QString where;
};

// What a progress report says, between pictures.
struct ImportState {
    int done = 0;  // files looked at
    int total = 0; // files in the source
    QString currentFile;
    qint64 elapsedMs = 0;
    // Milliseconds left at the pace so far; -1 until there is a pace to go by.
    qint64 remainingMs() const;
};

struct ImportSummary {
    int imported = 0;
    int alreadyThere = 0;   // bytes the scrapbook (or this import) had already
    int notPictures = 0;    // documents, sound recordings, sidecars, RAW files
    QStringList unreadable; // damaged pictures and videos, files that could not be read
    QString stoppedBecause; // why the import stopped early (a copy or a write failed)
    bool cancelled = false;
    qint64 firstEntryId = -1; // row id of the first entry added

    // "Imported N pictures." and, where they apply, the other counts and the first few names.
    QString text() const;
    // The terminal form's exit status: 0 all went in or were there; 1 some could not be read or
    // the import stopped early; the caller uses 2 when nothing could be done.
    int exitStatus() const;
};

// A source or scrapbook the import cannot start on; nothing was written.
class ImportError : public std::runtime_error {
public:
    explicit ImportError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Answered after every picture (and now and then while waiting): false cancels the import,
// which then stops after the pictures already under way.
using ProgressReport = std::function<bool(const ImportState&)>;

// Imports into the scrapbook open on `connection`, whose pictures' relative names are taken from
// `programDirectory`. Writes through the connection, so its first-write step (the backup) runs
// before the first entry and its change observer (undo) hears of every entry. Throws ImportError
// when the source cannot be walked or the scrapbook cannot be written.
ImportSummary importPictures(store::Connection& connection, const QString& programDirectory,
                             const ImportOptions& options, const ProgressReport& report);

} // namespace wk::importing
