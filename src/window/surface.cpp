#include "window/surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>

#include "window/window.h"

namespace ui {

struct Surface::Impl {
    QImage image;
    double unit_x = 1, unit_y = 1;   // pixels per logical unit
    double dpr = 1;

    QFont font(float points) const {
        QFont f(QStringLiteral("Sans Serif"));
        f.setStyleHint(QFont::SansSerif);
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
}

Surface::Surface() : d_(std::make_unique<Impl>()) { resize_pixels(kDesignClientWidth, kDesignClientHeight, 1.0); }

Surface::~Surface() = default;

const QImage& Surface::image() const { return d_->image; }

void Surface::resize_pixels(int width, int height, double device_pixel_ratio) {
    width = std::max(1, width);
    height = std::max(1, height);
    const QSize device(int(std::lround(width * device_pixel_ratio)), int(std::lround(height * device_pixel_ratio)));
    if (d_->image.size() == device && d_->dpr == device_pixel_ratio) return;
    // What was drawn stays where it was, in pixels; new ground is table.
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

void Surface::set_logical_scale(double px_per_unit_x, double px_per_unit_y) {
    d_->unit_x = px_per_unit_x;
    d_->unit_y = px_per_unit_y;
}

void Surface::Cls() {
    d_->image.fill(colour(BackColor));
    CurrentX = 0;
    CurrentY = 0;
    if (on_changed) on_changed();
}

void Surface::FillBox(float x1, float y1, float x2, float y2, Rgb c) {
    QPainter painter(&d_->image);
    painter.fillRect(d_->box(x1, y1, x2, y2), colour(c));
    CurrentX = x2;
    CurrentY = y2;
    if (on_changed) on_changed();
}

void Surface::Box(float x1, float y1, float x2, float y2, Rgb c) {
    const QRectF r = d_->box(x1, y1, x2, y2);
    QPainter painter(&d_->image);
    const QColor q = colour(c);
    // Four one-pixel edges along the filled box's border.
    painter.fillRect(QRectF(r.left(), r.top(), r.width(), 1), q);
    painter.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), q);
    painter.fillRect(QRectF(r.left(), r.top(), 1, r.height()), q);
    painter.fillRect(QRectF(r.right() - 1, r.top(), 1, r.height()), q);
    CurrentX = x2;
    CurrentY = y2;
    if (on_changed) on_changed();
}

void Surface::Line(float x1, float y1, float x2, float y2, Rgb c) {
    QPainter painter(&d_->image);
    QPen pen(colour(c));
    pen.setCosmetic(true);
    pen.setWidthF(1.0);
    painter.setPen(pen);
    const QPointF a(d_->px(x1) + 0.5, d_->py(y1) + 0.5), b(d_->px(x2) + 0.5, d_->py(y2) + 0.5);
    if (a == b) {
        painter.drawPoint(a);
    } else {
        painter.drawLine(a, b);
    }
    CurrentX = x2;
    CurrentY = y2;
    if (on_changed) on_changed();
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
    return float(metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size()))) / d_->unit_x);
}

void Surface::Print(std::string_view text, bool end_line) {
    const QString q = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QFont font = d_->font(font_size_);
    const QFontMetricsF metrics(font, &d_->image);
    const double x = CurrentX * d_->unit_x, y = CurrentY * d_->unit_y;
    const double width = metrics.horizontalAdvance(q);
    {
        QPainter painter(&d_->image);
        painter.setFont(font);
        painter.setRenderHint(QPainter::TextAntialiasing);
        if (!FontTransparent) painter.fillRect(QRectF(x, y, width, metrics.height()), colour(BackColor));
        painter.setPen(colour(ForeColor));
        painter.drawText(QPointF(x, y + metrics.ascent()), q);
    }
    if (end_line) {
        CurrentX = 0;
        CurrentY += float(metrics.height() / d_->unit_y);
    } else {
        CurrentX += float(width / d_->unit_x);
    }
    if (on_changed) on_changed();
}

void Surface::PaintPicture(Picture picture, float x, float y) {
    QPainter painter(&d_->image);
    painter.drawPixmap(QPointF(d_->px(x), d_->py(y)), picture_pixmap(picture, zoom_, d_->dpr));
    if (on_changed) on_changed();
}

Rgb Surface::Point(float x, float y) const {
    const int px = int(std::floor(x * d_->unit_x * d_->dpr)), py = int(std::floor(y * d_->unit_y * d_->dpr));
    if (!d_->image.valid(px, py)) return BackColor;
    const QRgb p = d_->image.pixel(px, py);
    return Rgb{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))};
}

}  // namespace ui
