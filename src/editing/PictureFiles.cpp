#include "editing/PictureFiles.h"

#include "contracts/BigPicture.h"
#include "controls/FolderList.h"
#include "controls/ImageControl.h"
#include "controls/ParallelDecode.h"
#include "controls/Prompts.h"
#include "controls/Steps.h"
#include "editing/CameraFiles.h"
#include "editing/FolderListing.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace wk::editing {

using controls::MessageIcon;
using controls::skipStep;

namespace {
const QString kProgramTitle = QStringLiteral("Wanderkeep");
const QString kMergeTitle = QStringLiteral("Merge");
// Every format the picture loader reads.
const QString kAllPictures = QStringLiteral("*.jpg;*.jpeg;*.bmp;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif");
const QString kPictureFilter =
    QStringLiteral("all files|*.*|picture files|*.bmp;*.jpg|BMP|*.bmp|JPEG|*.jpg|all pictures|") +
    kAllPictures;
constexpr int kPictureFilesFilter = 2; // the "picture files" entry of kPictureFilter
} // namespace

PictureFiles::PictureFiles(const EditingParts& parts) : parts_(parts)
{
    connect(parts_.Command1, &QPushButton::clicked, this, &PictureFiles::Command1_Click);
    connect(parts_.CMDMerge, &QPushButton::clicked, this, &PictureFiles::CMDMerge_Click);
}

void PictureFiles::setFile1Folder(const QString& folder) { parts_.File1->setFolder(folder); }

void PictureFiles::setFile1Pattern(const QString& pattern) { parts_.File1->setPattern(pattern); }

QString PictureFiles::file1Folder() const { return parts_.File1->folder(); }

QString PictureFiles::file1Pattern() const { return parts_.File1->pattern(); }

int PictureFiles::file1Count() const { return parts_.File1->nameCount(); }

QString PictureFiles::file1Name(int index) const { return parts_.File1->nameAt(index); }

QString PictureFiles::file1Path(int index) const { return parts_.File1->fullPath(index); }

QStringList PictureFiles::file1Names() const
{
    QStringList names;
    for (int i = 0; i < file1Count(); ++i)
        names << file1Name(i);
    return names;
}

QStringList PictureFiles::file2Names() const
{
    QStringList names;
    for (int i = 0; i < parts_.File2->nameCount(); ++i)
        names << parts_.File2->nameAt(i);
    return names;
}

QString PictureFiles::choosePicture(const QString& title)
{
    controls::FileDialogRequest request;
    request.title = title;
    request.filter = kPictureFilter;
    request.filterIndex = kPictureFilesFilter;
    request.directory = file1Folder();
    const QString chosen = parts_.prompts.chooseOpenFile(request);
    if (chosen.isEmpty())
        return chosen;
    parts_.Text2->setText(chosen);
    const QString folder = folderOfFile(chosen);
    if (!folder.isEmpty())
        setFile1Folder(folder);
    return chosen;
}

void PictureFiles::Command1_Click()
{
    if (choosePicture(QStringLiteral("Save Image As")).isEmpty())
        return; // cancelled
    try {
        setFile1Pattern(kAllPictures);

        const int count = file1Count();
        int index = count == 0 ? 0 : std::max(0, parts_.File1->currentRow() - 3);
        const int start = index;
        for (int k = 1; k <= 7; ++k)
            parts_.stripBookmarks[k].clear();
        for (int k = 1; k <= 7 && index != count; ++k, ++index)
            parts_.stripBookmarks[k] = file1Path(index);
        parts_.stripFirstIndex = start;
        parts_.stripLastIndex = index - 1;

        QList<controls::ImageControl*> slots;
        QStringList files;
        for (int k = 1; k <= 7; ++k) {
            parts_.Image[k]->show();
            slots << parts_.Image[k];
            files << parts_.stripBookmarks[k];
        }
        controls::loadThumbnails(slots, files);
        parts_.CMDFWD->show();
        parts_.CMDREV->show();
        parts_.folderThumbnails = true;
    } catch (const std::exception& error) {
        parts_.prompts.tell(kProgramTitle, QString::fromUtf8(error.what()), MessageIcon::Critical);
    }
}

void PictureFiles::CMDMerge_Click()
{
    const QString chosen = choosePicture(QStringLiteral("Merge Directory"));
    if (chosen.isEmpty())
        return; // cancelled
    try {
        parts_.Text1->show();
        parts_.Text2->show();
        parts_.Text4->show();
        parts_.bigPicture.previewPicture(chosen);
    } catch (const std::exception& error) {
        // A file that is no picture (a camera's folder listing, say) still leads to the merge.
        parts_.prompts.tell(kProgramTitle, QString::fromUtf8(error.what()), MessageIcon::Critical);
        renameCameraFiles();
        return;
    }
    const int cameraFiles = countCameraFiles(file1Names());
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
    const QString folder = file1Folder();
    // Both folders as they are now: an earlier merge of this run may have given "PB" names in
    // either, and numbering on from them keeps this merge from colliding with that one.
    parts_.File2->reRead();
    const int highest =
        std::max(highestPbNumber(file2Names()),
                 highestPbNumber(controls::FolderList::listNames(folder, parts_.File2->pattern())));
    const RenameOutcome outcome = editing::renameCameraFiles(folder, file1Names(), highest);

    // No list or box keeps a name that is gone, so a Save or a thumbnail click cannot store one.
    parts_.File1->reRead();
    parts_.File2->reRead();
    parts_.Text2->setText(pathAfterRenames(parts_.Text2->text(), folder, outcome));
    for (int k = 1; k <= 7; ++k)
        parts_.stripBookmarks[k] = pathAfterRenames(parts_.stripBookmarks[k], folder, outcome);

    if (outcome.skipped.isEmpty())
        return;
    parts_.prompts.tell(kMergeTitle,
                        QStringLiteral("These files were not renamed, so that no file is "
                                       "overwritten:\n") +
                            outcome.skipped.join(QLatin1Char('\n')),
                        MessageIcon::Exclamation);
}

} // namespace wk::editing
