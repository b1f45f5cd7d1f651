#pragma once
// The picture file lists of the edit area and the two commands that work on a whole folder:
// "Thumbnails" shows a folder's pictures in the thumbnail strip, "Merge" previews a chosen
// picture and renames the folder's camera files ("PIC...") to "PB" + five digits + ".jpg" (or
// the file's own extension when it is not a JPEG).
//
// File1 lists one picture folder (the program folder until a command points it elsewhere);
// File2 lists the "PB*.*" names of the program folder, read when the window is created and by
// merges. Both controls hold the names as their lines; the folder and pattern are kept here.
// Neither is ever shown: "Thumbnails" puts the window into folder thumbnails
// (Mtform1::folderThumbnails).
#include "contracts/PictureFolder.h"
#include "editing/EditingParts.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace wk::editing {

class PictureFiles : public QObject, public contracts::PictureFolder {
    Q_OBJECT
public:
    explicit PictureFiles(const EditingParts& parts);

    // File1: setting the folder or the pattern re-reads the names; nothing is selected after.
    void setFile1Folder(const QString& folder);
    void setFile1Pattern(const QString& pattern);
    QString file1Folder() const;
    QString file1Pattern() const;
    int file1Count() const override;
    QString file1Name(int index) const;          // empty outside 0 .. count - 1
    QString file1Path(int index) const override; // folder and name; empty outside the list
    QStringList file1Names() const;
    // File2's names, in listing order.
    QStringList file2Names() const;

    // Asks for a picture file with the edit area's picture dialog titled `title`, opened on
    // File1's folder. The chosen file's name goes into the picture box Text2 and File1 moves to
    // its folder. Returns that name; empty when cancelled, and then nothing changes.
    QString choosePicture(const QString& title) override;

    void Command1_Click(); // "Thumbnails"
    void CMDMerge_Click(); // "Merge"

    // Renames File1's camera files, numbering on from the highest "PB" number in the program
    // folder (File2) or in File1's folder; files that cannot be renamed without overwriting are
    // skipped and named in one message at the end. Afterwards both lists are re-read, and the
    // picture box and the strip's file names follow the files they named.
    void renameCameraFiles();

private:
    EditingParts parts_;
};

} // namespace wk::editing
