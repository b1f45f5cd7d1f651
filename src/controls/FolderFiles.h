#pragma once
// A folder listing as plain data: the names of the regular files of one folder that match one or more
// ";"-separated patterns, in natural order (digit runs compare by number, so "PB00009" comes before "PB00010"
// and "IMG2" before "IMG10"). Setting the folder or the pattern re-reads the names and leaves no name
// selected. A new list has no folder and lists nothing; its folder is used as given, so the owner gives it a
// full path. One name may be selected.
#include <QString>
#include <QStringList>

namespace wk::controls {

class FolderFiles {
public:
    const QString& folder() const { return folder_; }
    void setFolder(const QString& folder); // re-reads
    const QString& pattern() const { return pattern_; }
    void setPattern(const QString& pattern); // e.g. "*.bmp;*.jpg"; re-reads
    void reRead();

    int nameCount() const { return int(names_.size()); }
    const QStringList& names() const { return names_; }
    // The file name (without folder) at 0-based `index`; empty outside 0 .. count - 1.
    QString nameAt(int index) const;
    int selectedIndex() const { return selected_; } // -1 when none
    void setSelectedIndex(int index);
    QString selectedName() const { return nameAt(selectedIndex()); }
    // folder + separator + name; no separator is added when the folder already ends with one
    // (a drive or file-system root). Empty when the index is outside the list.
    QString fullPath(int index) const;
    static QString joinPath(const QString& folder, const QString& name);
    // The names such a list shows for `folder` and `pattern`, read from the disk now, sorted.
    static QStringList listNames(const QString& folder, const QString& pattern);

    // Natural order used for the names: case-insensitive, digit runs by value.
    static bool naturalLess(const QString& a, const QString& b);

private:
    QString folder_;
    QString pattern_ = QStringLiteral("*.*");
    QStringList names_;
    int selected_ = -1;
};

} // namespace wk::controls
