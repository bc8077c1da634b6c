// The players' names panel: its layout as the user sees it, edits going into the names at once
// and into the settings file only on close, the close mark's strict border, the states in which
// a click closes nothing, and names that break the rule when typed or pasted.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "input.h"
#include "test_window.h"

using testing_support::press_table;
using testing_support::TestWindow;
using ui::Rgb;

namespace {

const std::string kFile = "dolvset.kvq";
constexpr Rgb kTable = ui::kTableColour, kBlue{0, 0, 255};

void key(ui::TextBox& box, Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, code, modifiers, text);
    QCoreApplication::sendEvent(box.widget(), &event);
}

// Replaces a box's text as a user does: select all, then type or paste.
void type_into(ui::TextBox& box, const QString& text) {
    key(box, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : text) key(box, Qt::Key(c.toUpper().unicode()), Qt::NoModifier, QString(c));
}
void paste_into(ui::TextBox& box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    key(box, Qt::Key_A, Qt::ControlModifier);
    key(box, Qt::Key_V, Qt::ControlModifier);
}

bool file_written(TestWindow& tw) { return std::filesystem::exists(tw.dir.path() / kFile); }

// Whether some white pixel lies in the logical box.
bool any_white(const ui::Surface& s, float x1, float y1, float x2, float y2) {
    for (float x = x1; x < x2; x += 0.25f)
        for (float y = y1; y < y2; y += 0.25f)
            if (const Rgb c = s.Point(x, y); c.r > 200 && c.g > 200 && c.b > 200) return true;
    return false;
}

}  // namespace

TEST(NamesPanel, LaysOutBoxesLabelsAndMark) {
    TestWindow tw;
    tw->player_names[4] = "Olmo";
    tw->surface.FillBox(400, 300, 420, 320, kBlue);
    tw->surface.FontTransparent = false;
    tw->personalize_players.Click();
    const ui::Surface& s = tw->surface;
    EXPECT_FALSE(s.FontTransparent) << "the ground setting of later text is left as it was";
    EXPECT_EQ(s.Point(410, 310), kTable) << "the table is cleared first";
    EXPECT_EQ(s.Point(192, 100), (Rgb{255, 255, 0})) << "the frame";

    const float h = tw->TxtPlayer[1].Height();
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const ui::TextBox& box = tw->TxtPlayer[i];
        EXPECT_TRUE(box.Visible() && box.Text() == tw->player_names[i]);  // the names as they are now
        EXPECT_NEAR(box.Left(), 90, 1e-3);
        EXPECT_NEAR(box.Top(), 32 + (i - 1) * h, 1e-3);  // the boxes touch
        // The white label left of its box: "Player1 (you)" runs on past "Player1 ", the others do not.
        const float top = box.Top() + 1, bottom = top + s.TextHeight();
        EXPECT_TRUE(any_white(s, 5, top, 5 + s.TextWidth("Player2"), bottom));
        EXPECT_EQ(any_white(s, 5 + s.TextWidth("Player1 "), top, 88, bottom), i == 1);
    }
    EXPECT_TRUE(tw->Shape1.Visible());
    EXPECT_NEAR(tw->Shape1.Left(), 90, 1e-3);
    EXPECT_NEAR(tw->Shape1.Top(), 32 + 4 * h + 5, 1e-3);
}

TEST(NamesPanel, EditsReachTheNamesAtOnceAndTheFileOnlyOnClose) {
    TestWindow tw;
    tw->personalize_players.Click();
    type_into(tw->TxtPlayer[2], "Gina");
    type_into(tw->TxtPlayer[3], "");
    key(tw->TxtPlayer[3], Qt::Key_Backspace);
    EXPECT_EQ(tw->player_names, (std::array<std::string, 5>{"", "You", "Gina", "", "Left"}));
    EXPECT_FALSE(file_written(tw));

    press_table(tw->window(), tw->Shape1.Left() + tw->Shape1.Width() / 2, tw->Shape1.Top() + tw->Shape1.Height() / 2);
    EXPECT_FALSE(tw->names_panel_open());
    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(tw->TxtPlayer[i].Visible()) << i;
    EXPECT_EQ(tw->surface.Point(100, 10), kTable) << "the panel's drawing is cleared";
    EXPECT_EQ(tw.dir.read(kFile), " 2 \r\n 1 \r\nYou\r\nGina\r\n\r\nLeft\r\n 0 \r\n");
}

