#include "gui/chart/earliermark.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>

namespace vantrel {

namespace {

// Dark on a white halo reads on every bar colour, like the search bounds.
const QColor kEarlierInk(24, 24, 24);
const QColor kEarlierHalo(255, 255, 255);
// The triangle at zoom 1, in pixels: its length along the tick and its height across it.
constexpr double kNotchLength = 5.0;
constexpr double kNotchHeight = 7.0;

// The unit vector from `from` to `to`; along the x axis when they meet.
QPointF Direction(QPointF from, QPointF to) {
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    return length > 1e-9 ? d / length : QPointF(1, 0);
}

}  // namespace

void PaintEarlierMark(QPainter& painter, QPointF from, QPointF to, double zoom) {
    const double width = std::max(2 * zoom, 1.0);
    const QPointF along = Direction(from, to);
    const QPointF across(-along.y(), along.x());
    const double half = kNotchHeight * zoom / 2;
    const QPointF base = from - along * (kNotchLength * zoom);
    const std::array<QPointF, 3> notch{from, base + across * half, base - across * half};

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kEarlierHalo, width + 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawLine(from, to);
    painter.drawPolygon(notch.data(), 3);
    painter.setPen(QPen(kEarlierInk, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, to);
    painter.setPen(QPen(kEarlierInk, 1));
    painter.setBrush(kEarlierInk);
    painter.drawPolygon(notch.data(), 3);
}

}  // namespace vantrel
