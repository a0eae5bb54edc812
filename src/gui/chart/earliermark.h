#pragma once

// The mark of a bar's earlier season value: a dark tick across the bar's front face on a
// white halo, with a small filled triangle left of the face pointing at it. It has no
// overhang and no tag, so it reads apart from a search bound's longer line and its sign.

#include <QPointF>

class QPainter;

namespace vantrel {

// `from` and `to` are the ends of the tick on the front face, left to right, in pixels;
// `zoom` scales the tick's width and the triangle.
void PaintEarlierMark(QPainter& painter, QPointF from, QPointF to, double zoom);

}  // namespace vantrel
