// The kids guide: its texts, dragging dogs to holes, the fact pictures, the running prairie dog
// and the way back to the main window. The artwork is the sample scrapbook's.
#include "KidsArtwork.h"
#include "controls/ImageControl.h"
#include "dialogs/KidsGuide.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using wk::controls::ImageControl;
using wk::dialogs::KidsGuide;

namespace {

void mouse(QWidget* w, QEvent::Type type, const QPoint& pos)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void click(QWidget* w)
{
    mouse(w, QEvent::MouseButtonPress, {5, 5});
    mouse(w, QEvent::MouseButtonRelease, {5, 5});
}

// Presses on the dog, moves it a few times and lets go over `target`.
void dragDog(KidsGuide* form, int dog, QWidget* target)
{
    ImageControl* d = form->dogImage(dog);
    mouse(d, QEvent::MouseButtonPress, {10, 10});
    for (int k = 1; k <= 3; ++k)
        mouse(d, QEvent::MouseMove, {10 - 20 * k, 10});
    mouse(d, QEvent::MouseButtonRelease, d->mapFrom(form, target->geometry().center()));
}

// The name of the file an image shows, empty when it shows nothing.
QString shown(const ImageControl* image)
{
    return image->picture().isNull() ? QString() : QFileInfo(image->picture().file).fileName();
}

class KidsGuideTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wk::sample::writeKidsArtwork(dir.path()));
        main.show();
        check1.setChecked(true);
        form = KidsGuide::openFromCheckBox(slot, &main, &check1, dir.path());
        ASSERT_NE(form, nullptr);
    }
    void TearDown() override
    {
        if (slot)
            delete slot.data();
    }

    QTemporaryDir dir;
    QWidget main;
    QCheckBox check1{QStringLiteral("Kids Guide")};
    QPointer<KidsGuide> slot;
    KidsGuide* form = nullptr;
};

} // namespace

TEST_F(KidsGuideTest, ADropOnTheWrongHoleOnlyShowsTheNetAndOnTheRightOneSendsTheDogHome)
{
    dragDog(form, 1, form->holeImage(0));
    EXPECT_FALSE(form->windowIcon().isNull()); // the net is loaded on every drop
    EXPECT_EQ(shown(form->holeImage(0)), "pHOLE.ico");
    EXPECT_FALSE(form->dogImage(1)->isHidden());
    EXPECT_FALSE(form->isDogTravelling());
    EXPECT_FALSE(form->travellingDog()->isVisible());

    ImageControl* hole = form->holeImage(2);
    const QPoint start = form->dogImage(2)->pos();
    dragDog(form, 2, hole);
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(shown(hole), "pdog.ico");
    EXPECT_TRUE(form->dogImage(2)->isHidden());
    EXPECT_TRUE(form->isDogTravelling());
    EXPECT_TRUE(form->travellingDog()->isVisible());
    EXPECT_EQ(form->travellingDog()->pos(), start);

    // The journey runs on a timer: the window keeps taking events, and the mover ends hidden.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->travellingDog()->pos() != start; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isDogTravelling(); }, 5000));
    EXPECT_FALSE(form->travellingDog()->isVisible());
    EXPECT_EQ(form->travellingDog()->pos(), hole->pos());

    // The other dogs still drop by the same rule.
    dragDog(form, 0, form->holeImage(1));
    EXPECT_FALSE(form->dogImage(0)->isHidden());
    dragDog(form, 0, form->holeImage(0));
    EXPECT_TRUE(form->dogImage(0)->isHidden());
}

TEST_F(KidsGuideTest, FactPicturesShowTheirFacts)
{
    dragDog(form, 0, form->factPicture(1)); // dog 0 brings up Old Faithful, Cody and the Snake River
    for (int n : {2, 6, 7})
        EXPECT_FALSE(form->factPicture(n)->isHidden()) << n;
    EXPECT_EQ(shown(form->factPicture(7)), "img7.ico");

    click(form->factPicture(2));
    for (int n = 1; n <= KidsGuide::factCount; ++n)
        EXPECT_EQ(form->factLabel(n)->isHidden(), n != 2) << n;
    EXPECT_TRUE(form->factLabel(6)->text().contains("Buffalo Bill"));

    click(form->factPicture(7));
    EXPECT_FALSE(form->factLabel(7)->isHidden());
    EXPECT_EQ(form->factLabel(7)->text(), "Rafting on the Snake River is great fun.");
}

TEST_F(KidsGuideTest, PdoggoRunsAcrossAndComesBackAndByeBringsBackTheMainWindow)
{
    const QPoint home = form->prairieDog()->pos();
    click(form->prairieDog());
    EXPECT_TRUE(form->isPrairieDogRunning());
    click(form->prairieDog()); // a second click while running changes nothing
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->prairieDog()->x() > form->width() / 2; }, 10000));
    EXPECT_EQ(form->prairieDog()->y(), home.y());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isPrairieDogRunning(); }, 10000));
    EXPECT_EQ(form->prairieDog()->pos(), home);

    // "Bye" brings back the main window and clears the tick.
    // Wired as the main window wires it: the tick box's click follows its state.
    QObject::connect(&check1, &QCheckBox::toggled, &main,
                     [&] { KidsGuide::openFromCheckBox(slot, &main, &check1, dir.path()); });
    form->findChild<QPushButton*>("CMDExit")->click();
    EXPECT_FALSE(check1.isChecked());
    EXPECT_TRUE(main.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(slot.isNull());

    // Ticking again opens a new guide; the title-bar close also clears the tick.
    check1.setChecked(true);
    ASSERT_FALSE(slot.isNull());
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(slot->isVisible());
    slot->close();
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(check1.isChecked());
}
