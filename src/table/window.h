// The top-level window, its table widget and the widgets behind the game's controls.
// Only the window layer and the program's entry point include this header.
#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <vector>

#include "table/controls.h"
#include "table/surface.h"

class QMenu;

namespace table {

// Design size of the client area, in pixels: the zoom of pictures is measured from it.
inline constexpr int kDesignClientWidth = 1272;
inline constexpr int kDesignClientHeight = 974;

// The size of a picture as designed, in pixels.
QSize picture_size(Picture picture);
// The picture rendered at its size times the zoom, for the given device pixel ratio (cached).
const QPixmap& picture_pixmap(Picture picture, double zoom, double device_pixel_ratio);
// The rules or info text carried by the design.
QString design_text(const char* name);

class TableWidget : public QWidget {
public:
    TableWidget(Surface& surface, QWidget* parent);
    std::function<void(std::int16_t button, float x, float y)> on_mouse_down;
    std::function<void()> on_first_paint;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Surface& surface_;
    bool painted_ = false;
};

class Form : public QMainWindow {
public:
    explicit Form(Surface& surface);

    // Creating the design's controls; boxes are given in pixels of the design.
    void create_picture(PictureBox& box, Picture picture, double left, double top, double width,
                        double height);
    enum class TextKind { Rules, Info, Name };
    void create_text(TextBox& box, TextKind kind, double left, double top, double width, double height);
    void create_shape(ShapeBox& box, double left, double top, double width, double height);
    // A new element of a control array, with the properties of an existing one, hidden.
    void clone_text(TextBox& box, const TextBox& from);

    // Menus: top-level menus, items in them, items acting on the menu bar itself.
    void create_menu(MenuItem& item, const char* caption, MenuItem* parent);
    void create_item(MenuItem& item, const char* caption, MenuItem& parent);
    void create_bar_item(MenuItem& item, const char* caption);

    // All boxed controls, in creation order.
    const std::vector<BoxedControl*>& controls() const { return controls_; }

    // Outer size in pixels (menu bar included) and whether the window is minimized.
    QSize outer_size() const { return size(); }
    bool minimized() const { return isMinimized(); }
    QSize client_size() const;
    // Sets the logical space over the client area as it is now.
    void set_logical_size(double width, double height);
    double unit_x() const { return unit_x_; }
    double unit_y() const { return unit_y_; }
    double zoom() const { return zoom_; }

    // Modal message box with one text and OK; the platform's beep.
    void message_box(const std::string& text);
    void beep();

    std::function<void()> on_resize;
    std::function<void()> on_activate;
    std::function<void(std::int16_t& cancel)> on_unload;
    std::function<void()> on_first_paint;

    TableWidget* table() const { return table_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void register_control(BoxedControl& box, QWidget* widget, double left, double top, double width,
                          double height);
    QMenu* menu_of(MenuItem& item);
    void wire_action(MenuItem& item);

    Surface& surface_;
    TableWidget* table_ = nullptr;
    std::vector<BoxedControl*> controls_;
    double unit_x_ = 1, unit_y_ = 1, zoom_ = 1;
    bool activation_posted_ = false;
};

}  // namespace table
