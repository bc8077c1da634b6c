#include "window/surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <string>
#include <vector>

#include "window/window.h"

namespace ui {

// One drawing as the game asked for it, in logical units: kept until the next clearing so that
// a change of scale can draw it again in its logical place.
struct Surface::Drawing {
    enum class Kind { FillBox, Box, Line, Text, Picture };
    Drawing(Kind k, float left, float top, float right = 0, float bottom = 0, Rgb c = {})
        : kind(k), x1(left), y1(top), x2(right), y2(bottom), colour(c) {}
    Kind kind;
    float x1, y1, x2, y2;
    Rgb colour;
    Rgb ground;            // opaque text: the box behind it
    bool opaque = false;
    float font_size = 0;
    std::string text;
    Picture picture = kNoPicture;
};

struct Surface::Impl {
    QImage image;
    double unit_x = 1, unit_y = 1;   // pixels per logical unit
    double dpr = 1;
    std::vector<Drawing> drawings;   // since the last clearing

    QFont font(float points) const {
        QFont f(QStringLiteral("Sans Serif"));
        f.setStyleHint(QFont::SansSerif);
        // Grey smoothing: coloured fringes would show on the green table.
        f.setStyleStrategy(QFont::NoSubpixelAntialias);
        f.setPointSizeF(points);
        return f;
    }
    // Pixel (device-independent) of a logical coordinate; boxes and lines snap to whole pixels.
    double px(double x) const { return std::floor(x * unit_x); }
    double py(double y) const { return std::floor(y * unit_y); }
    // The whole-pixel box between two logical corners, both corners inside.
    QRectF box(float x1, float y1, float x2, float y2) const {
        const double l = px(std::min(x1, x2)), r = px(std::max(x1, x2));
        const double t = py(std::min(y1, y2)), b = py(std::max(y1, y2));
        return QRectF(l, t, r - l + 1, b - t + 1);
    }
};

namespace {
QColor colour(Rgb c) { return QColor(c.r, c.g, c.b); }
QString qtext(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
}  // namespace

Surface::Surface() : d_(std::make_unique<Impl>()) { resize_pixels(kDesignClientWidth, kDesignClientHeight, 1.0); }

Surface::~Surface() = default;

const QImage& Surface::image() const { return d_->image; }

void Surface::resize_pixels(int width, int height, double device_pixel_ratio) {
    // A table with no area (a window squeezed to its menu bar) keeps its drawing for when it grows.
    if (width <= 0 || height <= 0) return;
    const QSize device(int(std::lround(width * device_pixel_ratio)), int(std::lround(height * device_pixel_ratio)));
    if (d_->image.size() == device && d_->dpr == device_pixel_ratio) return;
    // Until the scale is set again, what was drawn stays where it was, in pixels; new ground is table.
    QImage next(device, QImage::Format_RGB32);
    next.fill(colour(BackColor));
    // Fonts in points follow the usual 96 dots per inch of a desktop.
    next.setDotsPerMeterX(3780);
    next.setDotsPerMeterY(3780);
    next.setDevicePixelRatio(device_pixel_ratio);
    if (!d_->image.isNull()) {
        QPainter painter(&next);
        painter.drawImage(QPointF(0, 0), d_->image);
    }
    d_->image = std::move(next);
    d_->dpr = device_pixel_ratio;
}

void Surface::set_scale(double px_per_unit_x, double px_per_unit_y, double zoom) {
    if (d_->unit_x == px_per_unit_x && d_->unit_y == px_per_unit_y && zoom_ == zoom) return;
    d_->unit_x = px_per_unit_x;
    d_->unit_y = px_per_unit_y;
    zoom_ = zoom;
    d_->image.fill(colour(BackColor));
    for (const Drawing& drawing : d_->drawings) draw(drawing);
    if (on_changed) on_changed();
}

void Surface::record(Drawing drawing) {
    draw(drawing);
    d_->drawings.push_back(std::move(drawing));
    if (on_changed) on_changed();
}

void Surface::draw(const Drawing& g) {
    QPainter painter(&d_->image);
    switch (g.kind) {
        case Drawing::Kind::FillBox:
            painter.fillRect(d_->box(g.x1, g.y1, g.x2, g.y2), colour(g.colour));
            break;
        case Drawing::Kind::Box: {
            const QRectF r = d_->box(g.x1, g.y1, g.x2, g.y2);
            const QColor q = colour(g.colour);
            // Four one-pixel edges along the filled box's border.
            painter.fillRect(QRectF(r.left(), r.top(), r.width(), 1), q);
            painter.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), q);
            painter.fillRect(QRectF(r.left(), r.top(), 1, r.height()), q);
            painter.fillRect(QRectF(r.right() - 1, r.top(), 1, r.height()), q);
            break;
        }
        case Drawing::Kind::Line: {
            QPen pen(colour(g.colour));
            pen.setCosmetic(true);
            pen.setWidthF(1.0);
            painter.setPen(pen);
            const QPointF a(d_->px(g.x1) + 0.5, d_->py(g.y1) + 0.5), b(d_->px(g.x2) + 0.5, d_->py(g.y2) + 0.5);
            if (a == b) {
                painter.drawPoint(a);
            } else {
                painter.drawLine(a, b);
            }
            break;
        }
        case Drawing::Kind::Text: {
            const QString q = qtext(g.text);
            const QFont font = d_->font(g.font_size);
            const QFontMetricsF metrics(font, &d_->image);
            const double x = g.x1 * d_->unit_x, y = g.y1 * d_->unit_y;
            painter.setFont(font);
            painter.setRenderHint(QPainter::TextAntialiasing);
            if (g.opaque && !q.isEmpty()) {
                // The ground covers every pixel the letters may touch, their smoothed edges and
                // overhangs included, so that a text printed again leaves nothing of the old one.
                const QRectF advance(x, y, metrics.horizontalAdvance(q), metrics.height());
                const QRectF inked = metrics.boundingRect(q).translated(x, y + metrics.ascent());
                const QRectF ground = advance.united(inked);
                painter.fillRect(QRectF(QPointF(std::floor(ground.left()), std::floor(ground.top())),
                                        QPointF(std::ceil(ground.right()), std::ceil(ground.bottom()))),
                                 colour(g.ground));
            }
            painter.setPen(colour(g.colour));
            painter.drawText(QPointF(x, y + metrics.ascent()), q);
            break;
        }
        case Drawing::Kind::Picture:
            painter.drawPixmap(QPointF(d_->px(g.x1), d_->py(g.y1)), picture_pixmap(g.picture, zoom_, d_->dpr));
            break;
    }
}