// Only a press strictly inside the mark closes, with any button, and only while the panel is
// open, its menu item enabled and the input free; otherwise the table's drawing stays.
TEST(NamesPanel, CloseMarkClosesOnlyStrictlyInsideAndWhenFree) {
    // dx, dy: 0 is the left or top edge, 1 the right or bottom edge, in between inside.
    // state: o open, n never opened, c closed again, d menu item disabled, l input locked.
    const struct { const char* where; float dx, dy; Qt::MouseButton button; char state; bool closes; } cases[] = {
        {"left edge", 0, 0.5f, Qt::LeftButton, 'o', false},     {"right edge", 1, 0.5f, Qt::LeftButton, 'o', false},
        {"top edge", 0.5f, 0, Qt::RightButton, 'o', false},     {"bottom edge", 0.5f, 1, Qt::LeftButton, 'o', false},
        {"corner", 1, 1, Qt::LeftButton, 'o', false},           {"inside", 0.5f, 0.5f, Qt::LeftButton, 'o', true},
        {"inside, right", 0.02f, 0.1f, Qt::RightButton, 'o', true},
        {"inside, middle", 0.98f, 0.9f, Qt::MiddleButton, 'o', true},
        {"never opened", 0.5f, 0.5f, Qt::LeftButton, 'n', false}, {"closed", 0.5f, 0.5f, Qt::LeftButton, 'c', false},
        {"disabled", 0.5f, 0.5f, Qt::LeftButton, 'd', false},     {"locked", 0.5f, 0.5f, Qt::LeftButton, 'l', false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        TestWindow tw;
        if (c.state != 'n') tw->personalize_players.Click();
        const float l = tw->Shape1.Left(), t = tw->Shape1.Top(), w = tw->Shape1.Width(), h = tw->Shape1.Height();
        if (c.state == 'c') tw->close_names_panel();
        if (c.state == 'd') tw->personalize_players.SetEnabled(false);
        if (c.state == 'l') tw->input_lock = 100;
        std::filesystem::remove(tw.dir.path() / kFile);
        const bool open = tw->names_panel_open();
        tw->surface.FillBox(700, 500, 710, 510, kBlue);
        const QImage before = tw->surface.image().copy();
        // The edges exactly as the close test forms them, in single precision.
        const float x = c.dx == 0 ? l : c.dx == 1 ? l + w : l + c.dx * w;
        const float y = c.dy == 0 ? t : c.dy == 1 ? t + h : t + c.dy * h;
        press_table(tw->window(), x, y, c.button);
        EXPECT_EQ(tw->names_panel_open(), open && !c.closes);
        EXPECT_EQ(file_written(tw), c.closes);
        EXPECT_TRUE(c.closes || tw->surface.image() == before);
    }
}

// Typed past the limit or pasted with line breaks and control characters, a name keeps the
// rule; the box shows what is kept, and the settings file stays seven lines.
TEST(NamesPanel, LongAndPastedNamesKeepTheRule) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    // exact: the name where the limit alone decides it; otherwise keeps: what it must hold.
    const struct { const char* what; bool typed; QString input, exact, keeps; } cases[] = {
        {"typed past the limit", true, QString(25, 'x'), QString(20, 'x'), {}},
        {"pasted line breaks", false, "Ann\r\nBob\nCid\r", {}, "Ann"},
        {"pasted controls", false, QString("\tTab") + QChar(1) + "\x1b[31mRed" + QChar(0x7f), {}, "Tab"},
        {"character cut in two by the limit", false, QString(19, 'a') + emoji, QString(19, 'a'), {}},
        {"character just within the limit", false, QString(18, 'b') + emoji, QString(18, 'b') + emoji, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestWindow tw;
        tw->personalize_players.Click();
        ui::TextBox& box = tw->TxtPlayer[3];
        c.typed ? type_into(box, c.input) : paste_into(box, c.input);

        const std::string name = tw->player_names[3];
        const QString q = QString::fromStdString(name);
        EXPECT_EQ(box.Text(), name) << "the box shows the name kept, valid UTF-8";
        EXPECT_LE(q.toUcs4().size(), kNameLimit);
        for (const char32_t ch : q.toUcs4()) EXPECT_TRUE(ch >= 0x20 && ch != 0x7f) << int(ch);
        EXPECT_TRUE(c.exact.isEmpty() ? q.contains(c.keeps) : q == c.exact) << q.toStdString();

        tw->close_names_panel();  // as the draw's first pack click does
        const std::string file = tw.dir.read(kFile);
        EXPECT_TRUE(std::count(file.begin(), file.end(), '\n') == 7 && std::count(file.begin(), file.end(), '\r') == 7);
        EXPECT_NE(file.find("\r\nRight\r\n" + name + "\r\nLeft\r\n"), std::string::npos) << file;
    }
}
