// The help window: "Exit" and the title bar close it, the window goes and the main window is back.
#include "dialogs/HelpWindow.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using wk::dialogs::HelpWindow;

TEST(HelpWindowTest, ExitOrTheTitleBarClosesAndBringsTheMainWindowBack)
{
    QTemporaryDir dir;
    QWidget main;
    QPointer<HelpWindow> slot;
    for (const auto& close : std::initializer_list<std::function<void(HelpWindow*)>>{
             [](HelpWindow* w) { w->findChild<QPushButton*>("SSCommand1")->click(); },
             [](HelpWindow* w) { w->close(); }}) {
        main.hide();
        ASSERT_NE(HelpWindow::open(slot, dir.path(), &main), nullptr);
        close(slot);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return slot.isNull();
            },
            2000));
        EXPECT_TRUE(main.isVisible());
    }
}
