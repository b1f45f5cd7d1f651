// Folder listings, folder thumbnails and the renaming of camera files, on real folders.
#include "controls/FolderFiles.h"
#include "EditingFixture.h"
#include "PictureTools.h"

#include "controls/ImageControl.h"
#include "editing/CameraFiles.h"
#include "editing/FolderListing.h"
#include "editing/PictureFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

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

TEST(FolderListing, TheFolderOfAChosenFile)
{
    EXPECT_EQ(folderOfFile("/home/kim/pics/a.jpg"), "/home/kim/pics/");
    EXPECT_EQ(folderOfFile("C:\\pics\\a.jpg"), "C:\\pics\\");
    EXPECT_EQ(folderOfFile("a.jpg"), "");
}

TEST(CameraFiles, NumbersAndNames)
{
    EXPECT_EQ(pbNumber("PB00012.jpg"), 12);
    EXPECT_EQ(pbNumber("PB12345.jpg"), 12345);
    EXPECT_EQ(pbNumber("PB12a45.jpg"), 12);
    EXPECT_EQ(pbNumber("PB1234567.jpg"), 12345);
    EXPECT_EQ(highestPbNumber({}), 0);
    EXPECT_EQ(highestPbNumber({"PB00003.jpg", "PB00012.jpg"}), 12);
    EXPECT_EQ(highestPbNumber({"PB00012.jpg", "PBnotes.txt"}), 12); // a stray name sorts last
    EXPECT_EQ(pbName(1), "PB00001.jpg");
    EXPECT_EQ(pbName(12346), "PB12346.jpg");
    EXPECT_EQ(pbName(123456), "PB23456.jpg"); // only the last five digits
    EXPECT_EQ(pbName(7, "PIC0001.JPEG"), "PB00007.jpg");
    EXPECT_EQ(pbName(7, "PIC0001.HEIC"), "PB00007.heic");
    EXPECT_EQ(pbName(7, "PIC0001"), "PB00007.jpg");
    EXPECT_TRUE(isCameraFile("PIC0001.JPG"));
    EXPECT_FALSE(isCameraFile("pic0001.jpg"));
    EXPECT_FALSE(isCameraFile("Pic0001.jpg"));
}

TEST_F(EditingTest, ThumbnailsShowAFolderOfFewerThanSevenPictures)
{
    book.writePicture("trip/one.jpg", {300, 200});
    book.writePicture("trip/two.BMP", {200, 300});
    book.writePicture("trip/three.jpg", {100, 100});
    writeText(book.path("trip/notes.txt"));
    writeText(book.path("trip/bad.jpg")); // listed, but no picture
    shell::MainWindow& form = startInEditScreen(-1);
    prompts().fileAnswers.enqueue(book.path("trip/two.BMP"));
    form.widgets().thumbnailsButton->click();

    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].title, "Save Image As");
    EXPECT_EQ(prompts().asked[0].request.filterIndex, 2);
    EXPECT_EQ(form.widgets().pictureEdit->text(), book.path("trip/two.BMP"));
    PictureFiles& files = form.pictureFiles();
    EXPECT_EQ(files.listedPattern(), "*.jpg;*.jpeg;*.bmp;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif");
    EXPECT_EQ(files.listedNames(), QStringList({"bad.jpg", "one.jpg", "three.jpg", "two.BMP"}));
    EXPECT_EQ(form.strip().slot(1), book.path("trip/bad.jpg"));
    EXPECT_EQ(form.strip().slot(2), book.path("trip/one.jpg"));
    EXPECT_EQ(form.strip().slot(3), book.path("trip/three.jpg"));
    EXPECT_EQ(form.strip().slot(4), book.path("trip/two.BMP"));
    for (int k = 5; k <= 7; ++k) {
        EXPECT_EQ(form.strip().slot(k), "") << k;
        EXPECT_TRUE(form.widgets().stripSlots[k]->picture().isNull()) << k;
    }
    EXPECT_TRUE(form.widgets().stripSlots[1]->picture().isNull()); // the unreadable file: an empty slot
    EXPECT_EQ(form.widgets().stripSlots[2]->picture().naturalSize, QSize(300, 200));
    EXPECT_EQ(form.widgets().stripSlots[4]->picture().naturalSize, QSize(200, 300));
    for (int k = 1; k <= 7; ++k) {
        EXPECT_TRUE(form.widgets().stripSlots[k]->isVisibleTo(&form)) << k;
        EXPECT_TRUE(form.widgets().stripSlots[k]->stretch()) << k;
    }
    EXPECT_EQ(form.strip().firstLine, 0);
    EXPECT_EQ(form.strip().lastLine, 3);
    EXPECT_TRUE(form.widgets().forwardArrow->isVisibleTo(&form));
    EXPECT_TRUE(form.widgets().backArrow->isVisibleTo(&form));
    EXPECT_TRUE(form.strip().showsFolder());
    EXPECT_TRUE(prompts().toldTexts().isEmpty());

    // Cancelling leaves the strip as it is.
    form.widgets().thumbnailsButton->click();
    EXPECT_EQ(form.strip().slot(2), book.path("trip/one.jpg"));
}

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
    void merge(const QString& chosen)
    {
        prompts().fileAnswers.enqueue(chosen);
        form->widgets().mergeButton->click();
    }
    QString camera;
    shell::MainWindow* form = nullptr;
};

