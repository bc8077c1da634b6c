// The window: its design, what Form_Load and Form_Activate leave behind, the layout passes,
// the drawing surface and the mouse.
#include <QImage>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "window/window.h"
#include "input.h"
#include "probe.h"
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

using Box = std::array<double, 4>;
std::vector<Box> boxes(const std::vector<ui::BoxedControl*>& controls) {
    std::vector<Box> out;
    for (const ui::BoxedControl* c : controls) out.push_back({c->px_left(), c->px_top(), c->px_width(), c->px_height()});
    return out;
}

// A pixel of the table as painted on the screen.
Rgb shown(ui::MainWindow& f, double x, double y) {
    const QRgb p = f.table()->grab().toImage().pixel(int(x), int(y));
    return Rgb{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))};
}

constexpr Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kTable = ui::kTableColour;
}  // namespace

// A fresh window's fields, and every control at its design box in creation order; after the
// load, the name boxes made from the first take its box, every control is hidden and the menu
// tree stands as designed. Showing the window lays it out first, then activation takes the
// geometry once, from the grown reference card, places the overlays, hidden, and keeps the caption.
TEST(Design, FieldsBoxesMenusAndActivationOnce) {
    TestWindow tw(false, false);
    EXPECT_TRUE(tw->dealer == 0 && tw->choose_dealer == 0 && tw->input_lock == 0);
    EXPECT_EQ(tw->player_names, (std::array<std::string, 5>{}));
    std::vector<ui::BoxedControl*> order{&tw->carta[0]};
    std::vector<Box> design{{770, 560, 85, 154}};
    for (int c = 1; c <= 40; ++c) order.push_back(&tw->carta[c]), design.push_back({590, 560, 85, 153});
    order.insert(order.end(), {&tw->dorsov, &tw->dorsoo, &tw->Text2, &tw->testo, &tw->TxtPlayer[1], &tw->Text4,
                               &tw->Shape1});
    design.insert(design.end(), {{680, 560, 85, 153}, {430, 620, 153, 85}, {450, 10, 380, 400},
                                 {570, 450, 161, 67}, {470, 480, 96, 24}, {190, 10, 231, 121}, {470, 510, 96, 16}});
    EXPECT_EQ(tw->window().controls(), order);
    EXPECT_EQ(boxes(order), design);
    tw->Form_Load();
    EXPECT_EQ(boxes({&tw->TxtPlayer[2], &tw->TxtPlayer[3], &tw->TxtPlayer[4]}), std::vector<Box>(3, design[45]));
    EXPECT_FALSE(tw->Timer1.Enabled() || std::ranges::any_of(tw->window().controls(), &ui::BoxedControl::Visible));
    ui::MainWindow& f = tw->window().main_window();
    EXPECT_EQ(menu_text(f.menuBar()).toStdString(),
              "&Game[New Game,Continue],&Game rules,&Options[&Play rate[Low,Middle,High],&Personalize players],"
              "&Sounds[Card rustle[No,Yes]],&Music[None,SEQUENTIAL MODE,],&Info,&Quit");

    f.resize(f.size() + QSize(200, 100));
    f.show();
    for (int i = 0; i < 20 && tw->card_width == 0; ++i) tw->DoEvents();
    EXPECT_TRUE(tw->last_width == float(f.width()) && tw->center_x == 400 && tw->center_y == 300);
    EXPECT_NEAR(tw->carta[0].px_width(), 85.0 * f.width() / 1272.0, 1e-3);
    EXPECT_EQ(std::pair(tw->card_width, tw->card_height), std::pair(tw->carta[0].Width(), tw->carta[0].Height()));
    EXPECT_TRUE(std::abs(tw->Text2.Left()) + std::abs(tw->Text2.Top()) + std::abs(tw->Text4.Left() - 20) < 1e-3);
    EXPECT_FALSE(tw->Text2.Visible() || tw->Text4.Visible());
    tw->center_x = 1;
    tw->Form_Activate();
    EXPECT_EQ(tw->center_x, 1);
    EXPECT_EQ(f.windowTitle().toStdString(), "Orbenza - Dolvaro a calvone");
}

