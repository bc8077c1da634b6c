// The drawing surface: boxes, lines and text in logical units, kept across repaints and
// changes of size.

#include <QImage>
#include <gtest/gtest.h>

#include "table/window.h"
#include "test_window.h"

using table::Rgb;
using testing_support::TestWindow;

namespace {
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

Rgb widget_pixel(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Rgb{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))};
}
}  // namespace

TEST(Surface, BoxesHoldBothCornersAndLeaveThePositionAtTheSecond) {
    TestWindow tw;
    table::Surface& s = tw->surface;
    s.FillBox(100, 100, 200, 150, kRed);
    EXPECT_EQ(s.Point(100, 100), kRed);
    EXPECT_EQ(s.Point(200, 150), kRed);
    EXPECT_EQ(s.Point(202, 150), table::kTableColour);
    EXPECT_EQ(s.CurrentX, 200);
    EXPECT_EQ(s.CurrentY, 150);

    s.Box(300, 300, 400, 350, kBlue);
    EXPECT_EQ(s.Point(300, 320), kBlue);
    EXPECT_EQ(s.Point(400, 320), kBlue);
    EXPECT_EQ(s.Point(350, 325), table::kTableColour) << "an outline leaves its inside alone";

    s.Line(10, 500, 90, 500, kBlue);
    EXPECT_EQ(s.Point(50, 500), kBlue);
    EXPECT_EQ(s.CurrentX, 90);
    EXPECT_EQ(s.CurrentY, 500);

    s.Cls();
    EXPECT_EQ(s.Point(150, 120), table::kTableColour);
    EXPECT_EQ(s.CurrentX, 0);
    EXPECT_EQ(s.CurrentY, 0);
}

TEST(Surface, PrintMovesThePositionAlongOrToTheNextLine) {
    TestWindow tw;
    table::Surface& s = tw->surface;
    s.SetFontSize(8);
    s.ForeColor = Rgb{255, 255, 255};
    s.CurrentX = 250;
    s.CurrentY = 118;
    s.Print("  7", false);
    EXPECT_NEAR(s.CurrentX, 250 + s.TextWidth("  7"), 1e-3);
    EXPECT_EQ(s.CurrentY, 118);
    s.Print("12");
    EXPECT_EQ(s.CurrentX, 0);
    EXPECT_NEAR(s.CurrentY, 118 + s.TextHeight(), 1e-3);
    EXPECT_GT(s.TextHeight(), 5);
    EXPECT_LT(s.TextHeight(), 15);

    // Something white was drawn where the first text stands.
    bool white = false;
    for (float x = 250; x < 250 + s.TextWidth("  7"); x += 0.3f)
        for (float y = 118; y < 118 + s.TextHeight(); y += 0.3f) white |= s.Point(x, y) == Rgb{255, 255, 255};
    EXPECT_TRUE(white);
}

TEST(Surface, OpaqueTextShowsOnlyTheNewColour) {
    TestWindow tw;
    table::Surface& s = tw->surface;
    s.SetFontSize(8);
    s.FontTransparent = false;
    s.ForeColor = Rgb{255, 255, 255};
    s.CurrentX = 100;
    s.CurrentY = 100;
    s.Print("WWWW");
    s.ForeColor = Rgb{0, 192, 0};
    s.CurrentX = 100;
    s.CurrentY = 100;
    s.Print("WWWW");
    for (float x = 100; x < 100 + s.TextWidth("WWWW"); x += 0.3f)
        for (float y = 100; y < 100 + s.TextHeight(); y += 0.3f) ASSERT_NE(s.Point(x, y), (Rgb{255, 255, 255}));
}

TEST(Surface, DrawingSurvivesRepaintAndResize) {
    TestWindow tw;
    table::Form& f = tw->form();
    f.show();
    tw->surface.FillBox(100, 100, 200, 200, kRed);
    QImage shown = f.table()->grab().toImage();
    EXPECT_EQ(widget_pixel(shown, int(150 * f.unit_x()), int(150 * f.unit_y())), kRed);

    // Covered and shown again: the table repaints from what was drawn.
    f.hide();
    f.show();
    shown = f.table()->grab().toImage();
    const int x = int(150 * f.unit_x()), y = int(150 * f.unit_y());
    EXPECT_EQ(widget_pixel(shown, x, y), kRed);

    // Larger window: the drawing stays where it was, in pixels; new ground is table.
    f.resize(f.size() + QSize(300, 200));
    tw->Form_Resize();
    shown = f.table()->grab().toImage();
    EXPECT_EQ(widget_pixel(shown, x, y), kRed);
    EXPECT_EQ(widget_pixel(shown, shown.width() - 2, shown.height() - 2), table::kTableColour);
}

TEST(Surface, PaintedPictureCoversItsPlace) {
    TestWindow tw;
    table::Surface& s = tw->surface;
    s.PaintPicture(table::kBackUpright, 100, 100);
    // The middle of a back is not table.
    EXPECT_NE(s.Point(100 + tw->card_width / 2, 100 + tw->card_height / 2), table::kTableColour);
    EXPECT_EQ(s.Point(100 + tw->card_width + 3, 100 + tw->card_height / 2), table::kTableColour);
}
