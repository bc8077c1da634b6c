// The design's pictures, rendered from vector sources at the size the zoom asks for.

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

#include "table/window.h"

namespace table {
namespace {

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

const QPixmap& picture_pixmap(Picture picture, double zoom, double device_pixel_ratio) {
    // Kept for the whole run; never destroyed after the application object is gone.
    static auto& cache = *new QHash<int, CacheEntry>;
    CacheEntry& entry = cache[picture];
    if (entry.zoom == zoom && entry.dpr == device_pixel_ratio && !entry.pixmap.isNull()) return entry.pixmap;

    const QSize design = picture_size(picture);
    const QSizeF logical(design.width() * zoom, design.height() * zoom);
    const QSize device(std::max(1, int(std::lround(logical.width() * device_pixel_ratio))),
                       std::max(1, int(std::lround(logical.height() * device_pixel_ratio))));
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
    entry = {zoom, device_pixel_ratio, QPixmap::fromImage(std::move(image))};
    return entry.pixmap;
}

QString design_text(const char* name) {
    QFile file(QStringLiteral(":/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace table
