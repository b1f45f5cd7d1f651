// The print dialog reached through the print tick box, and the timeline it prints, read back from a
// PDF file. The run sees no printer: the print server is a socket where nothing listens.
#include "ProgramTest.h"

#include "timeline/TimelinePrintWindow.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace wk;
using timeline::TimelinePrintWindow;

namespace {

// Set before anything asks for a printer: the print system keeps the first server it was given.
const bool noPrintServer = [] {
    static QTemporaryDir nowhere;
    return qputenv("CUPS_SERVER", QFile::encodeName(nowhere.filePath(QStringLiteral("cups.sock"))));
}();

// 15 mm in PDF points, less a point for the font's box reaching above its ascent.
constexpr double kLeastMargin = 15.0 / 25.4 * 72.0 - 1.0;

class PrintDialog : public wk::testing::ProgramTest {
protected:
    void SetUp() override
    {
        book.addEntry({QDate(1997, 3, 5), "Spring walk"});
        book.addEntry({QDate(1997, 3, 20), "Kite"});
        book.addEntry({QDate(1998, 4, 10), "Picnic"});
    }

    static void unloadClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // pdftotext's output for a PDF file (with "-layout", pages separated by form feeds).
    static QString pdfText(const QString& file, const QString& form = QStringLiteral("-layout"))
    {
        QProcess run;
        run.start(QStringLiteral("pdftotext"), {form, file, QStringLiteral("-")});
        EXPECT_TRUE(run.waitForFinished(30000) && run.exitCode() == 0);
        return QString::fromUtf8(run.readAllStandardOutput());
    }
    // Every word of every page lies inside a margin of at least 15 mm.
    static void expectInsideMargins(const QString& file)
    {
        const QString boxes = pdfText(file, QStringLiteral("-bbox"));
        static const QRegularExpression tag(QStringLiteral(
            R"re(<page width="([\d.]+)" height="([\d.]+)"|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)")re"));
        double width = 0, height = 0;
        int words = 0;
        for (const QRegularExpressionMatch& m : tag.globalMatch(boxes)) {
            if (m.hasCaptured(1)) {
                width = m.captured(1).toDouble();
                height = m.captured(2).toDouble();
                continue;
            }
            ++words;
            const double left = m.captured(3).toDouble(), top = m.captured(4).toDouble();
            EXPECT_GE(left, kLeastMargin);
            EXPECT_LT(left, width - kLeastMargin);
            EXPECT_GE(top, kLeastMargin);
            EXPECT_LE(m.captured(5).toDouble(), height - kLeastMargin);
        }
        EXPECT_GT(words, 0);
    }

    void printToPdf(TimelinePrintWindow& dialog, const QString& file)
    {
        dialog.setUpPrinter = [file](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
        };
    }

    QTemporaryDir out;
};

} // namespace

TEST_F(PrintDialog, TheTickBoxOpensAndClosesItAndEveryWayOutClearsTheTick)
{
    shell::MainWindow& form = start();
    EXPECT_EQ(form.printWindow(), nullptr);

    form.widgets().printCheck->click();
    TimelinePrintWindow* dialog = form.printWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible() && form.isVisible()); // beside the main window, not in its place
    EXPECT_EQ(dialog->focusWidget(), dialog->startDateEdit);

    form.widgets().printCheck->click(); // cleared: the dialog goes
    unloadClosedWindows();
    EXPECT_EQ(form.printWindow(), nullptr);

    form.widgets().printCheck->click();
    form.printWindow()->startDateEdit->setText("1/1/1998");
    form.printWindow()->cancelButton->click();
    EXPECT_FALSE(form.widgets().printCheck->isChecked());
    unloadClosedWindows();

    // Reopened, it starts with empty date boxes; closed from its title bar, the tick goes too.
    form.widgets().printCheck->click();
    EXPECT_EQ(form.printWindow()->startDateEdit->text(), "");
    form.hide();
    form.printWindow()->close();
    EXPECT_FALSE(form.widgets().printCheck->isChecked());
    EXPECT_TRUE(form.isVisible());
    unloadClosedWindows();

    // Closed while the enlarged viewer stands in for the main window, it does not bring it back.
    form.widgets().printCheck->click();
    QTest::mouseClick(form.widgets().bigImage, Qt::LeftButton);
    ASSERT_FALSE(form.isVisible());
    form.printWindow()->cancelButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.widgets().printCheck->isChecked());
}

