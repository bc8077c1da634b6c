// The window: its design, what Form_Load and Form_Activate leave behind, the layout passes
// (controls follow the outer size, the logical space the client area, and the geometry taken
// at start-up stays), and the drawing surface, kept across repaints and changes of size.
#include <QImage>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "window/window.h"
#include "input.h"
#include "test_window.h"

using ui::Rgb;
using testing_support::TestWindow;
using testing_support::click;
using testing_support::press;

namespace {
// The menu tree as text: each item's caption, a submenu's items after it in brackets.
QString menu_text(const QWidget* menu) {
    QStringList items;
    for (const QAction* a : menu->actions()) items << a->text() + (a->menu() ? "[" + menu_text(a->menu()) + "]" : "");
    return items.join(',');
}

struct Box { double l, t, w, h; };
Box box_of(const ui::BoxedControl& c) { return {c.px_left(), c.px_top(), c.px_width(), c.px_height()}; }

constexpr Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

// Whether any point of the text's box at (x, y) shows the colour.
bool text_box_shows(ui::Surface& s, float x, float y, const std::string& text, Rgb colour) {
    for (float px = x; px < x + s.TextWidth(text); px += 0.3f)
        for (float py = y; py < y + s.TextHeight(); py += 0.3f)
            if (s.Point(px, py) == colour) return true;
    return false;
}

std::pair<float, float> position(const ui::Surface& s) { return {s.CurrentX, s.CurrentY}; }
}  // namespace

TEST(Design, StartsWithTheMenuTreeEnabledAndEveryControlHidden) {
    TestWindow tw(true, false);
    EXPECT_EQ(menu_text(tw->window().main_window().menuBar()).toStdString(),
              "&Game[New Game,Continue],&Game rules,&Options[&Play rate[Low,Middle,High],&Personalize players],"
              "&Sounds[Card rustle[No,Yes]],&Music[None,SEQUENTIAL MODE,],&Info,&Quit");
    // The first song item exists, unnamed and unseen until a song names it.
    ASSERT_EQ(tw->canzoni.size(), 2u);
    EXPECT_FALSE(tw->canzoni[1]->Visible());
    for (const ui::MenuItem* item : {&tw->menu_newGame, &tw->continue_, &tw->all[0],
                                        &tw->velocità_gioco[1], &tw->velocità_gioco[3], &tw->menu_card_rustle[0],
                                        &tw->personalize_players, &tw->game_rate})
        EXPECT_TRUE(item->Enabled() && !item->Checked()) << item->Caption();
    for (int c = 0; c <= 40; ++c) EXPECT_FALSE(tw->carta[c].Visible()) << c;
    const ui::BoxedControl* others[] = {&tw->dorsov, &tw->dorsoo, &tw->testo, &tw->Text2, &tw->Text4, &tw->Shape1};
    for (const ui::BoxedControl* c : others) EXPECT_FALSE(c->Visible());
    for (int i = 1; i <= 4; ++i) {  // the name boxes 2 to 4 are made at load from the first
        ASSERT_NE(tw->TxtPlayer[i].widget(), nullptr) << i;
        EXPECT_FALSE(tw->TxtPlayer[i].Visible()) << i;
    }
    EXPECT_FALSE(tw->Timer1.Enabled());
}

// Before the first layout pass every control stands at its design box, the design's twips at
// twelve to the pixel, in creation order; the name boxes made at load take the first one's box.
TEST(Design, EveryControlStartsAtItsDesignBox) {
    TestWindow tw(false, false);
    struct Row { const ui::BoxedControl* control; double left, top, width, height; };
    std::vector<Row> rows{{&tw->carta[0], 9240, 6720, 1020, 1848}};
    for (int c = 1; c <= 40; ++c) rows.push_back({&tw->carta[c], 7080, 6720, 1020, 1836});
    rows.insert(rows.end(), {{&tw->dorsov, 8160, 6720, 1020, 1836},
                             {&tw->dorsoo, 5160, 7440, 1836, 1020},
                             {&tw->Text2, 5400, 120, 4560, 4800},
                             {&tw->testo, 6840, 5400, 1932, 804},
                             {&tw->TxtPlayer[1], 5640, 5760, 1152, 288},
                             {&tw->Text4, 2280, 120, 2772, 1452},
                             {&tw->Shape1, 5640, 6120, 1152, 192}});
    const auto expect_box = [](const ui::BoxedControl& c, const Row& r, int i) {
        EXPECT_DOUBLE_EQ(c.px_left(), r.left / 12) << "control " << i;
        EXPECT_DOUBLE_EQ(c.px_top(), r.top / 12) << "control " << i;
        EXPECT_DOUBLE_EQ(c.px_width(), r.width / 12) << "control " << i;
        EXPECT_DOUBLE_EQ(c.px_height(), r.height / 12) << "control " << i;
    };
    ASSERT_EQ(tw->window().controls().size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(tw->window().controls()[i], rows[i].control) << "control " << i << " out of order";
        expect_box(*rows[i].control, rows[i], int(i));
    }
    tw->Form_Load();
    const Row name_box{nullptr, 5640, 5760, 1152, 288};
    for (int i = 2; i <= 4; ++i) expect_box(tw->TxtPlayer[i], name_box, i);
}