TEST_F(MergeTest, AGoodPreviewAsksThenRenamesOnFromTheHighestNumber)
{
    form = &startInEditScreen(-1);
    prompts().yesNoAnswers.enqueue(true);
    merge(book.path("camera/holiday.jpg"));
    ASSERT_EQ(prompts().asked.size(), 2);
    EXPECT_EQ(prompts().asked[0].title, "Merge Directory");
    EXPECT_EQ(prompts().asked[0].request.filterIndex, 2);
    EXPECT_EQ(prompts().asked[1].kind, "yesno");
    EXPECT_TRUE(prompts().asked[1].text.contains("2 files"));
    EXPECT_EQ(form->widgets().bigImage->picture().naturalSize, QSize(64, 48));
    EXPECT_EQ(form->widgets().pictureEdit->text(), book.path("camera/holiday.jpg"));
    EXPECT_EQ(namesIn(camera), QStringList({"PB00013.jpg", "PB00014.jpg", "holiday.jpg", "pic0003.jpg"}));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}

TEST_F(MergeTest, APhonePictureKeepsItsOwnKindOfName)
{
    if (!wk::testing::havePictureTools())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    QImage portrait(48, 64, QImage::Format_RGB32);
    portrait.fill(Qt::red);
    ASSERT_TRUE(wk::testing::writeWithConvert(portrait, book.path("camera/PIC0009.HEIC")));
    QFile::remove(book.path("camera/PIC0009.HEIC.source.png"));
    form = &startInEditScreen(-1);
    prompts().yesNoAnswers.enqueue(true);
    merge(book.path("camera/PIC0009.HEIC"));
    EXPECT_EQ(form->widgets().bigImage->picture().naturalSize, QSize(48, 64));
    EXPECT_EQ(namesIn(camera),
              QStringList({"PB00013.jpg", "PB00014.jpg", "PB00015.heic", "holiday.jpg", "pic0003.jpg"}));
    EXPECT_EQ(form->widgets().pictureEdit->text(), book.path("camera/PB00015.heic"));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
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

    form.widgets().addButton->click(); // each dialog cancelled
    form.widgets().mergeButton->click();
    prompts().fileAnswers.enqueue(book.path("phone/h.heic"));
    form.widgets().thumbnailsButton->click();
    ASSERT_EQ(prompts().asked.size(), 3);
    for (const auto& asked : prompts().asked) {
        SCOPED_TRACE(asked.title.toStdString());
        EXPECT_EQ(asked.request.filter,
                  "all files|*.*|picture files|*.bmp;*.jpg|BMP|*.bmp|JPEG|*.jpg|"
                  "all pictures|*.jpg;*.jpeg;*.bmp;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif");
        EXPECT_EQ(asked.request.filterIndex, 2);
    }
    EXPECT_EQ(form.pictureFiles().listedNames(), names);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(form.strip().slot(k), book.path("phone/" + names[k - 1]));
        EXPECT_EQ(form.widgets().stripSlots[k]->picture().naturalSize, QSize(60, 40)) << k;
    }
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}

TEST_F(MergeTest, NoRenamesNothing)
{
    form = &startInEditScreen(-1);
    merge(book.path("camera/holiday.jpg"));
    EXPECT_EQ(prompts().asked.last().kind, "yesno");
    EXPECT_TRUE(namesIn(camera).contains("PIC0001.JPG"));
    EXPECT_TRUE(namesIn(camera).contains("PIC0002.jpg"));
}

TEST_F(MergeTest, AFailedPreviewReportsAndRenamesWithoutAsking)
{
    writeText(book.path("camera/PIC0004.txt"));
    form = &startInEditScreen(-1);
    merge(book.path("camera/PIC0004.txt"));
    ASSERT_EQ(prompts().toldTexts().size(), 1); // the preview's error
    for (const auto& a : prompts().asked)
        EXPECT_NE(a.kind, "yesno");
    EXPECT_EQ(namesIn(camera),
              QStringList({"PB00013.jpg", "PB00014.jpg", "PB00015.txt", "holiday.jpg", "pic0003.jpg"}));
    EXPECT_EQ(form->widgets().pictureEdit->text(),
              book.path("camera/PB00015.txt")); // the chosen file, renamed
}

