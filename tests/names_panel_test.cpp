// The players' names panel: its drawing and boxes as the user sees them, edits going into the
// names at once and into the settings file only on close, the close mark's strict border, the
// states in which a click closes nothing, and names that break the rule when typed or pasted.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QString>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "input.h"
#include "media/names.h"
#include "test_window.h"

using testing_support::press_table;
using testing_support::TestWindow;
using ui::Rgb;

namespace {

const std::string kFile = "dolvset.kvq";
constexpr Rgb kTable = ui::kTableColour, kTitleBar{255, 255, 192}, kFrame{255, 255, 0}, kBlue{0, 0, 255};

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

// Whether some pixel of the logical box passes the test.
bool any_pixel(const ui::Surface& s, float x1, float y1, float x2, float y2, const std::function<bool(Rgb)>& test) {
    for (float x = x1; x < x2; x += 0.25f)
        for (float y = y1; y < y2; y += 0.25f)
            if (test(s.Point(x, y))) return true;
    return false;
}
bool whitish(Rgb c) { return c.r > 200 && c.g > 200 && c.b > 200; }
bool dark(Rgb c) { return c.r < 90 && c.g < 90 && c.b < 90; }

// The names a fresh window reads back from the settings file.
std::array<std::string, 5> names_in_file(TestWindow& tw) {
    TestWindow again(false);
    again.dir.write(kFile, tw.dir.read(kFile));
    again->Form_Load();
    return again->player_names;
}

}  // namespace

TEST(NamesPanel, DrawsTheFrameLabelsBoxesAndMark) {
    TestWindow tw;
    tw->surface.FillBox(400, 300, 420, 320, kBlue);  // something already on the table
    tw->surface.FontTransparent = false;              // as text on its own ground leaves it
    tw->personalize_players.Click();
    ASSERT_TRUE(tw->names_panel_open());
    EXPECT_FALSE(tw->surface.FontTransparent) << "the ground setting of later text is left as it was";
    const ui::Surface& s = tw->surface;
    EXPECT_EQ(s.Point(410, 310), kTable) << "the table is cleared first";

    const float h = tw->TxtPlayer[1].Height();
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const ui::TextBox& box = tw->TxtPlayer[i];
        EXPECT_TRUE(box.Visible());
        EXPECT_NEAR(box.Left(), 90, 1e-3);
        EXPECT_NEAR(box.Top(), 32 + (i - 1) * h, 1e-3);  // the boxes touch
        EXPECT_NEAR(box.Height(), h, 1e-3);
        EXPECT_EQ(box.Text(), tw->player_names[i]);
        // The label, white, left of its box: "Player1 (you)" runs on past "Player1 ", the others do not.
        const float top = box.Top() + 1, bottom = top + s.TextHeight();
        EXPECT_TRUE(any_pixel(s, 5, top, 5 + s.TextWidth("Player2"), bottom, whitish));
        EXPECT_EQ(any_pixel(s, 5 + s.TextWidth("Player1 "), top, 88, bottom, whitish), i == 1);
    }
    EXPECT_NEAR(tw->Shape1.Left(), 90, 1e-3);
    EXPECT_NEAR(tw->Shape1.Top(), tw->TxtPlayer[4].Top() + h + 5, 1e-3);
    EXPECT_TRUE(tw->Shape1.Visible());

    // Title bar with the dark title after its two blanks, then the yellow frame's outline.
    const SCOPED_TRACE("title and frame");
    EXPECT_EQ(s.Point(191, 1), kTitleBar);
    EXPECT_FALSE(any_pixel(s, 0, 0, 192, 23.5f, [](Rgb c) { return c == kTable; })) << "the title lies on its bar";
    EXPECT_FALSE(any_pixel(s, 0, 0, s.TextWidth("  ") - 0.5f, 24, dark));
    EXPECT_TRUE(any_pixel(s, 0, 5, s.TextWidth("  Nomi dei giocatori"), 5 + s.TextHeight(), dark));
    for (const auto& [x, y] : {std::pair{0.f, 100.f}, {192.f, 100.f}, {100.f, 24.f}, {100.f, 170.f}})
        EXPECT_EQ(s.Point(x, y), kFrame) << x << "," << y;
    EXPECT_EQ(s.Point(60, 160), kTable);
    EXPECT_EQ(s.Point(193, 100), kTable);

    // Chosen again: drawn once more, the same.
    const QImage first = s.image().copy();
    tw->personalize_players.Click();
    EXPECT_TRUE(s.image() == first);
    EXPECT_NEAR(tw->TxtPlayer[4].Top(), 32 + 3 * h, 1e-3);
}