TEST_F(PrintDialog, PrintsReportsFailuresAndWithNoPrinterOffersAPdf)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QDate first(2000, 1, 1);
    for (int i = 0; i < 150; ++i)
        book.addEntry({first.addDays(i), QStringLiteral("Entry %1").arg(i, 3, 10, QLatin1Char('0'))});
    shell::MainWindow& form = start();
    form.widgets().printCheck->click();
    TimelinePrintWindow& dialog = *form.printWindow();
    wk::testing::ScriptedPrompts& said = prompts();
    {
        SCOPED_TRACE("printed from the start date on");
        const QString pdf = out.filePath("timeline.pdf");
        printToPdf(dialog, pdf);
        dialog.startDateEdit->setText("3/20/1997");
        dialog.printButton->click();
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains("20 Kite")) << text.toStdString();
        EXPECT_FALSE(text.contains("Spring walk")); // before the start date
        EXPECT_FALSE(text.contains("March 1997"));  // its header went with it
        EXPECT_TRUE(text.contains("__________________________April 1998"));
        EXPECT_LT(text.indexOf("Kite"), text.indexOf("10 Picnic"));
        EXPECT_TRUE(said.asked.isEmpty());
        expectInsideMargins(pdf);
    }
    {
        SCOPED_TRACE("a printer that cannot start");
        printToPdf(dialog, out.filePath("no/such/folder/timeline.pdf"));
        dialog.printButton->click(); // answered No: nothing more
        ASSERT_EQ(said.asked.size(), 1);
        EXPECT_EQ(said.asked[0].kind, "yesno");
        EXPECT_TRUE(said.asked[0].text.startsWith("The TimeLine could not be printed: "))
            << said.asked[0].text.toStdString();
        said.yesNoAnswers << true; // Yes, then the save dialog cancelled: nothing more
        dialog.printButton->click();
        ASSERT_EQ(said.asked.size(), 3);
        EXPECT_EQ(said.asked[2].kind, "save");
        said.yesNoAnswers << true; // Yes, and a file that cannot be written
        said.fileAnswers << out.filePath("no/such/folder/My TimeLine.pdf");
        dialog.printButton->click();
        const QStringList told = said.toldTexts();
        ASSERT_EQ(told.size(), 1);
        EXPECT_TRUE(told[0].startsWith("The TimeLine could not be saved")) << told[0].toStdString();
        EXPECT_EQ(said.asked.last().icon, controls::MessageIcon::Exclamation);
        EXPECT_TRUE(dialog.isVisible());
    }
    SCOPED_TRACE("no printer");
    said.asked.clear();
    dialog.setUpPrinter = {};
    dialog.startDateEdit->setText("");
    const QString pdf = out.filePath("My TimeLine.pdf");
    said.yesNoAnswers << true;
    said.fileAnswers << pdf;
    dialog.printButton->click();
    ASSERT_EQ(said.asked.size(), 2);
    EXPECT_EQ(said.asked[0].kind, "yesno");
    EXPECT_TRUE(said.asked[0].text.contains("no printer is installed")) << said.asked[0].text.toStdString();
    EXPECT_EQ(said.asked[1].kind, "save");
    EXPECT_TRUE(said.asked[1].request.filter.contains("*.pdf"));
    EXPECT_EQ(said.asked[1].request.fileName, "My TimeLine.pdf");
    EXPECT_EQ(said.asked[1].request.directory, form.programDirectory());

    // The same lines the printer would get, in their order, over more than one page.
    const QString text = pdfText(pdf);
    EXPECT_GE(text.count(QLatin1Char('\f')), 2) << "expected more than one page";
    QStringList shown;
    for (const QString& line : text.split(QRegularExpression("[\n\f]")))
        if (!line.trimmed().isEmpty())
            shown << line.trimmed();
    QStringList expected;
    for (const QString& line : TimelinePrintWindow::timelineLines(form.entries(), {}, {}))
        if (!line.trimmed().isEmpty())
            expected << line.trimmed();
    EXPECT_EQ(expected.size(), 1 + 153 + 7); // the title, every entry, a header for seven months
    EXPECT_EQ(shown, expected);
    expectInsideMargins(pdf);
}
