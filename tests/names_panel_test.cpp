// The players' names panel: its layout as the user sees it, edits going into the names at once
// and into the settings file only on close, names that break the rule when typed or pasted, the
// close mark's strict border and the states in which a click closes nothing.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "input.h"
#include "probe.h"
#include "scripted_user.h"
#include "test_window.h"

using testing_support::press_table;
using testing_support::TestWindow;
using ui::Rgb;

namespace {

const std::string kFile = "dolvset.kvq";
constexpr Rgb kTable = ui::kTableColour;

void key(ui::TextBox& box, Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, code, modifiers, text);
    QCoreApplication::sendEvent(box.widget(), &event);
}

// Enters text in a box as a user does: select all and paste, or clear and type; or, from a
// place in the text (characters from its start), paste or type there.
void enter(ui::TextBox& box, const QString& text, bool paste, int at = -1) {
    QGuiApplication::clipboard()->setText(text);
    if (at < 0) {
        key(box, Qt::Key_A, Qt::ControlModifier);
        if (!paste) key(box, Qt::Key_Backspace);
    } else {
        key(box, Qt::Key_Home);
        for (int i = 0; i < at; ++i) key(box, Qt::Key_Right);
    }
    if (paste) key(box, Qt::Key_V, Qt::ControlModifier);
    for (const QChar c : paste ? QString() : text) key(box, Qt::Key(c.toUpper().unicode()), Qt::NoModifier, QString(c));
}

bool file_written(TestWindow& tw) { return std::filesystem::exists(tw.dir.path() / kFile); }

constexpr Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0};

}  // namespace

// The title on its bar, the frame, a white label left of each box, the boxes touching one
// another and the mark under them; chosen again, the panel is drawn once more, the same.
TEST(NamesPanel, LaysOutTitleBoxesLabelsAndMarkOnceHoweverOftenChosen) {
    TestWindow tw;
    tw->player_names[4] = "Olmo";
    tw->surface.FillBox(400, 300, 420, 320, Rgb{0, 0, 255});
    tw->surface.FontTransparent = false;
    tw->personalize_players.Click();
    const ui::Surface& s = tw->surface;
    // The table cleared, the frame drawn, and the ground setting of later text left as it was.
    EXPECT_TRUE(s.Point(410, 310) == kTable && s.Point(192, 100) == (Rgb{255, 255, 0}) && !s.FontTransparent);
    EXPECT_TRUE(s.Point(185, 3) == (Rgb{255, 255, 192}) && probe::any(s, {5, 5, 5 + s.TextWidth("  Nomi"), 18}, kBlack, 60))
        << "the title bar and the title";
    const float h = tw->TxtPlayer[1].Height();
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const ui::TextBox& box = tw->TxtPlayer[i];
        EXPECT_TRUE(box.Visible() && box.Text() == tw->player_names[i]);  // the names as they are now
        EXPECT_TRUE(std::abs(box.Left() - 90) + std::abs(box.Top() - (32 + (i - 1) * h)) < 1e-3);  // the boxes touch
        // "Player1 (you)" runs on past "Player1 ", the others do not.
        const float top = box.Top() + 1, bottom = top + s.TextHeight();
        EXPECT_TRUE(probe::any(s, {5, top, 5 + s.TextWidth("Player2"), bottom}, kWhite));
        EXPECT_EQ(probe::any(s, {5 + s.TextWidth("Player1 "), top, 88, bottom}, kWhite), i == 1);
    }
    const ui::BoxedControl& mark = tw->Shape1;
    EXPECT_TRUE(mark.Visible() && std::abs(mark.Left() - 90) + std::abs(mark.Top() - (32 + 4 * h + 5)) < 1e-3);
    const QImage once = s.image().copy();
    tw->personalize_players.Click();
    EXPECT_TRUE(s.image() == once && mark.Visible() && std::abs(tw->TxtPlayer[4].Top() - (32 + 3 * h)) < 1e-3);
}

