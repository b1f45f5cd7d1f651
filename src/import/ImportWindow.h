#pragma once
// The window an import shows while it runs: "n of N pictures", the file being read, the time
// left and Cancel. Modal, so nothing else changes the scrapbook meanwhile.
#include <QDialog>

class QLabel;
class QProgressBar;

namespace wk::importing {

struct ImportState;

class ImportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ImportWindow(QWidget* parent);

    void showProgress(const ImportState& progress);
    // Cancel was pressed (or the window closed): the import stops after the pictures under way.
    bool cancelled() const { return cancelled_; }
    // The import ended: the window goes. (Closing it, like Cancel, only asks the import to stop.)
    void finish() { done(QDialog::Accepted); }

protected:
    void reject() override;

private:
    QLabel* countLabel_;
    QLabel* fileLabel_;
    QLabel* timeLabel_;
    QProgressBar* bar_;
    bool cancelled_ = false;
};

// "About 3 minutes left", "About 40 seconds left"; empty while the pace is unknown.
QString timeLeftText(qint64 remainingMs);

} // namespace wk::importing
