// The window layer as the game sees it: picture boxes, text boxes, the shape, menu items and
// the timer, all in logical units of the 800 x 600 table. No Qt header is needed here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;
class QAction;
class QTimer;

namespace ui {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kTableColour{0, 112, 0};

// A picture carried by the window's design. 1..40 are the card faces (code c shows card c).
using Picture = int;
inline constexpr Picture kNoPicture = 0;
inline constexpr Picture kBackUpright = 41;   // 85 x 153
inline constexpr Picture kBackSide = 42;      // 153 x 85
inline constexpr Picture kTitle = 43;         // 161 x 67
inline constexpr Picture kIconPicture = 44;   // 32 x 32
inline constexpr Picture kPointerPicture = 45; // 32 x 32

// Mouse buttons as the game numbers them.
inline constexpr std::int16_t kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;

class Window;

// A control with a box. The box is kept in screen pixels, as the zoom layout scales it;
// the game reads and sets it in logical units.
class BoxedControl {
public:
    BoxedControl() = default;
    BoxedControl(const BoxedControl&) = delete;
    BoxedControl& operator=(const BoxedControl&) = delete;
    virtual ~BoxedControl() = default;

    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void Move(float left, float top);
    void Move(float left, float top, float width, float height);
    void SetWidth(float width);

    bool Visible() const;
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void ToFront();
    void ToBack();

    // Screen-pixel box, used by the zoom layout and by tests.
    double px_left() const { return px_left_; }
    double px_top() const { return px_top_; }
    double px_width() const { return px_width_; }
    double px_height() const { return px_height_; }
    void set_px_box(double left, double top, double width, double height);

    QWidget* widget() const { return widget_; }

protected:
    void bind(Window* window, QWidget* widget, double left, double top, double width, double height);
    void apply_geometry();

    Window* window_ = nullptr;
    QWidget* widget_ = nullptr;
    double px_left_ = 0, px_top_ = 0, px_width_ = 0, px_height_ = 0;

    friend class Window;
};

class PictureBox : public BoxedControl {
public:
    Picture picture() const { return picture_; }
    // A new picture gives the box its design size scaled as the boxes were (Window::scale_boxes).
    void SetPicture(Picture picture);

    std::function<void(std::int16_t button, float x, float y)> on_mouse_down;
    std::function<void()> on_click;

private:
    Picture picture_ = kNoPicture;
    friend class Window;
};

// How a text box is made: one line or many, editable or not. A box sets no length of its own:
// the game's handler keeps its text to the game's rule.
struct TextStyle {
    bool multi_line = false;
    bool read_only = false;
    bool vertical_scroll_bar = false;
    bool centred = false;
};

class TextBox : public BoxedControl {
public:
    std::string Text() const;
    void SetText(const std::string& text);
    void SetFontSize(double points);
    // The mouse pointer shown over the box.
    void SetMousePointer(Picture picture);
    std::function<void()> on_click;
    std::function<void()> on_change;

private:
    TextStyle style_;
    friend class Window;
};

class ShapeBox : public BoxedControl {};

class MenuItem {
public:
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Checkable() const;
    // The mark is the menu action's own; only the game's handlers change it.
    bool Checked() const;
    void SetChecked(bool checked);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    // Runs the click handler as a choice of the item would.
    void Click();

    std::function<void()> on_click;
    QAction* action() const { return action_; }

private:
    QAction* action_ = nullptr;
    friend class Window;
};

class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Interval() const { return interval_ms_; }
    // Setting the interval starts a fresh countdown; the countdown runs for the interval
    // times the scale (1 in the game).
    void SetInterval(int ms, double scale = 1.0);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Milliseconds left of the running countdown (-1 while disabled).
    int remaining_ms() const;

    std::function<void()> on_tick;

private:
    int interval_ms_ = 1000;
    std::unique_ptr<QTimer> timer_;
};

}  // namespace ui
