// The Qt side of the window layer: the top-level window, its table widget and the pictures.
// Only the window layer, the program's entry point and the tests include this header.
#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QWidget>

#include "window/form.h"

namespace ui {

// Design size of the client area, in pixels: the zoom of pictures is measured from it.
inline constexpr int kDesignClientWidth = 1272;
inline constexpr int kDesignClientHeight = 974;

// The size of a picture as designed, in pixels.
QSize picture_size(Picture picture);
// The size, in device-independent pixels, that a picture covers when drawn at the zoom.
QSizeF picture_drawn_size(Picture picture, double zoom, double device_pixel_ratio);
// The picture rendered at its size times the zoom, for the given device pixel ratio (cached).
const QPixmap& picture_pixmap(Picture picture, double zoom, double device_pixel_ratio);

std::int16_t button_code(Qt::MouseButton button);

// A picture box on the screen: its picture drawn from the box's top-left corner at the current
// zoom and clipped by the box. It takes presses only where its picture shows; elsewhere in its
// box a press reaches what lies under it (a card below, or the bare table).
class PictureWidget : public QWidget {
public:
    PictureWidget(PictureBox& box, Window& window, QWidget* parent);
    // Takes presses where the picture shows now, at the present zoom and box.
    void fit_to_picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PictureBox& box_;
    Window& window_;
    bool double_click_ = false;
};

class TableWidget : public QWidget {
public:
    TableWidget(Window& window, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Window& window_;
    bool painted_ = false;
};

class MainWindow : public QMainWindow {
public:
    static constexpr int kActivationAtTheLatestMs = 300;
    explicit MainWindow(Window& window);

    QSize client_size() const;
    // The largest the window may grow: the whole desktop as it is now, and no less than a 4K screen.
    static QSize largest_window_size();
    // Where the window lies when it is not maximized: the design size, or less where the screen is
    // smaller, in the middle of the screen's free area with room around it for a title bar.
    static QRect restored_geometry(const QRect& free_area, const QSize& design);
    // Shows the window maximized, restoring to restored_geometry; where no window manager acts on
    // the request, the window fills the screen itself once it shows.
    void open_maximized();
    TableWidget* table() const { return table_; }
    // Posts the window's first activation, once.
    void activate_once();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class TableWidget;
    // The limit on the window's size follows the screens the desktop has now: renewed when a screen
    // is attached or removed, and when a watched one moves or is resized.
    void follow_screens();
    void watch_screen(QScreen* screen);
    // Called once the window first shows: fills the screen if nothing maximized the window.
    void fill_screen_if_unmanaged();

    Window& window_;
    TableWidget* table_ = nullptr;
    bool activation_posted_ = false;
    // Where open_maximized put the window on an X display, until its first paint.
    QRect restored_;
};

}  // namespace ui