TEST(NamesPanel, EditsReachTheNamesAtOnceAndTheFileOnlyOnClose) {
    TestWindow tw;
    tw->personalize_players.Click();
    type_into(tw->TxtPlayer[2], "Gina");
    EXPECT_EQ(tw->player_names[2], "Gina");
    type_into(tw->TxtPlayer[3], "");
    key(tw->TxtPlayer[3], Qt::Key_Backspace);
    EXPECT_EQ(tw->player_names[3], "") << "an emptied box gives an empty name";
    EXPECT_FALSE(file_written(tw));

    const ui::ShapeBox& mark = tw->Shape1;
    press_table(tw->window(), mark.Left() + mark.Width() / 2, mark.Top() + mark.Height() / 2);
    EXPECT_FALSE(tw->names_panel_open());
    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(tw->TxtPlayer[i].Visible()) << i;
    EXPECT_EQ(tw->surface.Point(100, 10), kTable) << "the panel's drawing is cleared";
    EXPECT_EQ(tw.dir.read(kFile), " 2 \r\n 1 \r\nYou\r\nGina\r\n\r\nLeft\r\n 0 \r\n");

    // Reopened, the boxes show the names as they are now.
    tw->player_names[4] = "Olmo";
    tw->personalize_players.Click();
    for (const auto& [i, name] : {std::pair{1, "You"}, {2, "Gina"}, {3, ""}, {4, "Olmo"}})
        EXPECT_EQ(tw->TxtPlayer[i].Text(), name) << i;
}

