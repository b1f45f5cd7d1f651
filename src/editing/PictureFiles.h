#pragma once
// The picture file lists of the edit area and the two commands that work on a whole folder:
// "Thumbnails" shows a folder's pictures in the thumbnail strip, "Merge" previews a chosen
// picture and renames the folder's camera files ("PIC...") to "PB" + five digits + ".jpg" (or
// the file's own extension when it is not a JPEG).
//
// folderPictures lists one picture folder (the program folder until a command points it elsewhere);
// cameraNumbers lists the "PB*.*" names of the program folder, read when the window is created and by
// merges. Both controls hold the names as their lines; the folder and pattern are kept here.
// Neither is ever shown: "Thumbnails" puts the window into folder thumbnails
// (contracts::StripState::showsFolder).
#include "contracts/PictureFolder.h"
#include "controls/FolderFiles.h"
#include "editing/EditingParts.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace wk::editing {

class PictureFiles : public QObject, public contracts::PictureFolder {
    Q_OBJECT
public:
    explicit PictureFiles(const EditingParts& parts);

    // folderPictures: setting the folder or the pattern re-reads the names; nothing is selected after.
    void setListedFolder(const QString& folder);
    void setListedPattern(const QString& pattern);
    QString listedFolder() const;
    QString listedPattern() const;
    int listedCount() const override;
    QString listedName(int index) const;          // empty outside 0 .. count - 1
    QString listedPath(int index) const override; // folder and name; empty outside the list
    QStringList listedNames() const;
    // cameraNumbers's names, in listing order.
    QStringList cameraNumberNames() const;

    // Asks for a picture file with the edit area's picture dialog titled `title`, opened on
    // folderPictures's folder. The chosen file's name goes into the picture box pictureEdit and
    // folderPictures moves to its folder. Returns that name; empty when cancelled, and then nothing changes.
    QString choosePicture(const QString& title) override;

    void showFolderThumbnails(); // "Thumbnails"
    void mergeCameraFiles();     // "Merge"

    // Renames folderPictures's camera files, numbering on from the highest "PB" number in the program
    // folder (cameraNumbers) or in folderPictures's folder; files that cannot be renamed without overwriting
    // are skipped and named in one message at the end. Afterwards both lists are re-read, and the picture box
    // and the strip's file names follow the files they named.
    void renameCameraFiles();

private:
    EditingParts parts_;
    controls::FolderFiles folderPictures_; // the picture folder the picture commands point at
    controls::FolderFiles cameraNumbers_;  // the program folder's "PB*.*" names
};

} // namespace wk::editing
