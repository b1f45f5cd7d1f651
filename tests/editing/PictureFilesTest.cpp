// Folder listings, folder thumbnails and the renaming of camera files, on real folders.
#include "EditingFixture.h"
#include "PictureTools.h"

#include "editing/CameraFiles.h"
#include "editing/FolderListing.h"
#include "editing/PictureFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

using namespace wk;
using namespace wk::editing;
using wk::testing::EditingTest;

namespace {
QStringList namesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }
void writeText(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}
} // namespace

TEST(CameraFiles, FoldersNumbersAndNames)
{
    EXPECT_EQ(folderOfFile("/home/kim/pics/a.jpg"), "/home/kim/pics/");
    EXPECT_EQ(folderOfFile("C:\\pics\\a.jpg"), "C:\\pics\\");
    EXPECT_EQ(folderOfFile("a.jpg"), "");
    const std::pair<const char*, int> numbers[] = {
        {"PB00012.jpg", 12}, {"PB12345.jpg", 12345}, {"PB12a45.jpg", 12}, {"PB1234567.jpg", 12345}};
    for (const auto& [name, number] : numbers)
        EXPECT_EQ(pbNumber(name), number) << name;
    EXPECT_EQ(highestPbNumber({}), 0);
    EXPECT_EQ(highestPbNumber({"PB00003.jpg", "PB00012.jpg", "PBnotes.txt"}), 12); // a stray name sorts last
    // {number, old name, new name}: the last five digits, the old name's kind.
    const std::tuple<int, const char*, const char*> names[] = {{1, "", "PB00001.jpg"},
                                                               {123456, "", "PB23456.jpg"},
                                                               {7, "PIC0001.JPEG", "PB00007.jpg"},
                                                               {7, "PIC0001.HEIC", "PB00007.heic"},
                                                               {8, "PIC0002.MOV", "PB00008.mov"},
                                                               {7, "PIC0001", "PB00007.jpg"}};
    for (const auto& [number, old, name] : names)
        EXPECT_EQ(pbName(number, old), name) << old;
    EXPECT_TRUE(isCameraFile("PIC0001.JPG") && !isCameraFile("pic0001.jpg") && !isCameraFile("Pic0001.jpg"));
}

TEST_F(EditingTest, AddThumbnailsAndMergeOfferAllPicturesAndThumbnailsShowEveryFormat)
{
    if (!wk::testing::havePictureTools())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    QImage wide(60, 40, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    const QStringList names{"a.BMP", "b.jpeg", "c.JPG",  "d.png", "e.webp",
                            "f.tif", "g.TIFF", "h.heic", "i.HEIF"};
    QDir().mkpath(book.path("phone"));
    for (const QString& name : names)
        ASSERT_TRUE(wk::testing::writeWithConvert(wide, book.path("phone/" + name)));
    for (const QString& left : QDir(book.path("phone")).entryList({"*.source.png"}))
        QFile::remove(book.path("phone/" + left));
    writeText(book.path("phone/notes.txt"));
    shell::MainWindow& form = startInEditScreen(-1);

    widgets().addButton->click(); // each dialog cancelled
    widgets().mergeButton->click();
    widgets().thumbnailsButton->click();
    prompts().fileAnswers.enqueue(book.path("phone/h.heic"));
    widgets().thumbnailsButton->click();
    ASSERT_EQ(prompts().asked.size(), 4);
    for (const auto& asked : prompts().asked) {
        SCOPED_TRACE(asked.title.toStdString());
        EXPECT_TRUE(asked.request.filter.endsWith(
            "|all pictures and videos|*.jpg;*.jpeg;*.bmp;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif;"
            "*.mp4;*.mov;*.m4v;*.3gp;*.mkv;*.webm"));
        EXPECT_EQ(asked.request.filterIndex, 2);
    }
    EXPECT_EQ(form.pictureFiles().listedNames(), names);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(form.strip().slot(k), book.path("phone/" + names[k - 1]));
        EXPECT_EQ(widgets().stripSlots[k]->picture().naturalSize, QSize(60, 40)) << k;
    }
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}

