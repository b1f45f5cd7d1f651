#pragma once
// The big picture bigImage and the picture-name rules behind it, as the editing, the listing and
// the folder thumbnails use them. Implemented by browse::EntryDisplay.
#include <QString>

namespace wk::contracts {

class BigPicture {
public:
    // The file a stored picture name stands for ("%" names on the picture disc, relative names
    // in the program's folder); empty for an empty name.
    virtual QString resolvePictureName(const QString& stored) const = 0;
    // Shows the resolved file `path` with the strip's width rule; clears the picture when the
    // file is not there.
    virtual void showWithStripWidthRule(const QString& path) = 0;
    // Shows the file `path` as the picture of an entry being added: stretched, with the
    // landscape or portrait layout its shape asks for (a square one keeps the layout). Throws
    // PictureError when it cannot be read.
    virtual void previewPicture(const QString& path) = 0;

protected:
    ~BigPicture() = default;
};

} // namespace wk::contracts
