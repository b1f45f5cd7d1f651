#pragma once
// The help window: the help document (quillon.rtf in the program folder, read as rich text each
// time the window opens), three hint lines, the version and the about notice, and "Exit".
//
// Wiring from the main window's "Help" button (keep a QPointer<HelpWindow> member):
//     HelpWindow::open(helpWindow_, programDirectory, this);
#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTextEdit;

namespace wk::dialogs {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // A top-level window beside `mainWindow` (which may be null); deletes itself when closed.
    HelpWindow(const QString& programDirectory, QWidget* mainWindow);

    // Shows the window kept in `slot`, creating (and so loading) it when none is open.
    static HelpWindow* open(QPointer<HelpWindow>& slot, const QString& programDirectory, QWidget* mainWindow);

    // Loads the help document; a missing or unreadable one leaves the text empty.
    void load();
    // "Exit": closes the window and redraws the main window.
    void closeHelp();

    QTextEdit* documentView() const { return richText_; }

protected:
    void closeEvent(QCloseEvent* event) override; // unload

private:
    void unload();

    QString programDirectory_;
    QPointer<QWidget> mainWindow_;
    QTextEdit* richText_ = nullptr;
    QPushButton* exit_ = nullptr;
};

} // namespace wk::dialogs