void Surface::Cls() {
    d_->image.fill(colour(BackColor));
    d_->drawings.clear();
    CurrentX = 0;
    CurrentY = 0;
    if (on_changed) on_changed();
}

void Surface::FillBox(float x1, float y1, float x2, float y2, Rgb c) {
    record({Drawing::Kind::FillBox, x1, y1, x2, y2, c});
    CurrentX = x2;
    CurrentY = y2;
}

void Surface::Box(float x1, float y1, float x2, float y2, Rgb c) {
    record({Drawing::Kind::Box, x1, y1, x2, y2, c});
    CurrentX = x2;
    CurrentY = y2;
}

void Surface::Line(float x1, float y1, float x2, float y2, Rgb c) {
    record({Drawing::Kind::Line, x1, y1, x2, y2, c});
    CurrentX = x2;
    CurrentY = y2;
}

void Surface::SetFontSize(float points) {
    // Sizes the font cannot take are held to a readable range.
    font_size_ = std::clamp(points, 1.0f, 200.0f);
}

float Surface::TextHeight() const {
    const QFontMetricsF metrics(d_->font(font_size_), &d_->image);
    return float(metrics.height() / d_->unit_y);
}

float Surface::TextWidth(std::string_view text) const {
    const QFontMetricsF metrics(d_->font(font_size_), &d_->image);
    return float(metrics.horizontalAdvance(qtext(text)) / d_->unit_x);
}

void Surface::Print(std::string_view text, bool end_line) {
    Drawing g{Drawing::Kind::Text, CurrentX, CurrentY};
    g.colour = ForeColor;
    g.ground = BackColor;
    g.opaque = !FontTransparent;
    g.font_size = font_size_;
    g.text = std::string(text);
    const float width = TextWidth(text), height = TextHeight();
    record(std::move(g));
    if (end_line) {
        CurrentX = 0;
        CurrentY += height;
    } else {
        CurrentX += width;
    }
}

void Surface::PaintPicture(Picture picture, float x, float y) {
    Drawing g{Drawing::Kind::Picture, x, y};
    g.picture = picture;
    record(std::move(g));
}

Rgb Surface::Point(float x, float y) const {
    const int px = int(std::floor(x * d_->unit_x * d_->dpr)), py = int(std::floor(y * d_->unit_y * d_->dpr));
    if (!d_->image.valid(px, py)) return BackColor;
    const QRgb p = d_->image.pixel(px, py);
    return Rgb{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))};
}

}  // namespace ui
