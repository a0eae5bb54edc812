#pragma once

// Reading a rendered chart back: where it drew and how many separate marks it shows.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <cstddef>
#include <vector>

namespace vantrel::test {

// The smallest rectangle around every pixel that is not the background.
inline QRect DrawnArea(const QImage& image, QRgb background) {
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

// Separate areas of exactly `colour` (4-neighbourhood) of at least `minPixels` pixels.
inline int CountAreas(const QImage& image, const QColor& colour, int minPixels) {
    const QRgb wanted = colour.rgb();
    std::vector<char> seen(static_cast<std::size_t>(image.width() * image.height()), 0);
    const auto at = [&](QPoint p) -> char& {
        return seen[static_cast<std::size_t>(p.y() * image.width() + p.x())];
    };
    int areas = 0;
    std::vector<QPoint> stack;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (at({x, y}) || image.pixel(x, y) != wanted) {
                continue;
            }
            int size = 0;
            stack.assign(1, QPoint(x, y));
            at({x, y}) = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++size;
                for (QPoint n :
                     {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
                    if (image.rect().contains(n) && !at(n) && image.pixel(n) == wanted) {
                        at(n) = 1;
                        stack.push_back(n);
                    }
                }
            }
            areas += size >= minPixels ? 1 : 0;
        }
    }
    return areas;
}

}  // namespace vantrel::test
