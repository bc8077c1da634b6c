// The rules and info overlays: the menu choices and clicks in every order, a press on the bare
// table whatever the button and the input lock, and the rules scroll but take no typing.
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cstring>

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
// on the info text, "j" a right click on the info text (its own menu, not a click); "l" locks the
// input, and "1", "2", "4" are presses of the left, right and middle button on the bare table.
TEST(Overlays, MenuChoicesClicksAndTablePressesShowHideAndStack) {
    const struct { const char* steps; bool rules, info; } cases[] = {
        {"R", true, false},  {"RR", false, false}, {"I", false, true},  {"II", false, false},
        {"IR", true, true},  {"IRI", false, false}, {"RI", false, true}, {"IRR", false, true},
        {"RIR", true, true}, {"Ij", false, true},   {"Ii", false, false}, {"IRr", false, true},
        {"IR1", false, false}, {"IRl1", false, false}, {"IRl2", false, false}, {"IRl4", false, false},
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
            case 'j': click(tw->Text4, Qt::RightButton); break;
            case 'l': tw->input_lock = 100; break;
            default: testing_support::press_table(tw->window(), 600, 500, Qt::MouseButton(*ch - '0'));
        }
        EXPECT_EQ(std::tuple(tw->Text2.Visible(), tw->Text4.Visible(), int(tw->input_lock)),
                  std::tuple(c.rules, c.info, std::strchr(c.steps, 'l') ? 100 : 0));
        EXPECT_TRUE(!(c.rules && c.info) || in_front_of(tw->Text2, tw->Text4)) << "rules in front of info";
        for (const ui::TextBox* shown : {&tw->Text2, &tw->Text4})
            EXPECT_TRUE(!shown->Visible() || in_front_of(*shown, tw->carta[7])) << "card in front";
    }
}

TEST(Overlays, RulesScrollButNeitherTextChanges) {
    TestWindow tw;
    tw->window().main_window().show();  // the bar is laid out as the user sees it
    QCoreApplication::processEvents();
    tw->menu_rules.Click();  // and a turn of the wheel scrolls the rules
    auto* rules = qobject_cast<QPlainTextEdit*>(tw->Text2.widget());
    ASSERT_NE(rules, nullptr);
    const QPointF inside(20, 20);
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
