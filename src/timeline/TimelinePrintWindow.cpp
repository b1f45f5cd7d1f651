#include "timeline/TimelinePrintWindow.h"

#include "contracts/ViewerState.h"
#include "controls/PictureButton.h"
#include "controls/Prompts.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "controls/TwipsLayout.h"
#include "controls/WindowShowing.h"
#include "store/DataSource.h"
#include "store/DateRules.h"
#include "store/Entry.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace wk::timeline {

using controls::placeTwips;
using controls::skipStep;

namespace {

const QString kTitle = QStringLiteral("Print TimeLine");
const QString kMonthRule = QStringLiteral("______________________") + QStringLiteral("____");

// The entry's day; an entry without a date has no place on the timeline, and the steps that
// need its date are skipped.
QDate entryDate(const store::DataSource& entries)
{
    const QDate d = store::fieldDate(entries, store::kDateField);
    if (!d.isValid())
        throw std::runtime_error("the entry has no date");
    return d;
}

struct Range {
    std::optional<QDate> from; // no bound when empty
    std::optional<QDate> to;

    // The day alone counts, so an entry with a time of day on the last day is still in.
    bool contains(const QDate& d) const { return (!from || d >= *from) && (!to || d <= *to); }
};

QString monthHeader(const QDate& d) { return kMonthRule + dates::formatMonthYearBlank(d); }

// Text keeps clear of the paper's edge: never closer than the printer can print, and never
// closer than 15 mm, so a PDF (which can print to the edge) reads like a printed page.
void setPageMargins(QPrinter& printer)
{
    constexpr qreal kLeastMargin = 15.0;
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF printable = layout.minimumMargins();
    const QMarginsF margins(std::max(printable.left(), kLeastMargin), std::max(printable.top(), kLeastMargin),
                            std::max(printable.right(), kLeastMargin),
                            std::max(printable.bottom(), kLeastMargin));
    printer.setPageMargins(margins, QPageLayout::Millimeter);
}

} // namespace

