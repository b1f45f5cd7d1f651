#pragma once
// What the thumbnail strip shows, shared by every subsystem that fills, steps or reads it.
#include <QString>
#include <array>

namespace wk::contracts {

class StripState {
public:
    static constexpr int kSlots = 7;

    // Slot k of 1..7: the bookmark of the entry it shows, a file's path while the strip shows a
    // folder, or empty.
    QString& slot(int k) { return slots_.at(size_t(k)); }
    const QString& slot(int k) const { return slots_.at(size_t(k)); }

    // The strip shows a folder's pictures ("Thumbnails"): its slots then hold file names, a
    // thumbnail click hands its file to the picture box and the arrows step through the folder.
    // Showing an entry or refilling the list or the strip from the entries ends it.
    bool showsFolder() const { return showsFolder_; }
    void setShowsFolder(bool shows) { showsFolder_ = shows; }

    // The list lines (or folder files) of the first and last slot; full-size integers, because a
    // scrapbook of years holds more lines than a 16-bit index can count.
    int firstLine = 0;
    int lastLine = 0;

private:
    std::array<QString, kSlots + 1> slots_; // [1]..[7]
    bool showsFolder_ = false;
};

} // namespace wk::contracts
