// The hidden folder listings: reading a folder by patterns, natural order, indexes outside the
// list, the selection after each re-read, and full paths at a root.
#include "SampleArtwork.h"
#include "controls/FolderFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using wk::controls::FolderFiles;

namespace {

void touch(const QString& path) { wk::sample::writeBytes(path, "x"); }

QStringList names(const FolderFiles& list)
{
    QStringList out;
    for (int i = 0; i < list.nameCount(); ++i)
        out << list.nameAt(i);
    return out;
}

} // namespace

TEST(FolderFilesTest, ListsRegularFilesByPatternsInNaturalOrder)
{
    QTemporaryDir dir;
    for (const char* n : {"PB00010.jpg", "PB00009.jpg", "pic2.BMP", "pic10.bmp", "notes.txt", "Readme"})
        touch(dir.filePath(QString::fromLatin1(n)));
    QDir(dir.path()).mkdir(QStringLiteral("sub.jpg")); // a folder is never listed

    FolderFiles list;
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

TEST(FolderFilesTest, IndexesOutsideTheListSelectionAfterReReadAndPathsAtARoot)
{
    QTemporaryDir dir;
    FolderFiles list;
    list.setFolder(dir.path());
    EXPECT_EQ(list.nameCount(), 0);
    EXPECT_EQ(list.nameAt(-1), QString());
    EXPECT_EQ(list.selectedName(), QString());

    touch(dir.filePath("a.jpg"));
    touch(dir.filePath("b.jpg"));
    list.setFolder(dir.path() + "/"); // no second separator before the file name
    list.setSelectedIndex(1);
    EXPECT_EQ(list.selectedName(), QStringLiteral("b.jpg"));
    EXPECT_EQ(list.fullPath(1), dir.path() + "/b.jpg");
    list.setPattern(QStringLiteral("*.jpg"));
    EXPECT_EQ(list.selectedIndex(), -1);
    list.setSelectedIndex(0);
    list.setFolder(dir.path());
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.nameAt(2), QString());
    EXPECT_EQ(list.fullPath(2), QString());
    list.setFolder(dir.filePath("missing"));
    EXPECT_EQ(list.nameCount(), 0);

    EXPECT_EQ(FolderFiles::joinPath("/", "a.jpg"), "/a.jpg");
    EXPECT_EQ(FolderFiles::joinPath("D:\\", "a.jpg"), "D:\\a.jpg");
}