namespace {

class MergeTest : public EditingTest {
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        // The program folder's numbering: the highest "PB" number is 12.
        writeText(book.path("PB00003.jpg"));
        writeText(book.path("PB00012.jpg"));
        camera = book.path("camera");
        book.writePicture("camera/PIC0001.JPG", {64, 48});
        book.writePicture("camera/PIC0002.jpg", {64, 48});
        book.writePicture("camera/pic0003.jpg", {64, 48}); // lower case: not a camera name
        book.writePicture("camera/holiday.jpg", {64, 48});
    }
    // Merges the folder of `chosen`, answering `rename` to the question.
    void merge(const QString& chosen, bool rename = true)
    {
        prompts().yesNoAnswers.enqueue(rename);
        prompts().fileAnswers.enqueue(book.path(chosen));
        widgets().mergeButton->click();
    }
    QString camera;
};

} // namespace

TEST_F(MergeTest, EachMergeAsksAfterAPreviewAndNumbersOnFromTheProgramFolderAndTheMergeFolder)
{
    book.writePicture("card/PB00040.jpg", {64, 48});
    book.writePicture("card/PIC0001.jpg", {64, 48});
    book.writePicture("PIC0100.jpg", {64, 48});
    book.writePicture("phone/PIC0001.jpg", {64, 48});
    shell::MainWindow& form = startInEditScreen(-1);
    const QStringList untouched = namesIn(camera);
    merge("camera/holiday.jpg", false); // No renames nothing
    ASSERT_EQ(prompts().asked.size(), 2);
    EXPECT_EQ(prompts().asked[0].request.filterIndex, 2);
    EXPECT_EQ(prompts().asked[1].kind, "yesno");
    EXPECT_TRUE(prompts().asked[1].text.contains("2 files"));
    EXPECT_EQ(namesIn(camera), untouched);

    merge("camera/holiday.jpg"); // 13 and 14, on from the program folder's 12
    EXPECT_EQ(widgets().bigImage->picture().naturalSize, QSize(64, 48));
    EXPECT_EQ(widgets().pictureEdit->text(), book.path("camera/holiday.jpg"));
    EXPECT_EQ(namesIn(camera), QStringList({"PB00013.jpg", "PB00014.jpg", "holiday.jpg", "pic0003.jpg"}));
    book.writePicture("camera/PIC0005.jpg", {64, 48});
    merge("camera/holiday.jpg");
    EXPECT_TRUE(namesIn(camera).contains("PB00015.jpg"));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());

    // A failed preview is reported, and the folder is renamed without asking, the chosen file too.
    writeText(book.path("camera/PIC0006.txt"));
    const int asked = prompts().asked.size();
    prompts().fileAnswers.enqueue(book.path("camera/PIC0006.txt"));
    widgets().mergeButton->click();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_EQ(prompts().asked.size(), asked + 2); // the dialog and the message
    EXPECT_EQ(widgets().pictureEdit->text(), book.path("camera/PB00016.txt"));
    prompts().yesNoAnswers.clear();

    merge("card/PIC0001.jpg"); // the merge folder's 40 is the higher
    EXPECT_EQ(namesIn(book.path("card")), QStringList({"PB00040.jpg", "PB00041.jpg"}));
    // A merge in the program folder itself lists its new name, and the next numbers on from it.
    merge("PIC0100.jpg");
    EXPECT_EQ(form.pictureFiles().cameraNumberNames(),
              QStringList({"PB00003.jpg", "PB00012.jpg", "PB00013.jpg"}));
    merge("phone/PIC0001.jpg");
    EXPECT_EQ(namesIn(book.path("phone")), QStringList({"PB00014.jpg"}));
    EXPECT_EQ(prompts().toldTexts().size(), 1);
}

TEST_F(MergeTest, NothingIsOverwrittenWhenTheNumbersWrapAround)
{
    writeText(book.path("PB99999.jpg"));
    book.writePicture("camera/PB00000.jpg", {10, 10}, QColor(255, 0, 0));
    startInEditScreen(-1);
    merge("camera/PIC0001.JPG");
    // 100000 is PB00000.jpg, which is there already: PIC0001.JPG keeps its name and is told of.
    EXPECT_EQ(namesIn(camera),
              QStringList({"PB00000.jpg", "PB00001.jpg", "PIC0001.JPG", "holiday.jpg", "pic0003.jpg"}));
    EXPECT_EQ(QImage(book.path("camera/PB00000.jpg")).size(), QSize(10, 10));
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_TRUE(prompts().toldTexts()[0].contains("PIC0001.JPG"));
    EXPECT_FALSE(prompts().toldTexts()[0].contains("PIC0002"));
    EXPECT_EQ(widgets().pictureEdit->text(), book.path("camera/PIC0001.JPG"));
}
