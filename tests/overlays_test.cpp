// The rules and info overlays: the menu choices and clicks in every order, a press on the bare
// table whatever the button and the input lock, and the rules scroll but take no typing.
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "input.h"
#include "test_window.h"

using testing_support::TestWindow;
using testing_support::click;

namespace {
// Whether a control stands in front of another among the table's controls.
bool in_front_of(const ui::BoxedControl& a, const ui::BoxedControl& b) {
    const QObjectList& stack = a.widget()->parentWidget()->children();  // the last is the topmost
    return stack.indexOf(a.widget()) > stack.indexOf(b.widget());
}
}  // namespace

// "R" chooses "&Game rules", "I" chooses "&Info"; "r" and "i" are left clicks on the rules and
// on the info text, "j" a right click on the info text (its own menu, not a click).
TEST(Overlays, MenuChoicesAndClicksShowHideAndStack) {
    const struct { const char* steps; bool rules, info; } cases[] = {
        {"R", true, false},  {"RR", false, false}, {"I", false, true},  {"II", false, false},
        {"IR", true, true},  {"IRI", false, false}, {"RI", false, true}, {"IRR", false, true},
        {"RIR", true, true}, {"IRj", true, true},  {"IRi", true, false}, {"IRr", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        TestWindow tw;
        tw->carta[7].Show();  // a card brought forward in play stays behind a shown overlay
        tw->carta[7].ToFront();
        for (const char* ch = c.steps; *ch; ++ch) switch (*ch) {
            case 'R': tw->menu_rules.Click(); break;
            case 'I': tw->menu_about.Click(); break;
            case 'r': click(tw->Text2); break;
            case 'i': click(tw->Text4); break;
            default: click(tw->Text4, Qt::RightButton);
        }
        EXPECT_EQ(std::pair(tw->Text2.Visible(), tw->Text4.Visible()), std::pair(c.rules, c.info));
        EXPECT_TRUE(!(c.rules && c.info) || in_front_of(tw->Text2, tw->Text4)) << "rules in front of info";
        for (const ui::TextBox* shown : {&tw->Text2, &tw->Text4})
            EXPECT_TRUE(!shown->Visible() || in_front_of(*shown, tw->carta[7])) << "card in front";
    }
}

TEST(Overlays, PressOnTheBareTableHidesBothWhateverTheButtonAndLock) {
    for (const auto& [button, lock] : {std::pair{Qt::LeftButton, 0}, {Qt::RightButton, 100}, {Qt::MiddleButton, 100},
                                       {Qt::LeftButton, 100}}) {
        SCOPED_TRACE(testing::Message() << "button " << int(button) << " lock " << lock);
        TestWindow tw;
        tw->menu_about.Click();
        tw->menu_rules.Click();
        tw->input_lock = std::int16_t(lock);
        testing_support::press_table(tw->window(), 600, 500, button);
        EXPECT_FALSE(tw->Text2.Visible() || tw->Text4.Visible());
        EXPECT_EQ(tw->input_lock, lock);
    }
}

TEST(Overlays, RulesScrollButNeitherTextChanges) {
    TestWindow tw;
    tw->window().main_window().show();  // the bar is laid out as the user sees it
    QCoreApplication::processEvents();
    tw->menu_rules.Click();
    auto* rules = qobject_cast<QPlainTextEdit*>(tw->Text2.widget());
    ASSERT_NE(rules, nullptr);
    const QPointF inside(20, 20);  // a turn of the wheel scrolls the rules
    QWheelEvent wheel(inside, rules->viewport()->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(rules->viewport(), &wheel);
    EXPECT_TRUE(rules->verticalScrollBar()->value() > 0 && tw->Text2.Visible());
    tw->menu_about.Click();
    for (ui::TextBox* overlay : {&tw->Text2, &tw->Text4}) {
        const std::string before = overlay->Text();
        for (const auto& [code, text] : {std::pair{Qt::Key_X, "x"}, {Qt::Key_Backspace, ""}}) {
            QKeyEvent key(QEvent::KeyPress, code, Qt::NoModifier, text);
            QCoreApplication::sendEvent(overlay->widget(), &key);
        }
        EXPECT_EQ(overlay->Text(), before);
    }
}
