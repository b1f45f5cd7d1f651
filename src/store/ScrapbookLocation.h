#pragma once
// Where a scrapbook is: a folder holding "Velmora.mdb", that file itself, or a database on a
// PostgreSQL server (a "postgresql://" URI). A location also carries this computer's folder for
// the scrapbook: relative picture names, the intro picture, the help document, the kids guide,
// scans and print output are all found there; for a folder location that is the folder itself.
//
// Everything above the store holds a location as it was given and asks it for what it needs;
// only the engine that opens it (openEngine) knows which kind it is.
#include <QString>
#include <memory>

namespace wk::store {

class Engine;

class ScrapbookLocation {
public:
    ScrapbookLocation() = default;
    // A folder (its scrapbook file, in any letter case) or a scrapbook file; a file name written
    // with "\" before it, or in another letter case, is found as on the system that wrote it.
    ScrapbookLocation(const QString& text); // NOLINT: a folder's name is a location

    bool isEmpty() const { return text_.isEmpty(); }
    // As given.
    const QString& text() const { return text_; }
    // This computer's folder for the scrapbook's own files and relative picture names.
    const QString& folder() const { return folder_; }
    // What the engine opens, one name for one scrapbook however it was written.
    const QString& database() const { return database_; }
    // A short name for messages: "Velmora.mdb", or "host/database" on a server.
    QString label() const;
    // What a person calls it, for the window's title: the folder, or "database@host" on a server.
    QString displayName() const;
    // As given, but without a password written in it: what may be kept in settings.
    QString textToRemember() const;
    // True for a scrapbook on a database server (the store's engines ask; nothing above them).
    bool onServer() const;
    // The same scrapbook with `folder` as this computer's folder for it (a server scrapbook's
    // folder is this computer's choice, not the scrapbook's).
    ScrapbookLocation withFolder(const QString& folder) const
    {
        ScrapbookLocation located = *this;
        located.folder_ = folder;
        return located;
    }

    // The same scrapbook opened with `password` (a server's). It lives in memory only: no text of
    // the location gives it, so it is never written anywhere.
    ScrapbookLocation withPassword(const QString& password) const
    {
        ScrapbookLocation located = *this;
        located.password_ = password;
        return located;
    }
    const QString& password() const { return password_; }

    // Where copies are kept before the program changes the scrapbook, and the name they start with.
    QString backupFolder() const;
    QString backupBaseName() const;

    friend bool operator==(const ScrapbookLocation& a, const ScrapbookLocation& b)
    {
        return a.database_ == b.database_;
    }

private:
    QString text_;
    QString folder_;
    QString database_;
    QString password_;
};

// Opens the engine for `location`. Throws StoreError when it cannot be opened.
std::unique_ptr<Engine> openEngine(const ScrapbookLocation& location);

} // namespace wk::store
