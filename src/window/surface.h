// The window's drawing surface: a persistent image the size of the client area, addressed
// in logical units of the 800 x 600 table. Drawings stay until cleared or painted over.
#pragma once

#include <memory>
#include <string_view>

#include "window/controls.h"

class QImage;

namespace ui {

class Surface {
public:
    Surface();
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Clear to the background colour; the current position goes to (0, 0).
    void Cls();
    // Filled or outlined box between two corners, both inside; the current position ends at (x2, y2).
    void FillBox(float x1, float y1, float x2, float y2, Rgb colour);
    void Box(float x1, float y1, float x2, float y2, Rgb colour);
    void Line(float x1, float y1, float x2, float y2, Rgb colour);
    // Text at the current position in the current font size and colour. A print that ends its line
    // moves the position to the left edge one text line lower; otherwise to the end of the text.
    void Print(std::string_view text, bool end_line = true);
    // A picture painted with its top-left corner at a point, at its own size times the zoom.
    void PaintPicture(Picture picture, float x, float y);

    float CurrentX = 0;
    float CurrentY = 0;
    Rgb ForeColor{0, 0, 128};
    Rgb BackColor = kTableColour;
    // Transparent text leaves the ground under it; opaque text fills its box with BackColor.
    bool FontTransparent = true;

    void SetFontSize(float points);
    float FontSize() const { return font_size_; }
    // Height of one text line in logical units at the current font size.
    float TextHeight() const;
    float TextWidth(std::string_view text) const;

    // Pixel colour at a logical point, for tests and checks.
    Rgb Point(float x, float y) const;

    // Window layer: size of the client area in device-independent pixels, and the scale of the
    // logical space with the zoom of pictures. A new scale draws again everything drawn since
    // the last clearing, so that every drawing keeps its logical place at any window size.
    void resize_pixels(int width, int height, double device_pixel_ratio);
    void set_scale(double px_per_unit_x, double px_per_unit_y, double zoom);
    double zoom() const { return zoom_; }
    const QImage& image() const;
    // Called after every drawing so that the window repaints.
    std::function<void()> on_changed;

private:
    struct Impl;
    struct Drawing;
    void draw(const Drawing& drawing);
    void record(Drawing drawing);
    std::unique_ptr<Impl> d_;
    float font_size_ = 8.25f;
    double zoom_ = 1.0;
};

}  // namespace ui
