// Layout passes: controls follow the window's outer size; the logical space follows the
// client area; the geometry taken at start-up stays.

#include <gtest/gtest.h>

#include <cmath>

#include "table/window.h"
#include "test_window.h"

using testing_support::TestWindow;

namespace {
struct Box {
    double l, t, w, h;
};
Box box_of(const table::BoxedControl& c) { return {c.px_left(), c.px_top(), c.px_width(), c.px_height()}; }
}  // namespace

TEST(Zoom, WidthChangeScalesOnlyWidthsAndLefts) {
    TestWindow tw;
    table::Form& f = tw->form();
    const QSize start = f.outer_size();
    const Box card = box_of(tw->carta[7]), text = box_of(tw->Text2);
    f.resize(int(start.width() * 1.5), start.height());
    tw->Form_Resize();
    EXPECT_NEAR(tw->carta[7].px_width(), card.w * 1.5, 1e-3);
    EXPECT_NEAR(tw->carta[7].px_left(), card.l * 1.5, 1e-3);
    EXPECT_DOUBLE_EQ(tw->carta[7].px_top(), card.t);
    EXPECT_DOUBLE_EQ(tw->carta[7].px_height(), card.h);
    EXPECT_NEAR(tw->Text2.px_width(), text.w * 1.5, 1e-3);
    EXPECT_EQ(tw->last_width, float(start.width() * 1.5));
    EXPECT_EQ(tw->new_width, tw->last_width);
    // The logical space spans the new client area.
    EXPECT_NEAR(f.unit_x(), f.client_size().width() / 800.0, 1e-9);
}

TEST(Zoom, HeightChangeScalesOnlyHeightsAndTops) {
    TestWindow tw;
    table::Form& f = tw->form();
    const QSize start = f.outer_size();
    const Box shape = box_of(tw->Shape1);
    f.resize(start.width(), start.height() / 2);
    tw->Form_Resize();
    const double ratio = double(float(start.height() / 2) / float(start.height()));
    EXPECT_NEAR(tw->Shape1.px_height(), shape.h * ratio, 1e-3);
    EXPECT_NEAR(tw->Shape1.px_top(), shape.t * ratio, 1e-3);
    EXPECT_DOUBLE_EQ(tw->Shape1.px_left(), shape.l);
    EXPECT_DOUBLE_EQ(tw->Shape1.px_width(), shape.w);
}

TEST(Zoom, MinimizeChangesNothingAndRestoreFindsTheOldSize) {
    TestWindow tw;
    table::Form& f = tw->form();
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
    EXPECT_NEAR(f.unit_y(), f.client_size().height() / 600.0, 1e-9);
}

TEST(Zoom, NameBoxesKeepOneSizeAndStartUpGeometryStays) {
    TestWindow tw;
    table::Form& f = tw->form();
    const float w = tw->card_width, h = tw->card_height;
    const QSize sizes[] = {{1700, 1000}, {900, 700}, {1333, 1111}, {1024, 768}, {1920, 1080}};
    for (const QSize& s : sizes) {
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

TEST(Zoom, PicturesFollowTheZoomAndClipInSmallerBoxes) {
    TestWindow tw;
    table::Form& f = tw->form();
    f.resize(f.outer_size() * 2);
    tw->Form_Resize();
    EXPECT_NEAR(f.zoom(), 2.0, 0.05);
    // A picture given back to its box makes the box the picture's size at the zoom.
    tw->carta[9].SetWidth(0);
    tw->carta[9].SetPicture(9);
    EXPECT_NEAR(tw->carta[9].px_width(), 85 * f.zoom(), 1e-6);
    EXPECT_NEAR(tw->carta[9].px_height(), 153 * f.zoom(), 1e-6);
    const QPixmap& face = table::picture_pixmap(9, f.zoom(), 1.0);
    EXPECT_EQ(face.width(), int(std::lround(85 * f.zoom())));
}
