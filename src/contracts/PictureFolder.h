#pragma once
// The picture folder folderPictures and the picture dialog, as the editing and the strip arrows use them.
// Implemented by editing::PictureFiles.
#include <QString>

namespace wk::contracts {

class PictureFolder {
public:
    // Asks for a picture file; points folderPictures at its folder and puts its name in pictureEdit. Empty
    // when cancelled.
    virtual QString choosePicture(const QString& title) = 0;
    virtual int listedCount() const = 0;
    // Folder and name of folderPictures's file `index`; empty outside the list.
    virtual QString listedPath(int index) const = 0;

protected:
    ~PictureFolder() = default;
};

} // namespace wk::contracts
