// The design's pictures, rendered from vector sources at the size the zoom asks for.

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <array>
#include <cmath>

#include "window/window.h"

// The pictures and texts are compiled into the game's library; a static library needs its
// resources registered by hand.
static void init_design_resources() { Q_INIT_RESOURCE(assets); }

namespace ui {
namespace {

void ensure_resources() {
    static const bool ready = (init_design_resources(), true);
    (void)ready;
}

QString resource_of(Picture picture) {
    if (picture >= 1 && picture <= 40) return QStringLiteral(":/cards/%1.svg").arg(picture, 2, 10, QLatin1Char('0'));
    switch (picture) {
        case kBackUpright: return QStringLiteral(":/back_upright.svg");
        case kBackSide: return QStringLiteral(":/back_side.svg");
        case kTitle: return QStringLiteral(":/title.svg");
        case kIconPicture: return QStringLiteral(":/icon.svg");
        case kPointerPicture: return QStringLiteral(":/pointer.svg");
        default: return {};
    }
}

// Should a vector source be missing or broken, the game still shows something sensible.
void draw_fallback(QPainter& painter, Picture picture, QSizeF size) {
    const QRectF r(QPointF(0, 0), size);
    if (picture >= 1 && picture <= 40) {
        painter.setBrush(Qt::white);
        painter.setPen(Qt::black);
        painter.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        static const char* suits[] = {"D", "C", "B", "S"};
        painter.drawText(r.adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("%1%2").arg((picture - 1) % 10 + 1).arg(suits[(picture - 1) / 10]));
    } else {
        painter.setBrush(QColor(120, 20, 30));
        painter.setPen(Qt::black);
        painter.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

struct CacheEntry {
    double zoom = 0, dpr = 0;
    QPixmap pixmap;
};

// A few renderings per picture: the window may sit on screens of two densities, or be
// resized back and forth, without rendering every picture again at each paint; the oldest
// rendering makes room for a new one.
struct CacheLine {
    std::array<CacheEntry, 3> entries;
    std::size_t next = 0;
};

}  // namespace

QSize picture_size(Picture picture) {
    if (picture >= 1 && picture <= 40) return {85, 153};
    switch (picture) {
        case kBackUpright: return {85, 153};
        case kBackSide: return {153, 85};
        case kTitle: return {161, 67};
        case kIconPicture:
        case kPointerPicture: return {32, 32};
        default: return {0, 0};
    }
}

namespace {
// The pixels a picture's rendering has at the zoom, on a screen of this density.
QSize device_size(Picture picture, double zoom, double device_pixel_ratio) {
    const QSize design = picture_size(picture);
    return {std::max(1, int(std::lround(design.width() * zoom * device_pixel_ratio))),
            std::max(1, int(std::lround(design.height() * zoom * device_pixel_ratio)))};
}
}  // namespace

QSizeF picture_drawn_size(Picture picture, double zoom, double device_pixel_ratio) {
    return QSizeF(device_size(picture, zoom, device_pixel_ratio)) / device_pixel_ratio;
}

const QPixmap& picture_pixmap(Picture picture, double zoom, double device_pixel_ratio) {
    // Kept for the whole run; never destroyed after the application object is gone.
    static auto& cache = *new QHash<int, CacheLine>;
    CacheLine& line = cache[picture];
    for (const CacheEntry& entry : line.entries)
        if (entry.zoom == zoom && entry.dpr == device_pixel_ratio && !entry.pixmap.isNull()) return entry.pixmap;
    ensure_resources();

    const QSize design = picture_size(picture);
    const QSize device = device_size(picture, zoom, device_pixel_ratio);
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer renderer(resource_of(picture));
        if (renderer.isValid()) {
            renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
        } else {
            painter.scale(device_pixel_ratio * zoom, device_pixel_ratio * zoom);
            draw_fallback(painter, picture, QSizeF(design));
        }
    }
    image.setDevicePixelRatio(device_pixel_ratio);
    CacheEntry& entry = line.entries[line.next];
    line.next = (line.next + 1) % line.entries.size();
    entry = {zoom, device_pixel_ratio, QPixmap::fromImage(std::move(image))};
    return entry.pixmap;
}

std::string design_text(const char* name) {
    ensure_resources();
    QFile file(QStringLiteral(":/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

}  // namespace ui
