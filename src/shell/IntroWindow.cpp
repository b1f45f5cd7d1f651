#include "shell/IntroWindow.h"

#include "shell/WordsIndexStart.h"
#include "store/ScrapbookFile.h"

#include "browse/Browse.h"
#include "controls/BoundLists.h"
#include "controls/ClassicColours.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "shell/MainWindow.h"
#include "store/FilePaths.h"

#include <QApplication>
#include <QComboBox>
#include "controls/LineList.h"
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace wk::shell {

using controls::skipStep;

namespace {

// The picture box that ends the program when clicked.
class EndBox : public QWidget {
public:
    EndBox(IntroWindow& intro) : QWidget(&intro), intro_(intro) {}

protected:
    void mousePressEvent(QMouseEvent*) override { intro_.endProgram(); }

private:
    IntroWindow& intro_;
};

} // namespace

IntroWindow::IntroWindow(const MainWindowServices& services, QWidget* parent)
    : QWidget(parent), services_(services)
{
    setObjectName(QStringLiteral("MTFORM2"));
    setWindowTitle(QStringLiteral("Form2"));
    setFixedSize(controls::twipsToPixels(7095), controls::twipsToPixels(4920));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, controls::classicColour(7));
    setPalette(pal);
    setAutoFillBackground(true);
    introPicture = new controls::ImageControl(this);
    introPicture->setObjectName(QStringLiteral("INTRO"));
    introPicture->setStretch(true);
    controls::placeTwips(introPicture, 120, 120, 6855, 4665);
    endArea = new EndBox(*this);
    endArea->setObjectName(QStringLiteral("END2"));
    controls::placeTwips(endArea, 8880, 5880, 495, 495);
}

void IntroWindow::endProgram()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}

void showCategoryCaptions(MainWindow& form)
{
    store::DataSource& categories = form.categoryTable();
    skipStep([&] {
        categories.setRecordSource(QStringLiteral("catagory"));
        categories.refresh();
        categories.moveFirst();
        for (int k = 1; k <= 4; ++k) {
            if (k > 1)
                categories.moveNext();
            const QVariant name = categories.field(QStringLiteral("catagory"));
            QString caption = name.toString();
            while (caption.endsWith(QLatin1Char(' ')))
                caption.chop(1);
            form.widgets().categoryButtons[k]->setText(caption);
        }
    });
}

std::unique_ptr<MainWindow> IntroWindow::load()
{
    std::unique_ptr<MainWindow> form;
    const QString& programDirectory = services_.scrapbook.folder();
    skipStep([&] { show(); });
    skipStep([&] { introPicture->load(store::resolvePath(programDirectory, QStringLiteral("INTRO.BMP"))); });
    skipStep([&] { setWindowTitle(QStringLiteral("Wanderkeep")); });
    skipStep([&] { introPicture->repaint(); });
    skipStep([&] { unsetCursor(); });
    skipStep(
        [&] { checkScrapbookAtStartup(services_.prompts, this, services_.scrapbook, offerJetConversion); });
    skipStep([&] { prepareWordsIndex(this, services_.scrapbook); });
    form = std::make_unique<MainWindow>(services_);
    skipStep([&] { form->load(); });
    skipStep([&] {
        for (int k = 1; k <= 7; ++k)
            form->widgets().stripSlots[k]->hide();
        for (QWidget* arrow : {static_cast<QWidget*>(form->widgets().forwardArrow),
                               static_cast<QWidget*>(form->widgets().forwardStop),
                               static_cast<QWidget*>(form->widgets().backArrow),
                               static_cast<QWidget*>(form->widgets().backStop)})
            arrow->hide();
        form->widgets().logEdit->setReadOnly(true);
        form->widgets().dateEdit->setReadOnly(false);
        for (int i = 1; i <= 42; ++i)
            form->widgets().dayCells[i]->hide();
    });
    // The data sources open on the file now, each on its own: one that fails leaves the rest.
    // The filter set is left until a filter gives it its query.
    for (store::DataSource* source : {&form->entries(), &form->nameTable(), &form->pictureDisc()})
        skipStep([&] { source->refresh(); });
    skipStep([&] { form->showWhetherWritable(); });
    skipStep([&] { form->watchOthersChanges(); });
    skipStep(
        [&] { controls::fillList(form->widgets().nameList, form->nameTable(), QStringLiteral("where")); });
    showCategoryCaptions(*form);
    skipStep([&] {
        controls::fillCombo(form->widgets().categoryCombo, form->categoryTable(), QStringLiteral("catagory"));
    });
    skipStep([&] { close(); });
    skipStep([&] {
        form->entries().moveFirst();
        form->repaint();
        form->widgets().timelineButton->show();
        form->widgets().nameList->show();
        form->widgets().entryList->show();
    });
    skipStep([&] { form->entryLines().fill(form->entries()); });
    skipStep([&] {
        form->entries().moveFirst();
        form->widgets().entryList->setCurrentRow(0);
    });
    return form;
}

} // namespace wk::shell
