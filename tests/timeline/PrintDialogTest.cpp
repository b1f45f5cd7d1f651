// The print dialog as the user reaches it through the print tick box, and the timeline it
// prints, read back from a PDF file with pdftotext.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "timeline/Printform1.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wk;
using timeline::Printform1;
using wk::testing::EntryRow;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;

namespace {

class PrintDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        book.addEntry({QDate(1997, 3, 5), "Spring walk"});
        book.addEntry({QDate(1997, 3, 20), "Kite"});
        book.addEntry({QDate(1998, 4, 10), "Picnic"});
    }

    shell::Mtform1& start()
    {
        program = std::make_unique<StartedProgram>(book.dir());
        program->start();
        return program->form();
    }

    static void unloadClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // The text of a PDF file, pages separated by form feeds; empty without pdftotext.
    static QString pdfText(const QString& file)
    {
        QProcess run;
        run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        if (!run.waitForFinished(30000) || run.exitCode() != 0)
            return {};
        return QString::fromUtf8(run.readAllStandardOutput());
    }
    static bool havePdfToText() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }

    void printToPdf(Printform1& dialog, const QString& file)
    {
        dialog.setUpPrinter = [file](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
        };
    }

    TestScrapbook book;
    QTemporaryDir out;
    std::unique_ptr<StartedProgram> program;
};

} // namespace

TEST_F(PrintDialog, TheTickBoxOpensAndClosesItAndEveryWayOutClearsTheTick)
{
    shell::Mtform1& form = start();
    EXPECT_EQ(form.printForm(), nullptr);

    form.Check2->click();
    Printform1* dialog = form.printForm();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(form.isVisible()); // beside the main window, not in its place
    EXPECT_EQ(dialog->focusWidget(), dialog->Text1);
    EXPECT_EQ(dialog->Label3->text(), "Print TimeLine");
    EXPECT_EQ(dialog->Label3->font().family(), "Arial");
    EXPECT_EQ(dialog->Label1->text(), "Start Date");
    EXPECT_EQ(dialog->Label2->text(), "End Date");
    EXPECT_EQ(dialog->CMDOK->text(), "Print");
    EXPECT_EQ(dialog->Cancel->text(), "Close");
    EXPECT_EQ(dialog->Text1->text(), "");
    EXPECT_EQ(dialog->Text2->text(), "");

    form.Check2->click(); // cleared: the dialog goes
    EXPECT_FALSE(dialog->isVisible());
    unloadClosedWindows();
    EXPECT_EQ(form.printForm(), nullptr);

    form.Check2->click();
    form.printForm()->Text1->setText("1/1/1998");
    form.printForm()->Cancel->click();
    EXPECT_FALSE(form.Check2->isChecked());
    EXPECT_TRUE(form.isVisible());
    unloadClosedWindows();
    EXPECT_EQ(form.printForm(), nullptr);

    // Reopened, it starts with empty date boxes; closed from its title bar, the tick goes too.
    form.Check2->click();
    EXPECT_EQ(form.printForm()->Text1->text(), "");
    form.hide();
    form.printForm()->close();
    EXPECT_FALSE(form.Check2->isChecked());
    EXPECT_TRUE(form.isVisible());
    unloadClosedWindows();

    // Left open while the enlarged viewer takes the main window's place, its closing does
    // not bring the main window back beside the viewer.
    form.Check2->click();
    QTest::mouseClick(form.Image8, Qt::LeftButton);
    ASSERT_FALSE(form.isVisible());
    form.printForm()->Cancel->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Check2->isChecked());
}

TEST_F(PrintDialog, PrintsTheTimelineAndStaysOpen)
{
    if (!havePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    shell::Mtform1& form = start();
    form.Check2->click();
    Printform1& dialog = *form.printForm();
    const QString pdf = out.filePath("timeline.pdf");
    printToPdf(dialog, pdf);
    dialog.Text1->setText("3/20/1997");
    dialog.CMDOK->click();

    ASSERT_TRUE(QFile::exists(pdf));
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("My TimeLine")) << text.toStdString();
    EXPECT_TRUE(text.contains("20 Kite"));
    EXPECT_FALSE(text.contains("Spring walk")); // before the start date
    EXPECT_FALSE(text.contains("March 1997"));  // its header went with it
    EXPECT_TRUE(text.contains("__________________________April 1998"));
    EXPECT_TRUE(text.contains("10 Picnic"));
    EXPECT_LT(text.indexOf("Kite"), text.indexOf("Picnic"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(program->prompts.toldTexts().isEmpty());
}

TEST_F(PrintDialog, ALongTimelineGoesOnToFurtherPagesWithoutLosingALine)
{
    if (!havePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QDate first(2000, 1, 1);
    for (int i = 0; i < 150; ++i)
        book.addEntry({first.addDays(i), QStringLiteral("Entry %1").arg(i, 3, 10, QLatin1Char('0'))});
    shell::Mtform1& form = start();
    form.Check2->click();
    const QString pdf = out.filePath("long.pdf");
    printToPdf(*form.printForm(), pdf);
    form.printForm()->CMDOK->click();

    const QString text = pdfText(pdf);
    EXPECT_GE(text.count(QLatin1Char('\f')), 2) << "expected more than one page";
    EXPECT_EQ(text.count("Entry "), 150);
    EXPECT_TRUE(text.contains("Entry 149"));
}

TEST_F(PrintDialog, APrinterThatCannotStartIsReported)
{
    shell::Mtform1& form = start();
    form.Check2->click();
    printToPdf(*form.printForm(), out.filePath("no/such/folder/timeline.pdf"));
    form.printForm()->CMDOK->click();
    const QStringList told = program->prompts.toldTexts();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith("The TimeLine could not be printed")) << told[0].toStdString();
    EXPECT_EQ(program->prompts.asked[0].icon, controls::MessageIcon::Exclamation);
    EXPECT_TRUE(form.printForm()->isVisible());
}