// Widths and lefts follow the width, heights and tops the height; the name boxes keep one size
// and the geometry taken at start-up stays. Minimized, whatever size it reports, the window
// changes nothing, and restored it finds its boxes as they were.
TEST(Zoom, EachDimensionScalesOnlyItsOwnBoxesAndMinimizeNothing) {
    for (const auto& [sx, sy] : {std::pair{1.5, 1.0}, {1.0, 0.5}, {1.048, 1.141}, {0.708, 0.719}}) {
        SCOPED_TRACE(testing::Message() << sx << " x " << sy);
        TestWindow tw;
        ui::MainWindow& f = tw->window().main_window();
        const QSize start = f.size();
        const float card_w = tw->card_width, card_h = tw->card_height;
        const std::vector<Box> before = boxes(tw->window().controls());
        f.resize(int(start.width() * sx), int(start.height() * sy));
        tw->Form_Resize();
        const double rx = double(f.width()) / start.width(), ry = double(f.height()) / start.height();
        const std::vector<Box> after = boxes(tw->window().controls());
        for (std::size_t i = 0; i < before.size(); ++i)
            for (int k = 0; k < 4; ++k) EXPECT_NEAR(after[i][k], before[i][k] * (k % 2 ? ry : rx), 1e-3) << i;
        EXPECT_EQ(std::pair(tw->window().unit_x(), tw->window().unit_y()),
                  std::pair(f.client_size().width() / 800.0, f.client_size().height() / 600.0));
        const auto size = [&](int i) { return std::pair(tw->TxtPlayer[i].px_width(), tw->TxtPlayer[i].px_height()); };
        for (int i = 2; i <= 4; ++i) EXPECT_EQ(size(i), size(1)) << i;
        EXPECT_TRUE(tw->last_width == float(f.width()) && tw->last_height == float(f.height()) &&
                    tw->card_width == card_w && tw->card_height == card_h && tw->center_x == 400);
        const QSize zoomed = f.size();
        f.setWindowState(Qt::WindowMinimized);
        f.resize(200, 100);  // what a minimized window may report
        tw->Form_Resize();
        EXPECT_TRUE(tw->last_width == zoomed.width() && tw->last_height == zoomed.height() &&
                    boxes(tw->window().controls()) == after);
        f.resize(zoomed);
        f.setWindowState(Qt::WindowNoState);  // the state change itself runs the pass
        EXPECT_EQ(boxes(tw->window().controls()), after);
    }
}

TEST(Surface, BoxesHoldBothCornersAndPrintMovesThePosition) {
    TestWindow tw;
    ui::Surface& s = tw->surface;
    const auto at = [&](float x, float y) { return std::abs(s.CurrentX - x) < 1e-3 && std::abs(s.CurrentY - y) < 1e-3; };
    s.FillBox(100, 100, 200, 150, kRed);
    EXPECT_TRUE(s.Point(100, 100) == kRed && s.Point(200, 150) == kRed && s.Point(202, 150) == kTable && at(200, 150));
    s.Box(300, 300, 400, 350, kBlue);
    EXPECT_TRUE(s.Point(300, 300) == kBlue && s.Point(400, 350) == kBlue && s.Point(350, 325) == kTable);
    s.Line(10, 500, 90, 500, kBlue);
    EXPECT_TRUE(s.Point(50, 500) == kBlue && at(90, 500));
    s.Cls();
    EXPECT_TRUE(s.Point(150, 120) == kTable && at(0, 0));
    s.SetFontSize(8);
    s.CurrentX = 250, s.CurrentY = 118;
    s.Print("  7", false);
    EXPECT_TRUE(at(250 + s.TextWidth("  7"), 118));
    s.Print("12");
    EXPECT_TRUE(at(0, 118 + s.TextHeight()) && s.TextHeight() > 5 && s.TextHeight() < 15);
    // A table with no area keeps its drawing for when it has room again.
    s.FillBox(100, 400, 200, 450, kRed);
    const QSize size = s.image().size();
    s.resize_pixels(size.width(), 0, 1.0);
    s.resize_pixels(size.width(), size.height(), 1.0);
    EXPECT_EQ(s.Point(150, 425), kRed);
}

// In a window grown more in height than in width, drawings stand at their logical place,
// scaled, on new table ground, and a card face keeps its shape, filling its box's width, with
// the table showing through below it.
TEST(Zoom, DrawingsKeepTheirPlaceAndPicturesTheirShape) {
    TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    f.show();
    tw->surface.FillBox(100, 100, 200, 200, kRed);
    const auto at = [&](float x, float y) { return shown(f, x * tw->window().unit_x(), y * tw->window().unit_y()); };
    f.resize(int(f.width() * 1.5), f.height() * 2);
    tw->Form_Resize();
    EXPECT_TRUE(at(103, 103) == kRed && at(150, 150) == kRed && at(197, 197) == kRed);
    EXPECT_TRUE(at(205, 150) == kTable && at(150, 205) == kTable);
    EXPECT_EQ(shown(f, f.table()->width() - 2, f.table()->height() - 2), kTable);
    ui::PictureBox& card = tw->carta[4];
    card.Show();
    const double x = card.px_left() + card.px_width() / 2, top = card.px_top(), face = card.px_width() * 153 / 85;
    ASSERT_GT(card.px_height(), face + 20);
    for (const double y : {face / 2, face - 5, face + 5, card.px_height() - 2})
        EXPECT_EQ(shown(f, x, top + y) == kTable, y > face) << y;
}

