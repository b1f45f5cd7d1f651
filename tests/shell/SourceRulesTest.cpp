// Rules of the sources. The code speaks the family's words: a widget's design name (its objectName,
// which tools and tests find it by) is never also a C++ name, and no handler is named after a
// control's event; every window is opened, so the names checked are the ones the program really
// sets. And the source folders depend one way: app, then shell, then the subsystems, then
// contracts and controls, then store; a subsystem reaching into the shell or into another
// subsystem is what lets a change in one place break another unnoticed.
#include "ProgramTest.h"

#include "browse/ThumbnailClicks.h"
#include "editing/ScanWindow.h"
#include "editing/Scanner.h"
#include "shell/IntroWindow.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

using namespace wk;

namespace {

// Design names that are also plain words of the program's own vocabulary.
const QSet<QString> kPlainWords{QStringLiteral("surface"), QStringLiteral("twipsLayout")};

// The identifiers of one C++ source text: string and character literals and comments are skipped.
QSet<QString> identifiersOf(const QString& text)
{
    static const QRegularExpression token(QStringLiteral(
        R"re(R"([^(\s]*)\((?:.|\n)*?\)\1"|"(?:\\.|[^"\\\n])*"|'(?:\\.|[^'\\\n])*'|//[^\n]*|/\*(?:.|\n)*?\*/|([A-Za-z_]\w*)|\d[\w.']*)re"));
    QSet<QString> identifiers;
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const QString identifier = it.next().captured(2);
        if (!identifier.isEmpty())
            identifiers.insert(identifier);
    }
    return identifiers;
}

// Every source file of the given folders, read whole, by its path within the project.
QMap<QString, QString> sourcesUnder(const QStringList& folders)
{
    const QString root = QStringLiteral(WK_SOURCE_DIR "/");
    QMap<QString, QString> texts;
    for (const QString& folder : folders) {
        QDirIterator it(root + folder, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (file.open(QIODevice::ReadOnly))
                texts.insert(file.fileName().mid(root.size()), QString::fromUtf8(file.readAll()));
        }
    }
    return texts;
}

// The names given by a literal setObjectName("...") anywhere in src/.
QSet<QString> literalObjectNames()
{
    static const QRegularExpression named(
        QStringLiteral(R"re(setObjectName\((?:QStringLiteral\(|QLatin1String\()?"(\w+)")re"));
    QSet<QString> names;
    for (const QString& text : sourcesUnder({QStringLiteral("src")}))
        for (auto it = named.globalMatch(text); it.hasNext();)
            names.insert(it.next().captured(1));
    return names;
}

class NoScanner final : public editing::Scanner {
public:
    bool AcquireToFile(const QString&) override { return false; }
    bool isBusy() const override { return false; }
};

// The objectNames of every window the program opens, array members ("List1(5)") by their
// array's name.
QSet<QString> programObjectNames()
{
    wk::testing::TestScrapbook book;
    book.writeShapedPictures();
    wk::testing::StartedProgram program(book.location());
    program.start();
    shell::MainWindow& form = program.form();
    const shell::MainWindowWidgets& w = form.widgets();
    QSet<QString> names;
    const auto collect = [&names] {
        for (QWidget* widget : QApplication::allWidgets()) {
            names.insert(widget->objectName().section(QLatin1Char('('), 0, 0));
            for (const QObject* child : widget->findChildren<QObject*>())
                names.insert(child->objectName().section(QLatin1Char('('), 0, 0));
        }
    };
    for (store::DataSource* source : {&form.entries(), &form.filteredEntries(), &form.nameTable(),
                                      &form.categoryTable(), &form.pictureDisc()})
        names.insert(source->objectName());

    form.thumbnailClicks().openEnlargedViewer();
    collect();
    QTest::mousePress(w.nameListButton, Qt::LeftButton);
    QTest::mouseRelease(w.nameListButton, Qt::LeftButton);
    w.discDriveButton->click();
    w.helpButton->click();
    w.printCheck->setChecked(true);
    collect();
    w.printCheck->setChecked(false);
    w.kidsGuideCheck->setChecked(true);
    collect();
    w.kidsGuideCheck->setChecked(false);
    NoScanner scanner;
    editing::ScanWindow scan(program.prompts, scanner, nullptr);
    shell::IntroWindow intro({program.prompts, book.dir(), program.clock});
    collect();
    names.remove(QString());
    return names;
}

TEST(DomainNames, NoDesignNameIsAlsoACppName)
{
    QSet<QString> designNames = programObjectNames() + literalObjectNames();
    ASSERT_TRUE(designNames.contains(QStringLiteral("MTFORM1"))) << "the main window's names were not read";
    ASSERT_TRUE(designNames.contains(QStringLiteral("Kidsform1"))) << "the kids guide's names were not read";
    ASSERT_TRUE(designNames.contains(QStringLiteral("Data1"))) << "the data sources' names were not read";
    designNames -= kPlainWords;

    QSet<QString> identifiers;
    for (const QString& text : sourcesUnder({"src", "tests", "bench", "sample"}))
        identifiers += identifiersOf(text);
    ASSERT_TRUE(identifiers.contains(QStringLiteral("MainWindow")));
    QStringList clashes = (designNames & identifiers).values();
    clashes.sort();
    EXPECT_TRUE(clashes.isEmpty()) << "design names used as C++ names: " << clashes.join(", ").toStdString();
}

TEST(DomainNames, NoHandlerIsNamedAfterAControlEvent)
{
    static const QRegularExpression eventName(QStringLiteral(
        "^(\\w+_(Click|Change|Scroll|DblClick|DragDrop|DragOver|KeyDown|KeyPress|MouseDown|MouseMove|"
        "MouseUp|DropDown|GotFocus|LostFocus)|Form_\\w+)$"));
    QStringList found;
    for (const QString& text : sourcesUnder({"src", "tests", "bench", "sample"}))
        for (const QString& identifier : identifiersOf(text))
            if (eventName.match(identifier).hasMatch())
                found << identifier;
    found.removeDuplicates();
    EXPECT_TRUE(found.isEmpty()) << "handlers named after events: " << found.join(", ").toStdString();
}

const QStringList kSubsystems{"browse", "calendar", "dialogs",   "editing", "filters",
                              "import", "search",   "slideshow", "strip",   "timeline"};

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

// Every project include ("folder/File.h") of every source file, as {file, folder}, by the file's
// top folder under src/.
QMap<QString, QList<QPair<QString, QString>>> includesByFolder()
{
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s+"([a-z]+)/)re"),
                                            QRegularExpression::MultilineOption);
    QMap<QString, QList<QPair<QString, QString>>> result;
    const auto sources = sourcesUnder({QStringLiteral("src")});
    for (auto file = sources.begin(); file != sources.end(); ++file)
        for (auto match = include.globalMatch(file.value()); match.hasNext();)
            result[file.key().section(QLatin1Char('/'), 1, 1)]
                << qMakePair(file.key(), match.next().captured(1));
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
        for (const auto& [file, folder] : it.value())
            EXPECT_TRUE(folder == it.key() || allowed[it.key()].contains(folder))
                << file.toStdString() << " includes " << folder.toStdString() << "/";
    }
}

