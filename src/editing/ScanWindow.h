#pragma once
// The scan window: the user picks the name of a picture file to create ("...") and lets the
// scanner component acquire a picture into it ("Aquire"). The window only passes the name on;
// checking it, scanning and reporting failures are the component's work.
//
// Opening it from the main window's "Scan" button:
//   connect(scanButton, &QPushButton::clicked, this,
//           [this] { wk::editing::ScanWindow::open(prompts, programDirectory, this); });
#include <QString>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace wk::controls {
class Prompts;
}

namespace wk::editing {

class Scanner;

class ScanWindow : public QWidget {
    Q_OBJECT
public:
    // A window that scans with SANE; a file name that is not a full path is taken from
    // `programDirectory`.
    ScanWindow(controls::Prompts& prompts, const QString& programDirectory, QWidget* parent);
    // A window that scans with `scanner`, which must outlive it.
    ScanWindow(controls::Prompts& prompts, Scanner& scanner, QWidget* parent);
    ~ScanWindow() override;

    // Shows the scan window beside `mainWindow` (modeless), creating it when it is not open
    // yet; it is unloaded when closed.
    static ScanWindow* open(controls::Prompts& prompts, const QString& programDirectory, QWidget* mainWindow);

    QLabel* fileNameLabel = nullptr;
    QLineEdit* fileNameEdit = nullptr;
    QPushButton* chooseFileButton = nullptr;
    QPushButton* acquireButton = nullptr;

    // Chooses the target file name with the save dialog.
    void chooseFileName();
    // Acquires a picture into the file named in fileNameEdit.
    void acquire();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();

    controls::Prompts& prompts_;
    std::unique_ptr<Scanner> ownScanner_;
    Scanner& scanner_;
};

} // namespace wk::editing