// Presses carry the game's button numbers (1 left, 2 right, 4 middle) and the point in logical
// units from a card image's corner or the table's; a press on a card is the card's alone. Only
// a whole click of the left button raises the pack's click.
TEST(Input, ButtonsAndPointsReachCardsTableAndPack) {
    TestWindow tw;
    tw->window().main_window().show();
    ui::PictureBox& card = tw->carta[7];
    card.Move(100, 100);
    card.Show();
    std::vector<std::array<float, 4>> got;  // from the card (0) or the table (1): button, x, y
    card.on_mouse_down = [&](std::int16_t b, float x, float y) { got.push_back({0, float(b), x, y}); };
    tw->window().on_mouse_down = [&](std::int16_t b, float x, float y) { got.push_back({1, float(b), x, y}); };
    const double ux = tw->window().unit_x(), uy = tw->window().unit_y();
    for (const auto& [qt, b] : {std::pair{Qt::LeftButton, 1.f}, {Qt::RightButton, 2.f}, {Qt::MiddleButton, 4.f}}) {
        got.clear();
        // The face's far corner: the window is not quite of the design's shape, nor the face of its box's.
        const QSizeF face = ui::picture_drawn_size(7, tw->window().zoom(), 1.0);
        const QPointF at[] = {{0, 0}, {face.width() - 1.0, face.height() - 1.0}, {400 * ux, 300 * uy}};
        for (int i = 0; i < 3; ++i) press(i < 2 ? card.widget() : tw->window().main_window().table(), qt, at[i]);
        ASSERT_EQ(got.size(), 3u) << b;
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(got[i][0] == (i == 2) && got[i][1] == b && std::abs(got[i][2] * ux - at[i].x()) < 1e-2 &&
                        std::abs(got[i][3] * uy - at[i].y()) < 1e-2) << "button " << b << ", press " << i;
    }
    int pack = 0;
    tw->dorsov.on_click = [&] { ++pack; };
    tw->dorsov.Show();
    for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) click(tw->dorsov, b);
    press(tw->dorsov);
    EXPECT_EQ(pack, 1);
}

// In windows of other shapes than the design's, a card's box is wider (or taller) than its face:
// a click on the bare part is a click on the table, which hides the overlays and plays nothing,
// nor draws from the pack; where the bare part lies over the face of the card beside, that card
// plays; a click on a face acts. The clicks reach the window as the window system gives them.
TEST(Input, ACardOrThePackTakesAClickOnlyWhereItsPictureShows) {
    for (const QSize outer : {QSize(1920, 1080), QSize(700, 1000)}) {
        SCOPED_TRACE(testing::Message() << outer.width() << " x " << outer.height());
        TestWindow tw;
        ui::MainWindow& f = tw->window().main_window();
        f.show();
        f.resize(outer);
        tw->Form_Resize();
        tw->gioco_imposta();
        const table::Geometry table = tw->geometry();
        // The user's hand in its row, each card over the one on its right, free to lead any card.
        for (int slot = 10; slot >= 1; --slot) {
            tw->hands[1][slot] = std::uint8_t(slot);
            tw->carta[slot].Move(table.row(1, slot).x, table.row(1, slot).y);
            tw->carta[slot].ToFront();
        }
        tw->trick_number = 2;
        tw->trick_leader = tw->current_player = 1;
        tw->input_lock = 0;
        // A box's face, and a point where the box is bare: beside the face in a wide window, under it in a tall one.
        const QSizeF drawn = ui::picture_drawn_size(1, tw->window().zoom(), 1.0);
        const auto face = [&](const ui::PictureBox& box) { return QRectF(QPointF(box.px_left(), box.px_top()), drawn); };
        const auto bare = [&](const ui::PictureBox& box) {
            const QRectF f = face(box);
            return (outer.width() > 1500 ? QPointF((f.right() + box.px_left() + box.px_width()) / 2, f.center().y())
                                         : QPointF(f.center().x(), (f.bottom() + box.px_top() + box.px_height()) / 2))
                .toPoint();
        };
        // What a click at the point plays, and whether it left the overlay shown.
        const auto click = [&](QPoint at) {
            tw->played_card = 0;
            tw->Text2.Show();
            testing_support::click_at(f.table(), at);
            return std::pair(int(tw->played_card), tw->Text2.Visible());
        };
        const QRectF last = face(tw->carta[10]);
        EXPECT_EQ(click(QPointF(last.right() - 3, last.center().y()).toPoint()), std::pair(10, false)) << "the face plays";
        EXPECT_EQ(click(bare(tw->carta[10])), std::pair(0, false)) << "beside the last card: the table";
        if (outer.width() > 1500) {
            EXPECT_EQ(click(bare(tw->carta[3])), std::pair(4, false)) << "over the next card's face: that card";
            tw->carta[5].Move(table::kParked.x, table::kParked.y);  // played: its place is felt again
            EXPECT_EQ(click(bare(tw->carta[4])), std::pair(0, false)) << "in the gap a played card left";
        }
        // The pack in the dealer draw: only its picture draws a card.
        tw->choose_dealer = 1;
        tw->deck_pos = 1;
        tw->current_player = 2;
        tw->dorsov.Show();
        tw->dorsov.ToFront();
        EXPECT_EQ(click(bare(tw->dorsov)).first, 0) << "beside the pack";
        EXPECT_EQ(click(face(tw->dorsov).center().toPoint()).first, tw->deck[1]) << "the pack";
    }
}

