// The top-level window as the game sees it: its design is built through it, and the game asks
// it only for what it needs (outer size, minimized, close, the logical space, a message box,
// a beep, event passes). No Qt header is needed here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "window/controls.h"
#include "window/surface.h"

namespace ui {

class MainWindow;

class Window {
public:
    explicit Window(Surface& surface);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creating the design's controls; boxes are given in pixels of the design.
    void create_picture(PictureBox& box, Picture picture, double left, double top, double width,
                        double height);
    void create_text(TextBox& box, const TextStyle& style, double left, double top, double width,
                     double height);
    void create_shape(ShapeBox& box, double left, double top, double width, double height);
    // A new element of a control array, with the properties of an existing one, hidden.
    void clone_text(TextBox& box, const TextBox& from);

    // Menus: top-level menus, items in them (option items carry a check mark from their
    // creation), items acting on the menu bar itself.
    void create_menu(MenuItem& item, const char* caption, MenuItem* parent);
    void create_item(MenuItem& item, const char* caption, MenuItem& parent, bool checkable = false);
    void create_bar_item(MenuItem& item, const char* caption);

    // All boxed controls, in creation order.
    const std::vector<BoxedControl*>& controls() const { return controls_; }
    // Scales every control's box, width and left by the one ratio, height and top by the other,
    // as a layout pass does. A picture given to a box later takes its design size scaled as the
    // boxes were, so that it looks like the boxes scaled with the window.
    void scale_boxes(double width_ratio, double height_ratio);
    double box_scale_x() const { return box_scale_x_; }
    double box_scale_y() const { return box_scale_y_; }

    // Outer size in pixels (frame and menu bar included) and whether the window is minimized.
    int outer_width() const;
    int outer_height() const;
    bool minimized() const;
    // Sets the logical space over the client area as it is now.
    void set_logical_size(double width, double height);
    double unit_x() const { return unit_x_; }
    double unit_y() const { return unit_y_; }
    double zoom() const { return zoom_; }

    // Closes the window: the unload handler runs.
    void close();
    // Modal message box with one text and OK; the platform's beep.
    void message_box(const std::string& text);
    void beep();

    std::function<void()> on_resize;
    std::function<void()> on_activate;
    std::function<void(std::int16_t& cancel)> on_unload;
    std::function<void()> on_first_paint;
    // A mouse press on the bare table, in logical units.
    std::function<void(std::int16_t button, float x, float y)> on_mouse_down;

    MainWindow& main_window() const { return *main_; }
    Surface& surface() const { return surface_; }

private:
    void register_control(BoxedControl& box, QWidget* widget, double left, double top, double width,
                          double height);

    Surface& surface_;
    std::unique_ptr<MainWindow> main_;
    std::vector<BoxedControl*> controls_;
    double unit_x_ = 1, unit_y_ = 1, zoom_ = 1;
    // How much the layout passes have scaled the boxes since the design.
    double box_scale_x_ = 1, box_scale_y_ = 1;
    friend class MainWindow;
};

// One pass of the application's event processing; with wait, it blocks until at least one
// event has arrived instead of spinning.
void process_events(bool wait);
// Leaves the application's event loop, where one runs.
void leave_event_loop();
// The rules or info text carried by the design.
std::string design_text(const char* name);

}  // namespace ui
