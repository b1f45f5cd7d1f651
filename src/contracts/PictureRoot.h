#pragma once
// The folder (or drive) where the picture disc is found, as kept in table cddrive: a stored
// picture name that starts with "%" stands for a file under it. Read by the entry display,
// changed by the picture disc window.
#include <QString>

namespace wk::contracts {

class PictureRoot {
public:
    const QString& text() const { return text_; }
    void setText(const QString& text) { text_ = text; }

private:
    QString text_;
};

} // namespace wk::contracts
