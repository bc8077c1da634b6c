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
// The picture rendered at its size times the zoom, for the given device pixel ratio (cached).
const QPixmap& picture_pixmap(Picture picture, double zoom, double device_pixel_ratio);

std::int16_t button_code(Qt::MouseButton button);

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
    // The largest the window may grow: the whole desktop, and no less than a 4K screen.
    static QSize largest_window_size();
    TableWidget* table() const { return table_; }
    // Posts the window's first activation, once.
    void activate_once();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Window& window_;
    TableWidget* table_ = nullptr;
    bool activation_posted_ = false;
};

}  // namespace ui
