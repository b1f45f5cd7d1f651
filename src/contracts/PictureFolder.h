#pragma once
// The picture folder File1 and the picture dialog, as the editing and the strip arrows use them.
// Implemented by editing::PictureFiles.
#include <QString>

namespace wk::contracts {

class PictureFolder {
public:
    // Asks for a picture file; points File1 at its folder and puts its name in Text2. Empty when
    // cancelled.
    virtual QString choosePicture(const QString& title) = 0;
    virtual int file1Count() const = 0;
    // Folder and name of File1's file `index`; empty outside the list.
    virtual QString file1Path(int index) const = 0;

protected:
    ~PictureFolder() = default;
};

} // namespace wk::contracts
