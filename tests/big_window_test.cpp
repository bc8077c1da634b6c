// A window pulled far past any screen: it grows no larger than the desktop shows (a 4K screen at
// least), nor does the table's image or a picture's rendering, and the table comes back as it
// was when the window does. The limit is the desktop's as it is now.
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <gtest/gtest.h>

#include "probe.h"
#include "test_window.h"
#include "window/window.h"

TEST(BigWindow, GrowsNoLargerThanAScreenShowsAndComesBackAsBefore) {
    testing_support::TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    const QSize design = f.size(), largest = ui::MainWindow::largest_window_size();
    tw->Form_Resize();
    tw->surface.FillBox(100, 100, 200, 200, ui::Rgb{255, 0, 0});
    const QImage before = tw->surface.image().copy();
    f.resize(30000, 30000);
    tw->Form_Resize();
    const double zoom = tw->window().zoom();
    const QSize face = ui::picture_pixmap(7, zoom, 1.0).size(), image = tw->surface.image().size();
    EXPECT_TRUE(f.width() <= largest.width() && f.height() <= largest.height()) << f.width() << " x " << f.height();
    EXPECT_TRUE(image.width() <= largest.width() && image.height() <= largest.height());
    EXPECT_TRUE(face.width() <= largest.width() && face.height() <= largest.height() && face.width() > 85);
    EXPECT_TRUE(probe::all(tw->surface, {103, 103, 197, 197}, ui::Rgb{255, 0, 0})) << "the drawing in its place";
    f.resize(design);
    tw->Form_Resize();
    EXPECT_EQ(tw->surface.image(), before);
}

// The limit follows the desktop as it is now: a limit taken from a smaller desktop gives way as
// soon as a screen is attached, moved or resized.
TEST(BigWindow, TheLimitFollowsTheScreensTheDesktopHasNow) {
    testing_support::TestWindow tw;
    ui::MainWindow& f = tw->window().main_window();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize now = ui::MainWindow::largest_window_size();
    f.setMaximumSize(800, 600);  // what a start on a smaller desktop gave
    emit qApp->screenAdded(screen);
    EXPECT_EQ(f.maximumSize(), now) << "a screen attached";
    f.setMaximumSize(800, 600);
    emit screen->virtualGeometryChanged(screen->virtualGeometry());
    EXPECT_EQ(f.maximumSize(), now) << "a screen moved or resized";
}