// An edit reaches the names at once, the file only when the mark closes the panel, and the seats
// when the names are printed next. Typed past the limit or pasted with line breaks and control
// characters, a name keeps the rule: cleaned first, then cut to twenty characters (not UTF-16
// units); a full name takes no more letters typed or pasted into it, while a paste over all of it
// is cut like any other; the box shows what is kept, its cursor where the user left it. The names
// nobody edited, twenty characters beyond the Basic Multilingual Plane among them, go back to the
// file byte for byte.
TEST(NamesPanel, EditsReachTheNamesAtOnceTheFileOnCloseAndKeepTheRule) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const std::string kept[] = {"", "aaaaaaaaaaaaaaaaaaa\xF0\x9F\x98\x80", (emoji.repeated(11)).toStdString(), "",
                                "Zo\xC3\xAB"};
    const QString full = "abcdefghijklmnopqrst";
    // What the box held first, then the input goes in at the place given or replaces all; where the
    // cursor is left (-1: not looked at).
    const struct { const char* what; bool paste; QString input, want, first = ""; int at = -1, cursor = -1; } cases[] = {
        {"typed", false, "Gina", "Gina"},
        {"emptied", false, "", ""},
        {"typed past the limit", false, QString(25, 'x'), QString(20, 'x')},
        {"pasted line breaks", true, "Ann\r\nBob\nCid\r", "AnnBobCid"},
        {"pasted controls, cleaned before the cut", true,
         QString("Ann\tA") + QChar(1) + "B\x1b[31mRed\r\nSecond line" + QChar(0x7f), "AnnAB[31mRedSecond l"},
        {"twenty characters, one of two UTF-16 units", true, QString(19, 'a') + emoji, QString(19, 'a') + emoji},
        {"a character past the limit", true, QString(20, 'b') + emoji, QString(20, 'b')},
        {"typed into a full name", false, "XY", full, full, 5, 5},
        {"pasted into a full name", true, "XY", full, full, 5, 5},
        {"pasted over all of a full name", true, QString(25, 'y'), QString(20, 'y'), full, -1, 20},
        {"typed into a name with room", false, "XY", "abXYc", "abc", 2, 4},
        {"pasted with a control character", true, "x\ty", "xyabc", "abc", 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestWindow tw(false);
        const std::string head = " 2 \r\n 1 \r\n" + kept[1] + "\r\n" + kept[2] + "\r\n";
        const std::string before = head + "Top\r\n" + kept[4] + "\r\n 0 \r\n";
        tw.dir.write(kFile, before);
        tw->Form_Load();
        tw->Form_Activate();
        tw->personalize_players.Click();
        if (!c.first.isEmpty()) enter(tw->TxtPlayer[3], c.first, false);
        enter(tw->TxtPlayer[3], c.input, c.paste, c.at);
        const std::string name = c.want.toStdString();
        EXPECT_EQ(tw->player_names, (std::array<std::string, 5>{"", kept[1], kept[2], name, kept[4]}));
        EXPECT_EQ(tw->TxtPlayer[3].Text(), name) << "the box shows the name kept";
        if (c.cursor >= 0) EXPECT_EQ(static_cast<QLineEdit*>(tw->TxtPlayer[3].widget())->cursorPosition(), c.cursor);
        EXPECT_EQ(tw.dir.read(kFile), before) << "an edit alone saves nothing";
        const ui::BoxedControl& mark = tw->Shape1;
        press_table(tw->window(), mark.Left() + mark.Width() / 2, mark.Top() + mark.Height() / 2);
        EXPECT_FALSE(tw->names_panel_open() || tw->TxtPlayer[1].Visible() || tw->TxtPlayer[4].Visible() ||
                     tw->surface.Point(100, 10) != kTable) << "the panel and its drawing are gone";
        EXPECT_EQ(tw.dir.read(kFile), head + name + "\r\n" + kept[4] + "\r\n 0 \r\n");
        tw->Posiziona_Players();
        const table::Point top = tw->geometry().name(3);
        EXPECT_TRUE(probe::reads(tw->surface, top.x, top.y, name, Rgb{0, 192, 0}, kTable)) << "the top seat's name";
    }
}