// Only a click strictly inside the mark closes, with any button; its four edges do not.
TEST(NamesPanel, CloseMarkBorderIsOutside) {
    struct Case { const char* where; float dx, dy; Qt::MouseButton button; bool closes; };
    // dx, dy: 0 is the left or top edge, 1 the right or bottom edge, in between inside.
    const Case cases[] = {
        {"left edge", 0, 0.5f, Qt::LeftButton, false},   {"right edge", 1, 0.5f, Qt::LeftButton, false},
        {"top edge", 0.5f, 0, Qt::RightButton, false},   {"bottom edge", 0.5f, 1, Qt::LeftButton, false},
        {"corner", 1, 1, Qt::LeftButton, false},         {"inside, left", 0.5f, 0.5f, Qt::LeftButton, true},
        {"inside, right", 0.02f, 0.1f, Qt::RightButton, true},
        {"inside, middle", 0.98f, 0.9f, Qt::MiddleButton, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        TestWindow tw;
        tw->personalize_players.Click();
        const float l = tw->Shape1.Left(), t = tw->Shape1.Top(), w = tw->Shape1.Width(), h = tw->Shape1.Height();
        // The edges exactly as the close test forms them, in single precision.
        const float x = c.dx == 0 ? l : c.dx == 1 ? l + w : l + c.dx * w;
        const float y = c.dy == 0 ? t : c.dy == 1 ? t + h : t + c.dy * h;
        press_table(tw->window(), x, y, c.button);
        EXPECT_EQ(tw->names_panel_open(), !c.closes);
        EXPECT_EQ(tw->TxtPlayer[2].Visible(), !c.closes);
        EXPECT_EQ(file_written(tw), c.closes);
    }
}

// Where the mark is (or would be), nothing closes unless the panel is open, the item enabled
// and the input free; the overlays go in every case.
TEST(NamesPanel, ClickOnTheMarkClosesNothingOtherwise) {
    struct Case { const char* what; std::function<void(frmGioco&)> set_up; };
    const Case cases[] = {
        {"panel never opened", [](frmGioco&) {}},
        {"panel closed again", [](frmGioco& w) { w.personalize_players_Click(); w.close_names_panel(); }},
        {"menu item disabled",
         [](frmGioco& w) { w.personalize_players_Click(); w.personalize_players.SetEnabled(false); }},
        {"input locked", [](frmGioco& w) { w.personalize_players_Click(); w.input_lock = 100; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestWindow tw;
        // The middle of the mark where the panel puts it, under the four boxes.
        const float x = 90 + tw->Shape1.Width() / 2;
        const float y = 32 + 4 * tw->TxtPlayer[1].Height() + 5 + tw->Shape1.Height() / 2;
        tw->surface.FillBox(x - 2, y - 2, x + 2, y + 2, kBlue);

        c.set_up(*tw);
        std::filesystem::remove(tw.dir.path() / kFile);
        const bool open = tw->names_panel_open();
        const QImage before = tw->surface.image().copy();
        tw->menu_about.Click();
        tw->menu_rules.Click();
        press_table(tw->window(), x, y);
        EXPECT_FALSE(tw->Text2.Visible() || tw->Text4.Visible());
        EXPECT_EQ(tw->names_panel_open(), open);
        EXPECT_FALSE(file_written(tw));
        EXPECT_TRUE(tw->surface.image() == before);
    }
}

// Typed past the limit or pasted with line breaks and control characters, a name keeps the
// rule; the box shows what is kept, and the settings file stays seven lines.
TEST(NamesPanel, LongAndPastedNamesKeepTheRule) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    // expected: the name exactly, where the limit alone decides it; otherwise what it keeps.
    struct Case { const char* what; bool typed; QString input; std::optional<QString> expected; QString keeps; };
    const Case cases[] = {
        {"typed past the limit", true, QString(25, 'x'), QString(20, 'x'), {}},
        {"pasted past the limit", false, QString(30, 'y'), QString(20, 'y'), {}},
        {"pasted line breaks", false, "Ann\r\nBob\nCid\r", std::nullopt, "Ann"},
        {"pasted controls", false, QString("\tTab") + QChar(1) + "\x1b[31mRed" + QChar(0x7f), std::nullopt, "Tab"},
        {"pasted lines past the limit", false, "first line\r\nsecond line, longer", std::nullopt, "first line"},
        {"character cut in two by the limit", false, QString(19, 'a') + emoji, QString(19, 'a'), {}},
        {"character just within the limit", false, QString(18, 'b') + emoji, QString(18, 'b') + emoji, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestWindow tw;
        tw->personalize_players.Click();
        ui::TextBox& box = tw->TxtPlayer[3];
        c.typed ? type_into(box, c.input) : paste_into(box, c.input);

        const std::string name = tw->player_names[3];
        const QString q = QString::fromStdString(name);
        EXPECT_EQ(box.Text(), name) << "the box shows the name kept";
        EXPECT_EQ(q.toStdString(), name) << "valid UTF-8";
        EXPECT_LE(q.toUcs4().size(), kNameLimit);
        for (const char32_t ch : q.toUcs4()) EXPECT_TRUE(ch >= 0x20 && ch != 0x7f) << int(ch);
        EXPECT_EQ(media::clean_name(name), name);
        EXPECT_EQ(q, c.expected.value_or(q));
        EXPECT_TRUE(q.contains(c.keeps));

        // The path the draw's first pack click takes to close an open panel.
        tw->close_names_panel();
        EXPECT_FALSE(tw->names_panel_open() || box.Visible());
        const std::string file = tw.dir.read(kFile);
        EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 7);
        EXPECT_EQ(std::count(file.begin(), file.end(), '\r'), 7);
        EXPECT_NE(file.find("\r\nRight\r\n" + name + "\r\nLeft\r\n"), std::string::npos) << file;
        EXPECT_EQ(names_in_file(tw)[3], name);
    }
}
