// The hidden folder listings: reading a folder by patterns, natural order, indexes outside the
// list, the selection after each re-read, and full paths at a root.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "controls/FolderList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using wk::controls::FolderList;

namespace {

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

QStringList names(const FolderList& list)
{
    QStringList out;
    for (int i = 0; i < list.nameCount(); ++i)
        out << list.nameAt(i);
    return out;
}

} // namespace

TEST(FolderListTest, ListsRegularFilesByPatternsInNaturalOrder)
{
    QTemporaryDir dir;
    for (const char* n : {"PB00010.jpg", "PB00009.jpg", "pic2.BMP", "pic10.bmp", "notes.txt", "Readme"})
        touch(dir.filePath(QString::fromLatin1(n)));
    QDir(dir.path()).mkdir(QStringLiteral("sub.jpg")); // a folder is never listed

    FolderList list;
    list.setFolder(dir.path());
    EXPECT_EQ(names(list),
              (QStringList{"notes.txt", "PB00009.jpg", "PB00010.jpg", "pic2.BMP", "pic10.bmp", "Readme"}));

    list.setPattern(QStringLiteral("*.bmp; *.jpg"));
    EXPECT_EQ(names(list), (QStringList{"PB00009.jpg", "PB00010.jpg", "pic2.BMP", "pic10.bmp"}));

    list.setPattern(QStringLiteral("PB*.*"));
    EXPECT_EQ(names(list), (QStringList{"PB00009.jpg", "PB00010.jpg"}));
    list.setPattern(QStringLiteral("*.*")); // all files, also those without an extension
    EXPECT_EQ(list.nameCount(), 6);
}

TEST(FolderListTest, IndexesOutsideTheListAndSelectionAfterReRead)
{
    QTemporaryDir dir;
    FolderList list;
    list.setFolder(dir.path());
    EXPECT_EQ(list.nameCount(), 0);
    EXPECT_EQ(list.nameAt(0), QString());
    EXPECT_EQ(list.nameAt(-1), QString());
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.selectedName(), QString());

    touch(dir.filePath("a.jpg"));
    touch(dir.filePath("b.jpg"));
    list.setFolder(dir.path());
    list.setSelectedIndex(1);
    EXPECT_EQ(list.selectedName(), QStringLiteral("b.jpg"));
    list.setPattern(QStringLiteral("*.jpg"));
    EXPECT_EQ(list.selectedIndex(), -1);
    list.setSelectedIndex(0);
    list.setFolder(dir.path());
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.nameAt(2), QString());
    EXPECT_EQ(list.fullPath(2), QString());

    list.setFolder(dir.filePath("missing"));
    EXPECT_EQ(list.nameCount(), 0);
}

TEST(FolderListTest, FullPathsAddNoSecondSeparatorAtARoot)
{
    EXPECT_EQ(FolderList::joinPath("/", "a.jpg"), "/a.jpg");
    EXPECT_EQ(FolderList::joinPath("D:\\", "a.jpg"), "D:\\a.jpg");
    EXPECT_EQ(FolderList::joinPath("/pics", "a.jpg"), "/pics/a.jpg");

    QTemporaryDir dir;
    touch(dir.filePath("x.bmp"));
    FolderList list;
    list.setFolder(dir.path() + "/");
    EXPECT_EQ(list.fullPath(0), dir.path() + "/x.bmp");
    EXPECT_TRUE(QFile::exists(list.fullPath(0)));
}

TEST(FolderListTest, MainWindowListsTheProgramFolderCameraFiles)
{
    wk::testing::TestScrapbook book;
    touch(book.path("PB00002.jpg"));
    touch(book.path("PB00001.jpg"));
    touch(book.path("other.jpg"));
    wk::testing::StartedProgram program(book.dir());
    program.start();
    auto& form = program.form();
    EXPECT_EQ(form.cameraNumbers->objectName(), "File2");
    EXPECT_EQ(names(*form.cameraNumbers), (QStringList{"PB00001.jpg", "PB00002.jpg"}));
    EXPECT_TRUE(form.folderPictures->isHidden());
    EXPECT_TRUE(form.cameraNumbers->isHidden());
    EXPECT_EQ(form.folderPictures->selectedIndex(), -1);
}
