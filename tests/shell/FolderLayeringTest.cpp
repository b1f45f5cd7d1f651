// The source folders depend one way: app, then shell, then the subsystems, then contracts and
// controls, then store. A subsystem reaching into the shell or into another subsystem is what
// lets a change in one place break another unnoticed, so every include is checked here.
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <gtest/gtest.h>

namespace {

const QStringList kSubsystems{"browse", "calendar", "dialogs", "editing", "filters", "strip", "timeline"};

// The folders each folder may include besides itself.
QMap<QString, QSet<QString>> allowedIncludes()
{
    const QSet<QString> below{"contracts", "controls", "store"};
    QMap<QString, QSet<QString>> allowed{
        {"store", {}},
        {"contracts", {"store"}},
        {"controls", {"store"}},
        {"convert", {"store"}},
        {"shell", below + QSet<QString>(kSubsystems.begin(), kSubsystems.end())},
        {"app", {"shell", "controls", "store"}},
    };
    for (const QString& subsystem : kSubsystems)
        allowed.insert(subsystem, below);
    return allowed;
}

struct Include {
    QString file;
    QString folder;
};

// Every project include ("folder/File.h") of every source file, by the file's top folder.
QMap<QString, QList<Include>> includesByFolder()
{
    const QString src = QStringLiteral(WK_SOURCE_DIR "/src");
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s+"([a-z]+)/)re"),
                                            QRegularExpression::MultilineOption);
    QMap<QString, QList<Include>> result;
    QDirIterator it(src, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(src.size() + 1);
        const QString folder = relative.section(QLatin1Char('/'), 0, 0);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = include.globalMatch(text); match.hasNext();)
            result[folder] << Include{relative, match.next().captured(1)};
    }
    return result;
}

TEST(FolderLayering, EveryIncludeGoesDownTheLayers)
{
    const auto allowed = allowedIncludes();
    const auto includes = includesByFolder();
    ASSERT_TRUE(includes.contains("shell")) << "no sources found under " WK_SOURCE_DIR "/src";
    for (auto it = includes.begin(); it != includes.end(); ++it) {
        ASSERT_TRUE(allowed.contains(it.key()))
            << "folder src/" << it.key().toStdString() << " has no place in the layers yet";
        for (const Include& inc : it.value()) {
            if (inc.folder == it.key())
                continue;
            EXPECT_TRUE(allowed[it.key()].contains(inc.folder))
                << inc.file.toStdString() << " includes " << inc.folder.toStdString() << "/";
        }
    }
}

} // namespace
