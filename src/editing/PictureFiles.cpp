#include "contracts/StripState.h"
#include "editing/PictureFiles.h"

#include "controls/VideoPoster.h"

#include "contracts/BigPicture.h"
#include "controls/FolderFiles.h"
#include "controls/ImageControl.h"
#include "controls/ParallelDecode.h"
#include "controls/Prompts.h"
#include "controls/Steps.h"
#include "editing/CameraFiles.h"
#include "editing/FolderListing.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace wk::editing {

using controls::MessageIcon;
using controls::skipStep;

namespace {
const QString kProgramTitle = QStringLiteral("Wanderkeep");
const QString kMergeTitle = QStringLiteral("Merge");
// Every format the picture loader reads: pictures, and videos as their poster frames.
const QString kAllPictures = QStringLiteral("*.jpg;*.jpeg;*.bmp;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif;") +
                             controls::videoNamePatterns();
const QString kPictureFilter =
    QStringLiteral("all files|*.*|picture files|*.bmp;*.jpg|BMP|*.bmp|JPEG|*.jpg|all pictures and videos|") +
    kAllPictures;
constexpr int kPictureFilesFilter = 2; // the "picture files" entry of kPictureFilter
} // namespace

PictureFiles::PictureFiles(const EditingParts& parts) : parts_(parts)
{
    folderPictures_.setFolder(parts_.programDirectory);
    cameraNumbers_.setPattern(QStringLiteral("PB*.*"));
    cameraNumbers_.setFolder(parts_.programDirectory);
    connect(parts_.thumbnailsButton, &QPushButton::clicked, this, &PictureFiles::showFolderThumbnails);
    connect(parts_.mergeButton, &QPushButton::clicked, this, &PictureFiles::mergeCameraFiles);
}

void PictureFiles::setListedFolder(const QString& folder) { folderPictures_.setFolder(folder); }

void PictureFiles::setListedPattern(const QString& pattern) { folderPictures_.setPattern(pattern); }

QString PictureFiles::listedFolder() const { return folderPictures_.folder(); }

QString PictureFiles::listedPattern() const { return folderPictures_.pattern(); }

int PictureFiles::listedCount() const { return folderPictures_.nameCount(); }

QString PictureFiles::listedName(int index) const { return folderPictures_.nameAt(index); }

QString PictureFiles::listedPath(int index) const { return folderPictures_.fullPath(index); }

QStringList PictureFiles::listedNames() const
{
    QStringList names;
    for (int i = 0; i < listedCount(); ++i)
        names << listedName(i);
    return names;
}

QStringList PictureFiles::cameraNumberNames() const
{
    QStringList names;
    for (int i = 0; i < cameraNumbers_.nameCount(); ++i)
        names << cameraNumbers_.nameAt(i);
    return names;
}

QString PictureFiles::choosePicture(const QString& title)
{
    controls::FileDialogRequest request;
    request.title = title;
    request.filter = kPictureFilter;
    request.filterIndex = kPictureFilesFilter;
    request.directory = listedFolder();
    const QString chosen = parts_.prompts.chooseOpenFile(request);
    if (chosen.isEmpty())
        return chosen;
    parts_.pictureEdit->setText(chosen);
    const QString folder = folderOfFile(chosen);
    if (!folder.isEmpty())
        setListedFolder(folder);
    return chosen;
}

void PictureFiles::showFolderThumbnails()
{
    if (choosePicture(QStringLiteral("Save Image As")).isEmpty())
        return; // cancelled
    try {
        setListedPattern(kAllPictures);

        const int count = listedCount();
        int index = count == 0 ? 0 : std::max(0, folderPictures_.selectedIndex() - 3);
        const int start = index;
        for (int k = 1; k <= 7; ++k)
            parts_.strip.slot(k).clear();
        for (int k = 1; k <= 7 && index != count; ++k, ++index)
            parts_.strip.slot(k) = listedPath(index);
        parts_.strip.firstLine = start;
        parts_.strip.lastLine = index - 1;

        QList<controls::ImageControl*> slots;
        QStringList files;
        for (int k = 1; k <= 7; ++k) {
            parts_.stripSlots[k]->show();
            slots << parts_.stripSlots[k];
            files << parts_.strip.slot(k);
        }
        controls::loadThumbnails(slots, files);
        parts_.forwardArrow->show();
        parts_.backArrow->show();
        parts_.strip.setShowsFolder(true);
    } catch (const std::exception& error) {
        parts_.prompts.tell(kProgramTitle, QString::fromUtf8(error.what()), MessageIcon::Critical);
    }
}

void PictureFiles::mergeCameraFiles()
{
    const QString chosen = choosePicture(QStringLiteral("Merge Directory"));
    if (chosen.isEmpty())
        return; // cancelled
    try {
        parts_.dateEdit->show();
        parts_.pictureEdit->show();
        parts_.titleEdit->show();
        parts_.bigPicture.previewPicture(chosen);
    } catch (const std::exception& error) {
        // A file that is no picture (a camera's folder listing, say) still leads to the merge.
        parts_.prompts.tell(kProgramTitle, QString::fromUtf8(error.what()), MessageIcon::Critical);
        renameCameraFiles();
        return;
    }
    const int cameraFiles = countCameraFiles(listedNames());
    if (cameraFiles == 0)
        return;
    const QString question =
        cameraFiles == 1
            ? QStringLiteral("Rename the 1 file whose name begins with \"PIC\" in this folder to "
                             "a \"PB\" name?")
            : QStringLiteral("Rename the %1 files whose names begin with \"PIC\" in this folder "
                             "to \"PB\" names?")
                  .arg(cameraFiles);
    if (parts_.prompts.askYesNo(kMergeTitle, question))
        renameCameraFiles();
}

void PictureFiles::renameCameraFiles()
{
    const QString folder = listedFolder();
    // Both folders as they are now: an earlier merge of this run may have given "PB" names in
    // either, and numbering on from them keeps this merge from colliding with that one.
    cameraNumbers_.reRead();
    const int highest =
        std::max(highestPbNumber(cameraNumberNames()),
                 highestPbNumber(controls::FolderFiles::listNames(folder, cameraNumbers_.pattern())));
    const RenameOutcome outcome = editing::renameCameraFiles(folder, listedNames(), highest);

    // No list or box keeps a name that is gone, so a Save or a thumbnail click cannot store one.
    folderPictures_.reRead();
    cameraNumbers_.reRead();
    parts_.pictureEdit->setText(pathAfterRenames(parts_.pictureEdit->text(), folder, outcome));
    for (int k = 1; k <= 7; ++k)
        parts_.strip.slot(k) = pathAfterRenames(parts_.strip.slot(k), folder, outcome);

    if (outcome.skipped.isEmpty())
        return;
    parts_.prompts.tell(kMergeTitle,
                        QStringLiteral("These files were not renamed, so that no file is "
                                       "overwritten:\n") +
                            outcome.skipped.join(QLatin1Char('\n')),
                        MessageIcon::Exclamation);
}

} // namespace wk::editing
