// The main window on a 1920x1080 screen: it opens at two thirds of the screen's height, scales its
// design as one piece at every size, keeps every caption whole and remembers where it was left.
#include "ProgramTest.h"

#include "controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

using namespace wk;
using namespace wk::testing;

namespace {

QSize designSize() { return {px(9480), px(6480 + 375)}; }

class WindowScaling : public ProgramTest {
protected:
    void SetUp() override
    {
        book.addEntry(
            EntryRow(QDate(2024, 1, 5), "A title long enough to need the room", "1 Events", "Grandma"));
    }
    // Each test starts as on a first run: nothing remembered.
    void TearDown() override
    {
        QSettings(QStringLiteral("Wanderkeep"), QStringLiteral("Wanderkeep")).clear();
    }
};

// Every named control of the window, with where it lies in the window.
std::vector<QWidget*> namedControls(QWidget* window)
{
    std::vector<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window && controls::hasTwipsRect(w))
            controls.push_back(w);
    return controls;
}

// Places and sizes agree with the design at one scale (within 2 % or a pixel), and every
// control lies inside the window.
void expectDesignProportions(shell::MainWindow& form)
{
    const double scale =
        std::min(double(form.width()) / designSize().width(), double(form.height()) / designSize().height());
    for (QWidget* control : namedControls(&form)) {
        const QRect twips = controls::twipsRectOf(control);
        const std::string name = control->objectName().toStdString();
        for (auto [actual, designed] : {std::pair{control->width(), px(twips.width())},
                                        std::pair{control->height(), px(twips.height())}}) {
            const double expected = designed * scale;
            EXPECT_LE(std::abs(actual - expected), std::max(1.0, expected * 0.02)) << name;
        }
        if (control->isVisibleTo(&form)) {
            const QRect inWindow(control->mapTo(&form, QPoint(0, 0)), control->size());
            EXPECT_TRUE(form.rect().contains(inWindow)) << name << " lies outside the window";
        }
    }
}

// Every visible caption's text fits its control (a picture button's face is drawn, not a caption).
void expectCaptionsFit(shell::MainWindow& form)
{
    int checked = 0;
    for (QWidget* control : namedControls(&form)) {
        const auto* label = qobject_cast<const QLabel*>(control);
        const auto* button = qobject_cast<const QAbstractButton*>(control);
        const QString text = label                                                        ? label->text()
                             : button && !qobject_cast<controls::PictureButton*>(control) ? button->text()
                                                                                          : QString();
        if (text.isEmpty() || !control->isVisibleTo(&form))
            continue;
        const int advance = control->fontMetrics().horizontalAdvance(text);
        EXPECT_LE(advance, control->width())
            << control->objectName().toStdString() << ": \"" << text.toStdString() << "\" in "
            << control->width() << " pixels";
        ++checked;
    }
    EXPECT_GE(checked, 2); // the bottom row at least
}

} // namespace

TEST_F(WindowScaling, FirstStartOpensAtTwoThirdsOfTheScreenCentredAndScalesAtEverySize)
{
    shell::MainWindow& form = start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form.height(), screen.height() * 2 / 3);
    EXPECT_NEAR(form.width(), form.height() * designSize().width() / double(designSize().height()), 1.0);
    EXPECT_NEAR(form.geometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(form.geometry().center().y(), screen.center().y(), 2);
    EXPECT_EQ(form.minimumSize(), designSize());
    expectDesignProportions(form);

    // Twice the design and maximised keep the proportions, and every caption fits.
    form.resize(designSize() * 2);
    EXPECT_EQ(form.widgets().bigImage->height(), 2 * px(3135));
    EXPECT_EQ(form.widgets().entryList->width(), 2 * px(3015));
    expectDesignProportions(form);
    expectCaptionsFit(form);

    form.showMaximized();
    QTRY_VERIFY(form.isMaximized());
    QTRY_VERIFY(form.width() > designSize().width() * 2);
    expectDesignProportions(form);
    // Spare width becomes even margins on both sides.
    const int leftMargin = form.widgets().backArrow->x();
    const int rightMargin =
        form.width() - (form.widgets().forwardArrow->x() + form.widgets().forwardArrow->width());
    EXPECT_NEAR(leftMargin - px(120) * form.height() / double(designSize().height()),
                rightMargin - px(9480 - 9030 - 375) * form.height() / double(designSize().height()), 3);

    for (controls::PictureButton* screenButton :
         {form.widgets().mainScreenButton, form.widgets().editScreenButton,
          form.widgets().listByDateButton}) {
        screenButton->click();
        expectCaptionsFit(form);
    }
    // The fonts grew with the window: a list line is taller than at the design size.
    EXPECT_GT(form.widgets().entryList->fontMetrics().height(),
              2 * QFontMetrics(QApplication::font()).height());

    // A calendar day shows its number and at least two title lines of twelve characters.
    form.widgets().calendarButton->click();
    for (int i : {1, 17, 42}) {
        const QListWidget* cell = form.widgets().dayCells[size_t(i)];
        const QFontMetrics metrics = cell->fontMetrics();
        EXPECT_GE(cell->viewport()->height(), 3 * metrics.lineSpacing()) << i;
        EXPECT_GE(cell->viewport()->width(), metrics.horizontalAdvance(QStringLiteral("Christmas Mo"))) << i;
    }
}

TEST_F(WindowScaling, TheNextStartUsesTheSizeAndPlaceTheWindowWasLeftAt)
{
    start().setGeometry(QRect(QPoint(40, 30), designSize() * 3 / 2));
    form().close();
    start();
    EXPECT_EQ(form().size(), designSize() * 3 / 2);
    EXPECT_EQ(form().pos(), QPoint(40, 30));
    expectDesignProportions(form());

    form().showMaximized();
    QTRY_VERIFY(form().isMaximized());
    form().close();
    start();
    QTRY_VERIFY(form().isMaximized());
}
