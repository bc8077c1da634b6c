// Events that come at awkward moments: a double click on the pack, a close before the game has
// started or with a message due.
#include <QTimer>
#include <gtest/gtest.h>

#include "input.h"
#include "test_window.h"

using testing_support::TestWindow;

TEST(LateEvents, DoubleClickOnThePackIsOneClick) {
    TestWindow tw;
    int clicks = 0;
    tw->dorsov.on_click = [&] { ++clicks; };
    tw->dorsov.Show();
    QWidget* pack = tw->dorsov.widget();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                    QEvent::MouseButtonRelease})
        testing_support::send_mouse(pack, type, Qt::LeftButton, QPointF(pack->rect().center()));
    EXPECT_EQ(clicks, 1);
    testing_support::click(pack);
    EXPECT_EQ(clicks, 2) << "a later click counts again";
}

TEST(LateEvents, CloseBeforeActivationStartsNoGame) {
    TestWindow tw(true, false);
    tw->test_hooks.run_main_on_activate = true;
    tw->menu_quit_Click();
    tw->Form_Activate();  // would wait for a pack click forever if the match loop started
    EXPECT_FALSE(tw->first_setup_done || tw->dorsov.Visible());
}

// Once the window is closed, a message box or a beep ends the run from game code; inside an
// event handler it does nothing, and the event pass around it ends the run.
TEST(LateEvents, NoMessageBoxOrBeepAfterAClose) {
    TestWindow tw;
    int shown = 0;
    tw->test_hooks.message_box = [&](const std::string&) { ++shown; };
    tw->test_hooks.beep = [&] { ++shown; };
    bool handler_returned = false;
    QTimer::singleShot(0, [&] {
        tw->menu_quit_Click();
        tw->MsgBox("You have Coppe");
        tw->Beep();
        handler_returned = true;
    });
    EXPECT_THROW(tw->WaitEvents(), ProgramEnded);
    EXPECT_TRUE(handler_returned);
    EXPECT_THROW(tw->MsgBox("Try again, please"), ProgramEnded);
    EXPECT_THROW(tw->Beep(), ProgramEnded);
    EXPECT_EQ(shown, 0);
}
