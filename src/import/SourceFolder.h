#pragma once
// The files an import looks at: every file in a folder and its subfolders, hidden files and
// folders left out (a phone's "DCIM/.thumbnails"), each folder walked once however symbolic links
// loop back, in name order.
#include <QString>
#include <stdexcept>
#include <vector>

namespace wk::importing {

// A source that cannot be walked at all: missing, not a folder, or unreadable.
class SourceError : public std::runtime_error {
public:
    explicit SourceError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

struct SourceFile {
    QString path;
    // The name's bytes are no UTF-8 text: the program cannot name the file again to open it.
    bool nameUnreadable = false;
};

// Throws SourceError when `folder` cannot be walked; subfolders that cannot be read are skipped.
std::vector<SourceFile> filesIn(const QString& folder);

} // namespace wk::importing