// Opened maximized, the window fills the screen; restored, it lies wholly on the screen, its
// title bar with it, at the design's shape and as large as the screen leaves room for: on a screen
// with room for it, the design size.
TEST(Window, OpensMaximizedAndRestoresWhollyOnTheScreen) {
    TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    const QSize design = f.size();
    f.open_maximized();
    for (int i = 0; i < 10; ++i) tw->DoEvents();
    const QRect free = f.screen()->availableGeometry();
    EXPECT_TRUE(f.isMaximized() && f.frameGeometry() == free) << "maximized";
    f.showNormal();
    for (int i = 0; i < 10; ++i) tw->DoEvents();
    const QRect restored = f.frameGeometry();
    EXPECT_TRUE(free.contains(restored) && restored.top() >= free.top() && f.geometry().top() > restored.top())
        << restored.x() << ", " << restored.y() << " " << restored.width() << " x " << restored.height();
    EXPECT_NEAR(double(f.width()) / f.height(), double(design.width()) / design.height(), 0.01);
    EXPECT_GT(f.height(), free.height() / 2);
    EXPECT_EQ(ui::MainWindow::restored_geometry(QRect(0, 0, 1920, 1200), design).size(), design);
}

// A window squeezed during the deal to its menu bar, or to no width, has no table to lay out:
// nothing changes while it is so, and grown again it shows the whole deal where it belongs, the
// user's hand in its row on the table and the backs painted at their seats.
TEST(Zoom, ATableWithNoWidthOrHeightChangesNothingAndTheDealComesBackWhole) {
    for (const bool no_height : {true, false}) {
        SCOPED_TRACE(no_height ? "no height" : "no width");
        TestWindow tw;
        ui::MainWindow& f = tw->window().main_window();
        f.show();
        const QSize size = f.size();
        tw->test_hooks.pause_scale = 0.001;
        tw->gioco_imposta();
        tw->dealer = 2;  // the user's packet comes third, dealt while the table has no room
        int pauses = 0;
        std::vector<Box> squeezed;
        // Squeezed in one pause, the window's resize runs its layout passes in the next.
        QSize table_squeezed;
        tw->test_hooks.pause = [&](double) {
            if (++pauses == 3) no_height ? f.resize(size.width(), f.menuBar()->height()) : f.resize(0, size.height());
            if (pauses == 4) squeezed = boxes(tw->window().controls()), table_squeezed = f.client_size();
        };
        const std::vector<Box> before = boxes(tw->window().controls());
        tw->daicarte();
        EXPECT_TRUE(table_squeezed.width() == 0 || table_squeezed.height() == 0);
        EXPECT_TRUE(squeezed == before) << "a squeezed table changes no box";
        f.resize(size);
        for (int i = 0; i < 5; ++i) tw->DoEvents();
        const table::Geometry table = tw->geometry();
        const QRect shown = f.table()->rect();
        for (int slot = 1; slot <= 10; ++slot) {
            const ui::PictureBox& card = tw->carta[tw->hands[1][slot]];
            EXPECT_TRUE(card.Visible() && std::abs(card.Left() - table.row(1, slot).x) < 0.5f &&
                        std::abs(card.Top() - table.row(1, slot).y) < 0.5f &&
                        shown.contains(QRect(int(card.px_left()), int(card.px_top()), int(card.px_width()), int(card.px_height()))))
                << "slot " << slot << " at " << card.Left() << ", " << card.Top();
        }
        for (const int seat : {2, 3, 4})
            EXPECT_FALSE(probe::all(tw->surface, table.row_box(seat), kTable)) << "the backs of seat " << seat;
    }
}