// Only an engine's own folder talks to its library: no other source includes it or names one of
// its types.
TEST(FolderLayering, OnlyEachEngineKnowsItsLibrary)
{
    const std::pair<QString, QRegularExpression> engines[] = {
        {"src/store/sqlite/", QRegularExpression(QStringLiteral(R"re(<sqlite3\.h>|\bsqlite3(_\w+)?\b)re"))},
        {"src/store/postgres/", QRegularExpression(QStringLiteral(
                                    R"re(<libpq-fe\.h>|\bPG(conn|result|cancel)\b|\bPQ[a-z]\w*\()re"))},
    };
    const auto sources = sourcesUnder({QStringLiteral("src")});
    for (const auto& [folder, library] : engines) {
        ASSERT_TRUE(std::any_of(sources.keyBegin(), sources.keyEnd(),
                                [&](const QString& file) {
                                    return file.startsWith(folder) &&
                                           library.match(sources.value(file)).hasMatch();
                                }))
            << "no source in " << folder.toStdString() << " talks to its library";
        for (auto file = sources.begin(); file != sources.end(); ++file)
            EXPECT_TRUE(file.key().startsWith(folder) || !library.match(file.value()).hasMatch())
                << file.key().toStdString() << " talks to the library of " << folder.toStdString();
    }
}

} // namespace