TEST_F(MergeTest, ASaveAfterAMergeStoresTheNewNameOfTheFile)
{
    book.addEntry({QDate(1999, 3, 1), "Kite"});
    form = &startInEditScreen(0);
    prompts().fileAnswers.enqueue(book.path("camera/holiday.jpg"));
    form->widgets().thumbnailsButton->click(); // the strip shows the camera files under their old names
    prompts().yesNoAnswers.enqueue(true);
    merge(book.path("camera/PIC0002.jpg"));
    EXPECT_EQ(form->widgets().pictureEdit->text(), book.path("camera/PB00014.jpg"));
    EXPECT_EQ(form->pictureFiles().listedNames(),
              QStringList({"holiday.jpg", "PB00013.jpg", "PB00014.jpg", "pic0003.jpg"}));
    form->widgets().saveChangesButton->click();
    EXPECT_EQ(storedEntries().at(0)["PICTURE"].toString(), book.path("camera/PB00014.jpg"));

    // A folder thumbnail filled before the merge hands on the new name as well.
    QTest::mouseClick(form->widgets().stripSlots[2], Qt::LeftButton);
    form->widgets().saveChangesButton->click();
    const QString stored = storedEntries().at(0)["PICTURE"].toString();
    EXPECT_EQ(stored, book.path("camera/PB00013.jpg"));
    EXPECT_TRUE(QFileInfo::exists(stored));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}

TEST_F(MergeTest, EachMergeNumbersOnFromTheProgramFolderAndTheMergeFolder)
{
    book.writePicture("card/PB00040.jpg", {64, 48});
    book.writePicture("card/PIC0001.jpg", {64, 48});
    book.writePicture("PIC0100.jpg", {64, 48});
    book.writePicture("phone/PIC0001.jpg", {64, 48});
    form = &startInEditScreen(-1);
    const auto mergeAndRename = [this](const QString& chosen) {
        prompts().yesNoAnswers.enqueue(true);
        merge(book.path(chosen));
    };

    mergeAndRename("camera/holiday.jpg"); // 13 and 14, on from the program folder's 12
    book.writePicture("camera/PIC0005.jpg", {64, 48});
    mergeAndRename("camera/holiday.jpg");
    EXPECT_EQ(namesIn(camera),
              QStringList({"PB00013.jpg", "PB00014.jpg", "PB00015.jpg", "holiday.jpg", "pic0003.jpg"}));

    mergeAndRename("card/PIC0001.jpg"); // the merge folder's 40 is the higher
    EXPECT_EQ(namesIn(book.path("card")), QStringList({"PB00040.jpg", "PB00041.jpg"}));

    // A merge in the program folder itself: cameraNumbers lists its new name, and the next merge
    // elsewhere numbers on from it.
    mergeAndRename("PIC0100.jpg");
    EXPECT_EQ(form->pictureFiles().cameraNumberNames(),
              QStringList({"PB00003.jpg", "PB00012.jpg", "PB00013.jpg"}));
    mergeAndRename("phone/PIC0001.jpg");
    EXPECT_EQ(namesIn(book.path("phone")), QStringList({"PB00014.jpg"}));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}

TEST_F(MergeTest, NothingIsOverwrittenWhenTheNumbersWrapAround)
{
    writeText(book.path("PB99999.jpg"));
    book.writePicture("camera/PB00000.jpg", {10, 10}, QColor(255, 0, 0));
    form = &startInEditScreen(-1);
    prompts().yesNoAnswers.enqueue(true);
    merge(book.path("camera/PIC0001.JPG"));
    // 100000 keeps its last five digits; PB00000.jpg is there already, so PIC0001.JPG keeps
    // its name (and the picture box with it), is named in the message, and the next goes on.
    EXPECT_EQ(namesIn(camera),
              QStringList({"PB00000.jpg", "PB00001.jpg", "PIC0001.JPG", "holiday.jpg", "pic0003.jpg"}));
    EXPECT_EQ(QImage(book.path("camera/PB00000.jpg")).size(), QSize(10, 10));
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_TRUE(prompts().toldTexts()[0].contains("PIC0001.JPG"));
    EXPECT_FALSE(prompts().toldTexts()[0].contains("PIC0002"));
    EXPECT_EQ(form->widgets().pictureEdit->text(), book.path("camera/PIC0001.JPG"));
}