TimelinePrintWindow::TimelinePrintWindow(const TimelinePrintParts& parts)
    : QWidget(parts.window, Qt::Window), parts_(parts)
{
    setObjectName(QStringLiteral("Printform1"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    new controls::TwipsLayout(this, QSize(4215, 2655));

    headingLabel = new QLabel(kTitle, this);
    headingLabel->setObjectName(QStringLiteral("Label3"));
    QFont arial(QStringLiteral("Arial"), 14, QFont::Bold);
    arial.setStyleHint(QFont::SansSerif); // a like face where Arial is not installed
    headingLabel->setFont(arial);
    headingLabel->setAlignment(Qt::AlignCenter);
    placeTwips(headingLabel, 240, 120, 3735, 480);

    startDateLabel = new QLabel(QStringLiteral("Start Date"), this);
    startDateLabel->setObjectName(QStringLiteral("Label1"));
    placeTwips(startDateLabel, 240, 780, 1215, 285);
    startDateEdit = new QLineEdit(this);
    startDateEdit->setObjectName(QStringLiteral("Text1"));
    placeTwips(startDateEdit, 1560, 750, 2415, 315);

    endDateLabel = new QLabel(QStringLiteral("End Date"), this);
    endDateLabel->setObjectName(QStringLiteral("Label2"));
    placeTwips(endDateLabel, 240, 1260, 1215, 285);
    endDateEdit = new QLineEdit(this);
    endDateEdit->setObjectName(QStringLiteral("Text2"));
    placeTwips(endDateEdit, 1560, 1230, 2415, 315);
    startDateLabel->setBuddy(startDateEdit);
    endDateLabel->setBuddy(endDateEdit);

    printButton = new QPushButton(QStringLiteral("Print"), this);
    printButton->setObjectName(QStringLiteral("CMDOK"));
    placeTwips(printButton, 600, 1860, 1215, 405);
    cancelButton = new QPushButton(QStringLiteral("Close"), this);
    cancelButton->setObjectName(QStringLiteral("Cancel"));
    placeTwips(cancelButton, 2400, 1860, 1215, 405);

    connect(printButton, &QPushButton::clicked, this, &TimelinePrintWindow::printTimeline);
    connect(cancelButton, &QPushButton::clicked, this, &TimelinePrintWindow::closeWithoutPrinting);
}

TimelinePrintWindow* TimelinePrintWindow::openFromCheckBox(QPointer<TimelinePrintWindow>& slot,
                                                           const TimelinePrintParts& parts)
{
    if (!parts.printCheck->isChecked()) {
        if (slot)
            slot->close();
        return nullptr;
    }
    if (!slot)
        slot = new TimelinePrintWindow(parts);
    controls::showInFront(slot);
    slot->startDateEdit->setFocus();
    return slot;
}

QStringList TimelinePrintWindow::timelineLines(store::DataSource& entries, const QString& startText,
                                               const QString& endText)
{
    const Range range{dates::parseDate(startText), dates::parseDate(endText)};
    QStringList lines{QString(), QString(), QStringLiteral("    My TimeLine"), QString()};

    QString remembered;
    skipStep([&] { remembered = entries.bookmark(); });
    skipStep([&] { entries.refresh(); });
    skipStep([&] { entries.moveFirst(); });

    // Months are told apart by their number alone: March of one year followed directly by
    // March of the next shares the first one's header.
    int currentMonth = 0;
    skipStep([&] {
        const QDate d = entryDate(entries);
        currentMonth = d.month();
        if (range.contains(d))
            lines << monthHeader(d);
    });
    while (!entries.eof()) {
        skipStep([&] {
            const QDate d = entryDate(entries);
            if (d.month() != currentMonth) {
                if (range.contains(d))
                    lines << QString() << monthHeader(d);
                currentMonth = d.month();
            }
            // A null title prints the day alone.
            const QString line = dates::formatDayPrinted(d) + store::fieldText(entries, store::kTitleField);
            if (range.contains(d))
                lines << line;
        });
        if (!skipStep([&] { entries.moveNext(); }))
            break;
    }

    skipStep([&] { entries.setBookmark(remembered); });
    return lines;
}

bool TimelinePrintWindow::printLines(QPrinter& printer, const QStringList& lines, QString* failure)
{
    auto fail = [&](const QString& why) {
        if (failure)
            *failure = why;
        return false;
    };
    // Without an installed printer Qt falls back to a PDF file it has no name for.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        return fail(QStringLiteral("no printer is installed"));

    setPageMargins(printer);
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString where =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        return fail(where.isEmpty() ? QStringLiteral("the printer could not be started")
                                    : QStringLiteral("%1 could not be started").arg(where));
    }
    // The painter starts at the margin's corner; the page's height is what lies inside them.
    const QFontMetrics metrics(painter.font(), &printer);
    const int pageHeight = printer.height();
    int top = 0;
    for (const QString& line : lines) {
        if (top > 0 && top + metrics.height() > pageHeight) {
            if (!printer.newPage()) {
                painter.end();
                return fail(QStringLiteral("a new page could not be started"));
            }
            top = 0;
        }
        painter.drawText(0, top + metrics.ascent(), line);
        top += metrics.lineSpacing();
    }
    if (!painter.end())
        return fail(QStringLiteral("the print job could not be finished"));
    return true;
}

void TimelinePrintWindow::printTimeline()
{
    const QStringList lines = timelineLines(parts_.entries, startDateEdit->text(), endDateEdit->text());
    QPrinter printer;
    printer.setDocName(kTitle);
    if (setUpPrinter)
        setUpPrinter(printer);
    QString failure;
    if (!printLines(printer, lines, &failure))
        offerPdf(lines, failure);
}

void TimelinePrintWindow::offerPdf(const QStringList& lines, const QString& printFailure)
{
    const QString question =
        QStringLiteral("The TimeLine could not be printed: %1.\n\nSave it as a PDF file instead?")
            .arg(printFailure);
    if (!parts_.prompts.askYesNo(kTitle, question))
        return;
    controls::FileDialogRequest request;
    request.title = QStringLiteral("Save TimeLine as PDF");
    request.filter = QStringLiteral("PDF Files|*.pdf");
    request.directory = parts_.programDirectory;
    request.fileName = QStringLiteral("My TimeLine.pdf");
    request.confirmOverwrite = true;
    const QString file = parts_.prompts.chooseSaveFile(request);
    if (file.isEmpty())
        return; // cancelled

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(file);
    pdf.setDocName(kTitle);
    QString failure;
    if (!printLines(pdf, lines, &failure))
        parts_.prompts.tell(kTitle, QStringLiteral("The TimeLine could not be saved: %1.").arg(failure),
                            controls::MessageIcon::Exclamation);
}

void TimelinePrintWindow::closeWithoutPrinting()
{
    parts_.printCheck->setChecked(false); // closes this dialog through the tick box
    close();
    showMainWindow();
}

void TimelinePrintWindow::showMainWindow()
{
    // While the enlarged viewer stands in for the main window, the main window stays hidden:
    // the two are never on screen together.
    if (!parts_.viewer.viewerShown())
        parts_.window->show();
}

void TimelinePrintWindow::closeEvent(QCloseEvent* event)
{
    unload();
    event->accept();
}

void TimelinePrintWindow::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    showMainWindow();
    // The tick box follows the dialog: one closed from its title bar clears it as well, so the
    // next tick opens the dialog again instead of only clearing the tick.
    if (parts_.printCheck->isChecked())
        parts_.printCheck->setChecked(false);
}

} // namespace wk::timeline
