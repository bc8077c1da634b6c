// The window layer as the game sees it: picture boxes, text boxes, the shape, menu items and
// the timer, all in logical units of the 800 x 600 table. No Qt widget header is needed here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;
class QAction;
class QTimer;

namespace table {

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

// Longest name a name box takes.
inline constexpr int kNameLimit = 20;

class Form;

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
    void bind(Form* form, QWidget* widget, double left, double top, double width, double height);
    void apply_geometry();

    Form* form_ = nullptr;
    QWidget* widget_ = nullptr;
    double px_left_ = 0, px_top_ = 0, px_width_ = 0, px_height_ = 0;

    friend class Form;
};

class PictureBox : public BoxedControl {
public:
    Picture picture() const { return picture_; }
    // A new picture gives the box the picture's own size (at the current zoom).
    void SetPicture(Picture picture);

    std::function<void(std::int16_t button, float x, float y)> on_mouse_down;
    std::function<void()> on_click;

private:
    Picture picture_ = kNoPicture;
    friend class Form;
};

class TextBox : public BoxedControl {
public:
    std::string Text() const;
    void SetText(const std::string& text);
    std::function<void()> on_click;
    std::function<void()> on_change;
};

class ShapeBox : public BoxedControl {};

class MenuItem {
public:
    std::string Caption() const;
    void SetCaption(const std::string& caption);
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
    bool checked_ = false;
    friend class Form;
};

class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Interval() const { return interval_ms_; }
    // Setting the interval starts a fresh countdown.
    void SetInterval(int ms);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Tests shorten every pause by this factor; the game keeps 1.
    double time_scale = 1.0;
    std::function<void()> on_tick;

private:
    int scaled_interval() const;
    int interval_ms_ = 1000;
    std::unique_ptr<QTimer> timer_;
};

}  // namespace table