// The caption stays as designed; a fresh window has no dealer, no draw under way, the cards
// open to the user's press and no names until start-up reads them.
TEST(Design, CaptionAndTheFreshWindowsFields) {
    TestWindow fresh(false, false);
    EXPECT_EQ(fresh->dealer, 0);
    EXPECT_EQ(fresh->choose_dealer, 0);
    EXPECT_EQ(fresh->input_lock, 0);
    EXPECT_EQ(fresh->player_names, (std::array<std::string, 5>{}));
    TestWindow tw;
    EXPECT_EQ(tw->window().main_window().windowTitle().toStdString(), "Orbenza - Dolvaro a calvone");
}

TEST(Activation, TakesTheGeometryAndPlacesTheOverlays) {
    TestWindow tw;
    EXPECT_EQ(tw->center_x, 400);
    EXPECT_EQ(tw->center_y, 300);
    // The card-size reference at the design size: 85 x 154 pixels of a 1272 x 974 client area.
    EXPECT_NEAR(tw->card_width, 53.46, 0.01);
    EXPECT_NEAR(tw->card_height, 94.87, 0.01);
    EXPECT_NEAR(tw->Text2.Left(), 0, 1e-4);
    EXPECT_NEAR(tw->Text2.Top(), 0, 1e-4);
    EXPECT_NEAR(tw->Text4.Left(), 20, 1e-3);
    EXPECT_FALSE(tw->Text2.Visible() || tw->Text4.Visible());
    EXPECT_NE(tw->Text2.Text().find("110"), std::string::npos);  // the rules
    EXPECT_NE(tw->Text4.Text().find("Orbenza"), std::string::npos);
    // A second activation changes nothing.
    tw->center_x = 1;
    tw->Form_Activate();
    EXPECT_EQ(tw->center_x, 1);
}

TEST(Activation, ShowingTheWindowLaysItOutThenActivatesOnce) {
    TestWindow tw(true, false);
    ui::MainWindow& f = tw->window().main_window();
    f.resize(f.size() + QSize(200, 100));
    f.show();
    // Activation comes from the event loop, after the layout pass of the first showing.
    for (int i = 0; i < 20 && tw->card_width == 0; ++i) tw->DoEvents();
    EXPECT_EQ(tw->last_width, float(f.size().width()));
    EXPECT_EQ(tw->center_x, 400);
    EXPECT_NEAR(tw->card_width, tw->carta[0].Width(), 1e-4);
    // The pass ran before activation: the reference card had already grown with the window.
    EXPECT_NEAR(tw->carta[0].px_width(), 85.0 * f.size().width() / 1272.0, 1e-3);
}

// Only the dimension that changed scales: widths and lefts with the width, heights and tops
// with the height, for every control.
TEST(Zoom, WidthOrHeightChangeScalesOnlyItsOwnDimension) {
    for (const auto& [sx, sy] : {std::pair{1.5, 1.0}, std::pair{1.0, 0.5}}) {
        TestWindow tw;
        ui::MainWindow& f = tw->window().main_window();
        const QSize start = f.size();
        std::vector<Box> before;
        for (const ui::BoxedControl* c : tw->window().controls()) before.push_back(box_of(*c));
        f.resize(int(start.width() * sx), int(start.height() * sy));
        tw->Form_Resize();
        const double rx = double(f.size().width()) / start.width();
        const double ry = double(f.size().height()) / start.height();
        for (std::size_t i = 0; i < before.size(); ++i) {
            const Box now = box_of(*tw->window().controls()[i]), was = before[i];
            EXPECT_NEAR(now.l, was.l * rx, 1e-3) << "control " << i << " at " << sx << " x " << sy;
            EXPECT_NEAR(now.w, was.w * rx, 1e-3) << "control " << i << " at " << sx << " x " << sy;
            EXPECT_NEAR(now.t, was.t * ry, 1e-3) << "control " << i << " at " << sx << " x " << sy;
            EXPECT_NEAR(now.h, was.h * ry, 1e-3) << "control " << i << " at " << sx << " x " << sy;
        }
        EXPECT_EQ(tw->last_width, float(f.size().width()));
        EXPECT_EQ(tw->last_height, float(f.size().height()));
        // The logical space spans the new client area.
        EXPECT_NEAR(tw->window().unit_x(), f.client_size().width() / 800.0, 1e-9);
        EXPECT_NEAR(tw->window().unit_y(), f.client_size().height() / 600.0, 1e-9);
    }
}

