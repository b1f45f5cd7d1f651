#include "shell/Mtform2.h"

#include "browse/Browse.h"
#include "controls/BoundLists.h"
#include "controls/ClassicColours.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "shell/Mtform1.h"
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
    EndBox(Mtform2& intro) : QWidget(&intro), intro_(intro) {}

protected:
    void mousePressEvent(QMouseEvent*) override { intro_.END2_Click(); }

private:
    Mtform2& intro_;
};

} // namespace

Mtform2::Mtform2(const Mtform1Services& services, QWidget* parent) : QWidget(parent), services_(services)
{
    setObjectName(QStringLiteral("MTFORM2"));
    setWindowTitle(QStringLiteral("Form2"));
    setFixedSize(controls::twipsToPixels(7095), controls::twipsToPixels(4920));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, controls::classicColour(7));
    setPalette(pal);
    setAutoFillBackground(true);
    INTRO = new controls::ImageControl(this);
    INTRO->setObjectName(QStringLiteral("INTRO"));
    INTRO->setStretch(true);
    controls::placeTwips(INTRO, 120, 120, 6855, 4665);
    END2 = new EndBox(*this);
    END2->setObjectName(QStringLiteral("END2"));
    controls::placeTwips(END2, 8880, 5880, 495, 495);
}

void Mtform2::END2_Click()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}

void showCategoryCaptions(Mtform1& form)
{
    store::DataSource& categories = form.DataCatagory;
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
            form.SSOption[k]->setText(caption);
        }
    });
}

std::unique_ptr<Mtform1> Mtform2::Form_Load()
{
    std::unique_ptr<Mtform1> form;
    const QString& programDirectory = services_.programDirectory;
    skipStep([&] { show(); });
    skipStep([&] { INTRO->load(store::resolvePath(programDirectory, QStringLiteral("INTRO.BMP"))); });
    skipStep([&] { setWindowTitle(QStringLiteral("Wanderkeep")); });
    skipStep([&] { INTRO->repaint(); });
    skipStep([&] { unsetCursor(); });
    skipStep([&] { checkScrapbookAtStartup(services_.prompts, this, programDirectory, offerJetConversion); });
    form = std::make_unique<Mtform1>(services_);
    skipStep([&] { form->Form_Load(); });
    skipStep([&] {
        for (int k = 1; k <= 7; ++k)
            form->Image[k]->hide();
        for (QWidget* arrow : {static_cast<QWidget*>(form->CMDFWD), static_cast<QWidget*>(form->FWDSTOP),
                               static_cast<QWidget*>(form->CMDREV), static_cast<QWidget*>(form->REVSTOP)})
            arrow->hide();
        form->Text3->setReadOnly(true);
        form->Text1->setReadOnly(false);
        for (int i = 1; i <= 42; ++i)
            form->List1[i]->hide();
    });
    skipStep([&] {
        // One file, whatever letter case each source names it with.
        form->Data1.setDatabaseName(form->databasePath(QStringLiteral("Velmora.MDB")));
        form->DataWhere.setDatabaseName(form->databasePath(QStringLiteral("Velmora.MDB")));
        form->datacd.setDatabaseName(form->databasePath(QStringLiteral("Velmora.mdb")));
        form->DataCatagory.setDatabaseName(form->databasePath(QStringLiteral("velmora.mdb")));
    });
    // The data sources open on the file now, each on its own: one that fails leaves the rest.
    // The filter set is left until a filter gives it its query.
    for (store::DataSource* source : {&form->Data1, &form->DataWhere, &form->datacd})
        skipStep([&] { source->refresh(); });
    skipStep([&] { controls::fillList(form->DBList2, form->DataWhere, QStringLiteral("where")); });
    showCategoryCaptions(*form);
    skipStep([&] { controls::fillCombo(form->WhatText, form->DataCatagory, QStringLiteral("catagory")); });
    skipStep([&] { close(); });
    skipStep([&] {
        form->Data1.moveFirst();
        form->repaint();
        form->TimeOn1->show();
        form->DBList2->show();
        form->ListDB1->show();
    });
    skipStep([&] { form->entryList().fill(form->Data1); });
    skipStep([&] {
        form->Data1.moveFirst();
        form->ListDB1->setCurrentRow(0);
    });
    return form;
}

} // namespace wk::shell