// Only a press strictly inside the mark closes, with any button, and only while the panel is
// open, its menu item enabled and the input free; otherwise the table's drawing stays.
TEST(NamesPanel, CloseMarkClosesOnlyStrictlyInsideAndWhenFree) {
    // dx, dy: 0 is the left or top edge, 1 the right or bottom edge, in between inside.
    // state: o open, c closed again, d menu item disabled, l input locked.
    constexpr Qt::MouseButton L = Qt::LeftButton, R = Qt::RightButton, M = Qt::MiddleButton;
    const struct { float dx, dy; Qt::MouseButton button; char state; bool closes; } cases[] = {
        {0, 0.5f, L, 'o', false}, {1, 0.5f, L, 'o', false}, {0.5f, 0, R, 'o', false}, {0.5f, 1, M, 'o', false},
        {1, 1, L, 'o', false}, {0.5f, 0.5f, L, 'o', true}, {0.02f, 0.1f, R, 'o', true}, {0.98f, 0.9f, M, 'o', true},
        {0.5f, 0.5f, L, 'c', false}, {0.5f, 0.5f, L, 'd', false}, {0.5f, 0.5f, L, 'l', false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy << " button " << int(c.button) << " state " << c.state);
        TestWindow tw;
        tw->personalize_players.Click();
        if (c.state == 'c') tw->close_names_panel();
        if (c.state == 'd') tw->personalize_players.SetEnabled(false);
        if (c.state == 'l') tw->input_lock = 100;
        std::filesystem::remove(tw.dir.path() / kFile);
        const QImage before = tw->surface.image().copy();
        // Times 0 and 1 are exact: the edges as the close test forms them, in single precision.
        const ui::BoxedControl& mark = tw->Shape1;
        press_table(tw->window(), mark.Left() + c.dx * mark.Width(), mark.Top() + c.dy * mark.Height(), c.button);
        EXPECT_EQ(std::tuple(tw->names_panel_open(), file_written(tw), tw->surface.image() == before),
                  std::tuple(c.state != 'c' && !c.closes, c.closes, !c.closes));
    }
}

// Names typed into the panel are saved however its time ends: the first click on the pack closes
// it as the mark would, and the prompt it covered shows again; "&Quit" or the close box with the
// panel still open save them as its close would.
TEST(NamesPanel, TheFirstDrawOrTheEndOfTheRunClosesItWithTheNamesSaved) {
    for (const char end : {'d', 'q', 'c'}) {  // the first draw, "&Quit", the close box
        SCOPED_TRACE(end);
        TestWindow tw(true, false);
        tw->test_hooks.pause_scale = 0.001;
        tw->test_hooks.run_main_on_activate = true;
        testing_support::ScriptedUser user(*tw);
        user.meddle = false;
        bool typed = false, prompt = false;
        user.before_acting = [&] {
            if (!user.draw_waits()) return false;
            if (!std::exchange(typed, true)) {
                tw->personalize_players.Click();
                enter(tw->TxtPlayer[1], "Gina", false);
                if (end == 'd') return false;  // the user clicks the pack, the panel open
                end == 'q' ? tw->menu_quit.Click() : void(tw->window().main_window().close());
                return true;
            }
            // The second draw waits: the first click has closed the panel.
            tw->surface.SetFontSize(8);
            prompt = probe::reads(tw->surface, 5, 5, "Dialer choice - Click the pack", kWhite, kTable);
            EXPECT_FALSE(tw->names_panel_open() || tw->TxtPlayer[1].Visible());
            tw->menu_quit_Click();
            return true;
        };
        tw->Form_Activate();
        EXPECT_TRUE(tw->run_over() && typed);
        EXPECT_EQ(tw.dir.read(kFile), " 2 \r\n 1 \r\nGina\r\nRight\r\nTop\r\nLeft\r\n 0 \r\n");
        if (end == 'd') EXPECT_TRUE(prompt) << "the prompt shows again";
    }
}