TEST(Zoom, MinimizeChangesNothingAndRestoreFindsTheOldSize) {
    TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    const Box card = box_of(tw->carta[3]);
    const float last_w = tw->last_width, last_h = tw->last_height;
    f.setWindowState(Qt::WindowMinimized);
    f.resize(200, 100);  // what a minimized window may report
    tw->Form_Resize();
    EXPECT_EQ(tw->last_width, last_w);
    EXPECT_EQ(tw->last_height, last_h);
    EXPECT_DOUBLE_EQ(tw->carta[3].px_width(), card.w);
    // Restoring brings the old size back, and the state change itself runs the pass.
    f.resize(int(last_w), int(last_h));
    f.setWindowState(Qt::WindowNoState);
    EXPECT_DOUBLE_EQ(tw->carta[3].px_width(), card.w);
    EXPECT_DOUBLE_EQ(tw->carta[3].px_top(), card.t);
    EXPECT_NEAR(tw->window().unit_y(), f.client_size().height() / 600.0, 1e-9);
}

TEST(Zoom, NameBoxesKeepOneSizeAndStartUpGeometryStays) {
    TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    const float w = tw->card_width, h = tw->card_height;
    for (QSize s : {f.size(), QSize{1700, 1000}, QSize{900, 700}, QSize{1333, 1111}, QSize{1920, 1080}}) {
        f.resize(s);
        tw->Form_Resize();
        for (int i = 2; i <= 4; ++i) {
            EXPECT_DOUBLE_EQ(tw->TxtPlayer[i].px_width(), tw->TxtPlayer[1].px_width());
            EXPECT_DOUBLE_EQ(tw->TxtPlayer[i].px_height(), tw->TxtPlayer[1].px_height());
        }
    }
    EXPECT_EQ(tw->card_width, w);
    EXPECT_EQ(tw->card_height, h);
    EXPECT_EQ(tw->center_x, 400);
}

// A window grown more in height than in width: the card face keeps its shape, filling its box's
// width, and the table shows through below it.
TEST(Zoom, PicturesKeepTheirShapeAndTheTableShowsBelow) {
    TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    f.resize(int(f.width() * 1.5), f.height() * 2);
    tw->Form_Resize();
    f.show();
    ui::PictureBox& card = tw->carta[4];
    card.Show();
    const QImage shown = f.table()->grab().toImage();
    const int x = int(card.px_left() + card.px_width() / 2), top = int(card.px_top());
    const double face_height = card.px_width() * 153 / 85;
    const auto table = [&](double y) {
        const QRgb p = shown.pixel(x, int(top + y));
        return Rgb{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))} == ui::kTableColour;
    };
    ASSERT_GT(card.px_height(), face_height + 20);
    EXPECT_FALSE(table(face_height / 2));
    EXPECT_FALSE(table(face_height - 5));
    EXPECT_TRUE(table(face_height + 5));
    EXPECT_TRUE(table(card.px_height() - 2));
}

TEST(Surface, BoxesHoldBothCornersAndLeaveThePositionAtTheSecond) {
    TestWindow tw;
    ui::Surface& s = tw->surface;
    s.FillBox(100, 100, 200, 150, kRed);
    EXPECT_TRUE(s.Point(100, 100) == kRed && s.Point(200, 150) == kRed && s.Point(202, 150) == ui::kTableColour);
    EXPECT_EQ(position(s), std::make_pair(200.0f, 150.0f));
    s.Box(300, 300, 400, 350, kBlue);
    EXPECT_EQ(s.Point(350, 325), ui::kTableColour) << "an outline leaves its inside alone";
    s.Line(10, 500, 90, 500, kBlue);
    EXPECT_EQ(s.Point(50, 500), kBlue);
    EXPECT_EQ(position(s), std::make_pair(90.0f, 500.0f));
    s.Cls();
    EXPECT_EQ(s.Point(150, 120), ui::kTableColour);
    EXPECT_EQ(position(s), std::make_pair(0.0f, 0.0f));
}

