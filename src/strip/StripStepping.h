#pragma once
// The strip arrows: CMDFWD drops the leftmost thumbnail and brings in the next picture on the
// right, CMDREV does the opposite; at either end of the source list the arrow clicked turns
// into its stop marker (FWDSTOP, REVSTOP). The source is the picture file list File1 while the
// strip holds a folder's pictures (folder thumbnails), otherwise the entry list ListDB1.
//
// Front door: StripStepping, created by the main window. Uses strip/StripSlots for the slots.
#include <QObject>
#include <QString>

namespace wk::shell {
class Mtform1;
}

namespace wk::strip {

class StripStepping : public QObject {
    Q_OBJECT
public:
    explicit StripStepping(shell::Mtform1& form);

    void CMDFWD_Click();
    void CMDREV_Click();

private:
    bool folderShown() const;
    int sourceCount() const;
    // Positions the entry set on the entry of line `index` and returns the picture the strip
    // shows for that index; `slotText` gets what stripBookmarks keeps for it.
    QString pictureAt(int index, QString& slotText);
    void showSlots(bool show);

    shell::Mtform1& form_;
};

} // namespace wk::strip
