// The rules and info overlays: the menu choices in every order, a click on an overlay, a
// press on the bare table whatever the button and the input lock, and what the user can do
// inside the rules (scroll, not edit).
#include <QKeyEvent>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <string>

#include "input.h"
#include "test_window.h"

using testing_support::TestWindow;

namespace {

// Whether a control stands in front of another among the table's controls.
bool in_front_of(const ui::BoxedControl& a, const ui::BoxedControl& b) {
    const QObjectList& stack = a.widget()->parentWidget()->children();  // the last is the topmost
    return stack.indexOf(a.widget()) > stack.indexOf(b.widget());
}

}  // namespace

// "R" chooses "&Game rules", "I" chooses "&Info", from both overlays hidden.
TEST(Overlays, MenuChoicesShowHideAndStack) {
    struct Case { const char* choices; bool rules, info; };
    const Case cases[] = {
        {"R", true, false},  {"RR", false, false}, {"I", false, true},  {"II", false, false},
        {"IR", true, true},  // the rules come in front of the info text, which stays
        {"IRI", false, false}, {"RI", false, true}, {"IRR", false, true}, {"RIR", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choices);
        TestWindow tw;
        // Cards brought forward during play stay behind a shown overlay.
        tw->carta[7].Show();
        tw->carta[7].ToFront();
        for (const char* ch = c.choices; *ch; ++ch) (*ch == 'R' ? tw->menu_rules : tw->menu_about).Click();
        EXPECT_EQ(tw->Text2.Visible(), c.rules);
        EXPECT_EQ(tw->Text4.Visible(), c.info);
        if (c.rules && c.info) {
            EXPECT_TRUE(in_front_of(tw->Text2, tw->Text4));
        }
        for (const ui::TextBox* shown : {&tw->Text2, &tw->Text4}) {
            if (shown->Visible()) {
                EXPECT_TRUE(in_front_of(*shown, tw->carta[7]));
            }
        }
    }
}

TEST(Overlays, ClickOnAnOverlayHidesOnlyThatOne) {
    TestWindow tw;
    tw->menu_about.Click();
    tw->menu_rules.Click();
    testing_support::click(tw->Text4, Qt::RightButton);  // the box's own menu, not a click
    EXPECT_TRUE(tw->Text4.Visible());
    testing_support::click(tw->Text4);
    EXPECT_TRUE(tw->Text2.Visible());
    EXPECT_FALSE(tw->Text4.Visible());

    tw->menu_about.Click();  // hides the rules, shows the info
    tw->menu_rules.Click();
    testing_support::click(tw->Text2);
    EXPECT_FALSE(tw->Text2.Visible());
    EXPECT_TRUE(tw->Text4.Visible());
}

TEST(Overlays, PressOnTheBareTableHidesBothWhateverTheButtonAndLock) {
    struct Case { Qt::MouseButton button; std::int16_t lock; };
    for (const Case& c : {Case{Qt::LeftButton, 0}, Case{Qt::RightButton, 100}, Case{Qt::MiddleButton, 100},
                          Case{Qt::LeftButton, 100}}) {
        SCOPED_TRACE(testing::Message() << "button " << int(c.button) << " lock " << c.lock);
        TestWindow tw;
        tw->menu_about.Click();
        tw->menu_rules.Click();
        tw->input_lock = c.lock;
        testing_support::press_table(tw->window(), 600, 500, c.button);
        EXPECT_FALSE(tw->Text2.Visible() || tw->Text4.Visible());
        EXPECT_EQ(tw->input_lock, c.lock);
    }
}

// The rules scroll with the wheel and the bar and stay shown; typing changes neither text.
TEST(Overlays, RulesScrollButNeitherTextChanges) {
    TestWindow tw;
    tw->window().main_window().show();  // the bar is laid out as the user sees it
    QCoreApplication::processEvents();
    tw->menu_rules.Click();
    auto* rules = qobject_cast<QPlainTextEdit*>(tw->Text2.widget());
    ASSERT_NE(rules, nullptr);
    QScrollBar* bar = rules->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the rules should be longer than their box";

    const QPointF inside(20, 20);
    QWheelEvent wheel(inside, rules->viewport()->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(rules->viewport(), &wheel);
    const int after_wheel = bar->value();
    EXPECT_GT(after_wheel, 0);
    // A click on the bar's track below the handle pages down.
    testing_support::click(bar, Qt::LeftButton, QPointF(bar->width() / 2.0, bar->height() - 20));
    EXPECT_GT(bar->value(), after_wheel);
    EXPECT_TRUE(tw->Text2.Visible());

    tw->menu_about.Click();
    for (ui::TextBox* overlay : {&tw->Text2, &tw->Text4}) {
        const std::string before = overlay->Text();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QCoreApplication::sendEvent(overlay->widget(), &key);
        QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::sendEvent(overlay->widget(), &erase);
        EXPECT_EQ(overlay->Text(), before);
    }
}