// Printed text moves the position along, or to the next line; opaque text covers what was
// under it with the ground.
TEST(Surface, PrintMovesThePositionAlongOrToTheNextLine) {
    TestWindow tw;
    ui::Surface& s = tw->surface;
    s.SetFontSize(8);
    s.ForeColor = kWhite;
    s.CurrentX = 250;
    s.CurrentY = 118;
    s.Print("  7", false);
    EXPECT_NEAR(s.CurrentX, 250 + s.TextWidth("  7"), 1e-3);
    EXPECT_EQ(s.CurrentY, 118);
    s.Print("12");
    EXPECT_EQ(s.CurrentX, 0);
    EXPECT_NEAR(s.CurrentY, 118 + s.TextHeight(), 1e-3);
    EXPECT_TRUE(s.TextHeight() > 5 && s.TextHeight() < 15);
    EXPECT_TRUE(text_box_shows(s, 250, 118, "  7", kWhite));
    s.FontTransparent = false;
    s.ForeColor = Rgb{0, 192, 0};
    s.CurrentX = 250;
    s.CurrentY = 118;
    s.Print("  1");
    EXPECT_FALSE(text_box_shows(s, 250, 118, "  7", kWhite)) << "the 7 shows through";
}

TEST(Surface, DrawingSurvivesRepaintAndResize) {
    TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    f.show();
    tw->surface.FillBox(100, 100, 200, 200, kRed);
    const int x = int(150 * tw->window().unit_x()), y = int(150 * tw->window().unit_y());
    const auto shown = [&](int px, int py) {  // read back from the widget as painted
        const QRgb p = f.table()->grab().toImage().pixel(px, py);
        return Rgb{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))};
    };
    EXPECT_EQ(shown(x, y), kRed);
    // Covered and shown again: the table repaints from what was drawn.
    f.hide();
    f.show();
    EXPECT_EQ(shown(x, y), kRed);
    // Larger window: the drawing stays where it was, in pixels; new ground is table.
    f.resize(f.size() + QSize(300, 200));
    tw->Form_Resize();
    EXPECT_EQ(shown(x, y), kRed);
    EXPECT_EQ(shown(f.table()->width() - 2, f.table()->height() - 2), ui::kTableColour);
}

// Presses carry the game's button numbers (1 left, 2 right, 4 middle) and the point in logical
// units, from a card image's corner or from the table's; a press on a card is the card's alone.
TEST(Input, PressesCarryTheButtonNumberAndThePoint) {
    TestWindow tw;
    tw->window().main_window().show();
    struct Press { std::int16_t button; float x, y; };
    std::vector<Press> on_card, on_table;
    ui::PictureBox& card = tw->carta[7];
    card.Show();
    card.on_mouse_down = [&](std::int16_t b, float x, float y) { on_card.push_back({b, x, y}); };
    tw->window().on_mouse_down = [&](std::int16_t b, float x, float y) { on_table.push_back({b, x, y}); };
    QWidget* table = tw->window().main_window().table();
    const double ux = tw->window().unit_x(), uy = tw->window().unit_y();
    const struct { Qt::MouseButton qt; std::int16_t game; } buttons[] = {
        {Qt::LeftButton, 1}, {Qt::RightButton, 2}, {Qt::MiddleButton, 4}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.game);
        on_card.clear();
        on_table.clear();
        press(card.widget(), b.qt, QPointF(0, 0));
        press(card.widget(), b.qt, QPointF(card.widget()->width() - 1, card.widget()->height() - 1));
        press(table, b.qt, QPointF(400 * ux, 300 * uy));
        ASSERT_EQ(on_card.size(), 2u);
        ASSERT_EQ(on_table.size(), 1u);
        EXPECT_TRUE(on_card[0].button == b.game && on_card[1].button == b.game && on_table[0].button == b.game);
        EXPECT_EQ(on_card[0].x, 0);
        EXPECT_EQ(on_card[0].y, 0);
        EXPECT_NEAR(on_card[1].x, card.Width(), 1.5 / ux);
        EXPECT_NEAR(on_card[1].y, card.Height(), 1.5 / uy);
        EXPECT_NEAR(on_table[0].x, 400, 1e-3);
        EXPECT_NEAR(on_table[0].y, 300, 1e-3);
    }
}

// A click of the left button on the pack or on an overlay raises its click; on the pack, no
// other button and no press alone does.
TEST(Input, ClicksReachThePackAndTheOverlays) {
    TestWindow tw;
    tw->window().main_window().show();
    int pack = 0, rules = 0, info = 0;
    tw->dorsov.on_click = [&] { ++pack; };
    tw->Text2.on_click = [&] { ++rules; };
    tw->Text4.on_click = [&] { ++info; };
    for (ui::BoxedControl* c : std::initializer_list<ui::BoxedControl*>{&tw->dorsov, &tw->Text2, &tw->Text4}) c->Show();
    click(tw->dorsov);
    click(tw->dorsov, Qt::RightButton);
    click(tw->dorsov, Qt::MiddleButton);
    press(tw->dorsov);
    EXPECT_EQ(pack, 1);
    click(tw->Text2);
    EXPECT_EQ(rules, 1);
    click(tw->Text4);
    EXPECT_EQ(info, 1);
    EXPECT_EQ(pack, 1);
}
