#pragma once
// The print dialog of the timeline: prints the entry set as plain text lines, a title, then a
// header line for every month and one line per entry (day of the month and title), limited by
// a start and an end date. The main window's print tick box opens and closes it.
//
// The lines are made by timelineLines(), which reads only the entry set and the two date texts;
// printLines() puts any list of lines on a printer, one after another, page after page, inside
// margins of at least 15 mm. When the printer cannot print (none is installed, or it does not
// start), the dialog offers to save the same pages as a PDF file instead.
#include "controls/Forward.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

class QPrinter;

namespace wk::timeline {

// What the print dialog works on.
struct TimelinePrintParts {
    QWidget* window; // the main window, which owns the dialog and is shown again as it closes
    controls::PictureButton* printCheck; // the tick box that opens and closes the dialog
    store::DataSource& entries;
    const QString& programDirectory;
    controls::Prompts& prompts;
    const contracts::ViewerState& viewer;
};

class TimelinePrintWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own, owned by the main window so it never outlives it.
    explicit TimelinePrintWindow(const TimelinePrintParts& parts);

    // Follows the print tick box printCheck: ticked shows the dialog kept in `slot` (creating it
    // when needed) with the focus in the start date; cleared closes an open dialog.
    static TimelinePrintWindow* openFromCheckBox(QPointer<TimelinePrintWindow>& slot,
                                                 const TimelinePrintParts& parts);

    // The printed lines for the entry set `entries` between the dates `startText` and `endText`
    // (both included; a text that is no date sets no bound). The entry set is re-read and
    // walked in its own order; its position is restored afterwards when it can be.
    static QStringList timelineLines(store::DataSource& entries, const QString& startText,
                                     const QString& endText);

    // Prints `lines` top to bottom in the printer's font inside the page margins (the printer's
    // printable area, at least 15 mm on every side), starting a new page when the next line
    // would not fit. Returns false, with the reason in `failure`, when the printer cannot
    // be started or the job fails.
    static bool printLines(QPrinter& printer, const QStringList& lines, QString* failure = nullptr);

    // Runs on the printer before each print; the default printer is used as it is. Tests point
    // it at a PDF file.
    std::function<void(QPrinter&)> setUpPrinter;

    QLabel* headingLabel = nullptr;
    QLabel* startDateLabel = nullptr;
    QLineEdit* startDateEdit = nullptr;
    QLabel* endDateLabel = nullptr;
    QLineEdit* endDateEdit = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* cancelButton = nullptr;

    void printTimeline();
    void closeWithoutPrinting();

protected:
    void closeEvent(QCloseEvent* event) override; // unload

private:
    void unload();
    // Asks whether to save `lines` as a PDF file after printing failed for `printFailure`, and
    // writes the file the user chooses.
    void offerPdf(const QStringList& lines, const QString& printFailure);
    void showMainWindow();

    TimelinePrintParts parts_;
    bool unloaded_ = false;
};

} // namespace wk::timeline
