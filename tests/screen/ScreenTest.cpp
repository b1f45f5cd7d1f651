#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

TEST(Screen, IsFullHd)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_EQ(screen->geometry().size(), QSize(1920, 1080));
    printf("dpr %f avail %d %d\n", screen->devicePixelRatio(), screen->availableGeometry().width(),
           screen->availableGeometry().height());
}
