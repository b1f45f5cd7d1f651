#pragma once
// Helpers for the conversion tests: the real Access files beside the project, copies of them in
// a temporary folder, what mdb-export prints for them, and reading the converted SQLite file.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <sqlite3.h>
#include <vector>

namespace wk::testing {

inline QString sharedJetFile(const QString& name) { return QStringLiteral(WK_SHARED_DIR "/jet/") + name; }

// Copies a shared Access file into `folder` as Velmora.mdb (writable); empty text when absent.
inline QString copyAsScrapbook(const QString& folder, const QString& sharedName)
{
    const QString source = sharedJetFile(sharedName);
    const QString target = QDir(folder).filePath(QStringLiteral("Velmora.mdb"));
    if (!QFile::exists(source) || !QFile::copy(source, target))
        return {};
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList folderEntries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

inline bool haveMdbTools() { return !QStandardPaths::findExecutable(QStringLiteral("mdb-export")).isEmpty(); }

inline QByteArray runTool(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(-1);
    return p.readAllStandardOutput();
}

inline QStringList mdbTables(const QString& file)
{
    QStringList names;
    for (const QByteArray& line :
         runTool(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), file}).split('\n'))
        if (!line.trimmed().isEmpty())
            names << QString::fromUtf8(line);
    return names;
}

// The rows mdb-export prints for a table (header row dropped), dates as "YYYY-MM-DD HH:MM:SS".
inline std::vector<QStringList> mdbExport(const QString& file, const QString& table)
{
    const QString fmt = QStringLiteral("%Y-%m-%d %H:%M:%S");
    const QString csv = QString::fromUtf8(runTool(
        QStringLiteral("mdb-export"), {QStringLiteral("-D"), fmt, QStringLiteral("-T"), fmt, file, table}));
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QChar c = csv.at(i);
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < csv.size() && csv.at(i + 1) == QLatin1Char('"'))
                field += csv.at(++i); // a doubled quote inside quotes
            else
                quoted = !quoted;
        } else if (!quoted && (c == QLatin1Char(',') || c == QLatin1Char('\n'))) {
            row << field;
            field.clear();
            if (c == QLatin1Char('\n')) {
                rows.push_back(row);
                row.clear();
            }
        } else {
            field += c;
        }
    }
    if (!rows.empty())
        rows.erase(rows.begin());
    return rows;
}

// A converted file read with the SQLite C API.
class SqliteFile {
public:
    explicit SqliteFile(const QString& path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READONLY, nullptr);
    }
    ~SqliteFile() { sqlite3_close(db_); }
    // Every row of a query; null is an invalid QVariant.
    std::vector<QVariantList> rows(const QString& sql) const
    {
        std::vector<QVariantList> out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
            return out;
        while (sqlite3_step(st) == SQLITE_ROW) {
            QVariantList row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_NULL:
                    row << QVariant();
                    break;
                case SQLITE_INTEGER:
                    row << QVariant(qlonglong(sqlite3_column_int64(st, c)));
                    break;
                case SQLITE_FLOAT:
                    row << QVariant(sqlite3_column_double(st, c));
                    break;
                default:
                    row << QVariant(
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c))));
                }
            }
            out.push_back(row);
        }
        sqlite3_finalize(st);
        return out;
    }
    QString text(const QString& sql) const
    {
        const auto r = rows(sql);
        return r.empty() || r.front().isEmpty() ? QString() : r.front().front().toString();
    }

private:
    sqlite3* db_ = nullptr;
};

} // namespace wk::testing
