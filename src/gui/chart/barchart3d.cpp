#include "gui/chart/barchart3d.h"

#include "gui/chart/earliermark.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vantrel {

namespace {

// Chart units: the width of the bar row. Height and depth follow from it.
constexpr double kChartWidth = 100.0;
// Text size in pixels at zoom 100; below kMinTextPixels texts are left out.
constexpr int kTextPixels = 11;
constexpr int kMinTextPixels = 6;
// Free pixels kept between the fitted chart and the widget edge.
constexpr double kEdgeGap = 3.0;
// Depth drawn per unit of depth in the oblique view.
constexpr double kObliqueDx = 0.45;
constexpr double kObliqueDy = 0.45;
// Depth of walls and bars per percent of chart3DPercent, in chart units.
constexpr double kDepthPerPercent = 0.5 / 100.0;
// Share of its depth row a bar leaves free in front and behind.
constexpr double kBarDepthMargin = 0.15;

const QColor kSilver(192, 192, 192);
const QColor kWallEdge(128, 128, 128);
const QColor kGridOnWall(160, 160, 160);
const QColor kGridOnBack(205, 205, 205);
const QColor kMarkEdge(128, 128, 128);
// Search bounds: near-black on a white halo reads on every bar colour, the walls and the
// window; the dashes tell a failing bar's outline from the bars' own solid edges.
const QColor kBoundInk(16, 16, 16);
const QColor kBoundHalo(255, 255, 255);
// How far a bound line reaches past the bar's sides, in chart units.
constexpr double kBoundOverhang = 1.0;
// The bound signs are a little larger than the other texts: one glyph on a busy chart.
constexpr int kSignPixels = 13;

// Corner c of a box: bit 0 picks x1, bit 1 y1, bit 2 z1. Every face lists its corners
// counter-clockwise as seen from outside, so a face is visible when its projection
// winds counter-clockwise on the screen (negative shoelace area with y pointing down).
constexpr std::array<std::array<int, 4>, 6> kFaces{{
    {0, 1, 3, 2},  // front
    {4, 6, 7, 5},  // back
    {4, 0, 2, 6},  // left
    {1, 5, 7, 3},  // right
    {2, 3, 7, 6},  // top
    {0, 4, 5, 1},  // bottom
}};
enum FaceShade { kFront, kSide, kTop, kBottom };
constexpr std::array<FaceShade, 6> kFaceShade{kFront, kFront, kSide, kSide, kTop, kBottom};

double Radians(int degrees) {
    return static_cast<double>(((degrees % 360) + 360) % 360) * std::numbers::pi / 180.0;
}

double ShoelaceArea(const std::array<QPointF, 4>& q) {
    double sum = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const QPointF& a = q[i];
        const QPointF& b = q[(i + 1) % 4];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return sum / 2;
}

double Cross(QPointF o, QPointF a, QPointF b) {
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// Inside or on the edge of a convex quad of either winding; a quad without area holds nothing.
bool QuadHolds(const std::array<QPointF, 4>& q, QPointF p) {
    if (std::abs(ShoelaceArea(q)) < 1e-9) {
        return false;
    }
    bool negative = false, positive = false;
    for (std::size_t i = 0; i < 4; ++i) {
        const double side = Cross(q[i], q[(i + 1) % 4], p);
        negative = negative || side < 0;
        positive = positive || side > 0;
    }
    return !(negative && positive);
}

// The outline of a projected box: the convex hull of its corners (monotone chain), into
// `hull`; returns how many points it has. Fixed arrays, so painting does not allocate.
int ConvexHull(std::array<QPointF, 8> points, std::array<QPointF, 16>& hull) {
    std::sort(points.begin(), points.end(), [](QPointF a, QPointF b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    int n = 0;
    const auto add = [&hull, &n](QPointF p, int floor) {
        while (n >= floor && Cross(hull[static_cast<std::size_t>(n - 2)],
                                   hull[static_cast<std::size_t>(n - 1)], p) <= 0) {
            --n;
        }
        hull[static_cast<std::size_t>(n++)] = p;
    };
    for (const QPointF& p : points) {
        add(p, 2);
    }
    const int lower = n + 1;
    for (auto it = points.rbegin() + 1; it != points.rend(); ++it) {
        add(*it, lower);
    }
    return n - 1;  // the last point repeats the first
}

const QString& BoundSign(BoundMode mode) {
    static const QString atLeast(QChar(0x2265));
    static const QString atMost(QChar(0x2264));
    static const QString equal(QLatin1Char('='));
    switch (mode) {
        case BoundMode::kAtLeast:
            return atLeast;
        case BoundMode::kAtMost:
            return atMost;
        case BoundMode::kEqual:
            break;
    }
    return equal;
}

// The view transform from chart units to view units (u right, v up, w away from the
// eye), then to pixels once the fit is known.
class Projection {
  public:
    Projection(bool oblique, int rotation, int elevation, int perspective, double w, double h,
               double d)
        : oblique_(oblique), cx_(w / 2), cy_(h / 2), cz_(d / 2) {
        const double yaw = Radians(360 - rotation);
        const double pitch = Radians(360 - elevation);
        cosYaw_ = std::cos(yaw);
        sinYaw_ = std::sin(yaw);
        cosPitch_ = std::cos(pitch);
        sinPitch_ = std::sin(pitch);
        // The eye stays outside the sphere around the scene, so no point is ever behind it
        // or on its plane: 2 radii at perspective 100, 62 at 0 (nearly parallel).
        const double radius = std::sqrt(cx_ * cx_ + cy_ * cy_ + cz_ * cz_);
        const double weak = (100.0 - std::clamp(perspective, 0, 100)) / 100.0;
        eye_ = std::max(radius, 1e-9) * (2.0 + 60.0 * weak * weak);
    }

    // View units before the fit; `depth` grows away from the eye.
    QPointF View(double x, double y, double z, double* depth = nullptr) const {
        x -= cx_;
        y -= cy_;
        z -= cz_;
        if (oblique_) {
            if (depth) {
                *depth = z - x * kObliqueDx - y * kObliqueDy;
            }
            return {x + z * kObliqueDx, y + z * kObliqueDy};
        }
        const double u = x * cosYaw_ + z * sinYaw_;
        const double zYaw = z * cosYaw_ - x * sinYaw_;
        const double v = y * cosPitch_ + zYaw * sinPitch_;
        const double w = zYaw * cosPitch_ - y * sinPitch_;
        const double f = eye_ / (eye_ + w);
        if (depth) {
            *depth = u * u + v * v + (eye_ + w) * (eye_ + w);
        }
        return {u * f, v * f};
    }

    void SetFit(double scale, QPointF viewCentre, QPointF screenCentre) {
        scale_ = scale;
        viewCentre_ = viewCentre;
        screenCentre_ = screenCentre;
    }

    QPointF Screen(QPointF view) const {
        return {screenCentre_.x() + (view.x() - viewCentre_.x()) * scale_,
                screenCentre_.y() - (view.y() - viewCentre_.y()) * scale_};
    }
    QPointF operator()(double x, double y, double z) const { return Screen(View(x, y, z)); }

  private:
    bool oblique_;
    double cx_, cy_, cz_;
    double cosYaw_ = 1, sinYaw_ = 0, cosPitch_ = 1, sinPitch_ = 0;
    double eye_ = 1;
    double scale_ = 1;
    QPointF viewCentre_, screenCentre_;
};

QString TickText(double value) {
    return QString::number(value, 'g', 10);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// BarSeries3D

BarSeries3D::BarSeries3D(QObject* parent) : QObject(parent) {}

QColor BarSeries3D::ColourFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

void BarSeries3D::Clear() {
    if (bars_.empty()) {
        return;
    }
    bars_.clear();
    emit changed();
}

void BarSeries3D::AddBar(double value, const QString& label, QRgb colour) {
    BarData bar;
    bar.value = value;
    bar.label = label;
    bar.valueText = TickText(value);
    bar.bgr = colour & 0xFFFFFFu;
    bar.front = ColourFromBgr(bar.bgr);
    bar.top = bar.front.lighter(150);
    bar.side = bar.front.darker(160);
    bar.bottom = bar.front.darker(250);
    // Opaque on purpose: an antialiased translucent outline costs ten times as much.
    bar.edge = bar.front.darker(300);
    bars_.push_back(std::move(bar));
    emit changed();
}

void BarSeries3D::setBarBound(int i, double value, BoundMode mode, bool fails) {
    if (i < 0 || i >= barCount()) {
        return;
    }
    BarData& bar = bars_[static_cast<std::size_t>(i)];
    bar.hasBound = true;
    bar.bound = value;
    bar.boundMode = mode;
    bar.failsBound = fails;
    emit changed();
}

void BarSeries3D::setBarEarlier(int i, double value) {
    if (i < 0 || i >= barCount()) {
        return;
    }
    BarData& bar = bars_[static_cast<std::size_t>(i)];
    bar.hasEarlier = true;
    bar.earlier = value;
    emit changed();
}

// Nothing drawn changes: no repaint.
void BarSeries3D::setBarToolTip(int i, const QString& text) {
    if (i >= 0 && i < barCount()) {
        bars_[static_cast<std::size_t>(i)].toolTip = text;
    }
}

void BarSeries3D::setActive(bool active) {
    if (active_ != active) {
        active_ = active;
        emit changed();
    }
}

void BarSeries3D::setBarWidthPercent(int percent) {
    percent = std::clamp(percent, 1, 100);
    if (barWidthPercent_ != percent) {
        barWidthPercent_ = percent;
        emit changed();
    }
}

void BarSeries3D::setMarksVisible(bool visible) {
    if (marksVisible_ != visible) {
        marksVisible_ = visible;
        emit changed();
    }
}

void BarSeries3D::setTitle(const QString& title) {
    if (title_ != title) {
        title_ = title;
        emit changed();
    }
}

// ---------------------------------------------------------------------------------------
// BarChart3D

struct BarChart3D::BarBox {
    std::array<QPointF, 8> corner;
    double depth = 0;
    const BarSeries3D* series = nullptr;
    const BarSeries3D::BarData* bar = nullptr;
    int index = 0;  // in its series
    QRectF mark;
    bool markShown = false;
    bool boundShown = false;         // thresholds visible and the bar has a bound
    QPointF boundFrom, boundTo;      // the bound line across the front face, left to right
    bool earlierShown = false;       // earlier values visible and the bar has one
    QPointF earlierFrom, earlierTo;  // the earlier value's tick across the front face
};

BarChart3D::BarChart3D(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

BarChart3D::~BarChart3D() = default;

BarSeries3D* BarChart3D::AddSeries(const QString& objectName) {
    auto* series = new BarSeries3D(this);
    series->setObjectName(objectName);
    connect(series, &BarSeries3D::changed, this, qOverload<>(&QWidget::update));
    connect(series, &BarSeries3D::changed, this, &BarChart3D::DescribeBars);
    update();
    return series;
}

void BarChart3D::DescribeBars() {
    QStringList described;
    for (const BarSeries3D* series : Series()) {
        if (!series->active() || series->bars_.empty())
            continue;
        QStringList bars;
        for (const BarSeries3D::BarData& bar : series->bars_) {
            bars << bar.label + QLatin1Char(' ') + bar.valueText;
            if (earlierVisible_ && bar.hasEarlier)
                bars.back() += QStringLiteral(" (earlier %1)").arg(TickText(bar.earlier));
        }
        const QString joined = bars.join(QStringLiteral(", "));
        described << (series->title().isEmpty() ? joined : series->title() + ": " + joined);
    }
    setAccessibleDescription(described.join(QStringLiteral("; ")));
}

QList<BarSeries3D*> BarChart3D::Series() const {
    return findChildren<BarSeries3D*>(QString(), Qt::FindDirectChildrenOnly);
}

template <class T>
void BarChart3D::SetView(T& member, T value) {
    if (member != value) {
        member = value;
        update();
        emit viewChanged();
    }
}

void BarChart3D::setZoom(int zoom) {
    SetView(zoom_, std::max(zoom, 0));
}
void BarChart3D::setRotation(int degrees) {
    SetView(rotation_, degrees);
}
void BarChart3D::setElevation(int degrees) {
    SetView(elevation_, degrees);
}
void BarChart3D::setPerspective(int percent) {
    SetView(perspective_, std::clamp(percent, 0, 100));
}
void BarChart3D::setHorizOffset(int pixels) {
    SetView(horizOffset_, pixels);
}
void BarChart3D::setVertOffset(int pixels) {
    SetView(vertOffset_, pixels);
}
void BarChart3D::setChart3DPercent(int percent) {
    SetView(chart3DPercent_, std::clamp(percent, 0, 100));
}
void BarChart3D::setOrthogonal(bool orthogonal) {
    SetView(orthogonal_, orthogonal);
}
void BarChart3D::setThresholdsVisible(bool visible) {
    SetView(thresholdsVisible_, visible);
}
void BarChart3D::setEarlierVisible(bool visible) {
    SetView(earlierVisible_, visible);
    DescribeBars();
}

double BarChart3D::ScaleTop(double largestValue) {
    if (!(largestValue > 100.0) || !std::isfinite(largestValue)) {
        return 100.0;
    }
    const double power = std::pow(10.0, std::floor(std::log10(largestValue)));
    for (double mantissa : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        // A hair of tolerance keeps 300 at 300 when log10/pow round a bit low.
        if (mantissa * power >= largestValue * (1 - 1e-12)) {
            return mantissa * power;
        }
    }
    return 10.0 * power;
}

int BarChart3D::ScaleDivisions(double top) {
    if (!(top > 0) || !std::isfinite(top)) {
        return 1;
    }
    for (int divisions : {5, 4, 6, 3, 8, 2}) {
        const double step = top / divisions;
        const double power = std::pow(10.0, std::floor(std::log10(step)));
        const double mantissa = step / power;
        for (double nice : {1.0, 2.0, 2.5, 5.0, 10.0}) {
            if (std::abs(mantissa - nice) < 1e-9) {
                return divisions;
            }
        }
    }
    return 1;
}

QImage BarChart3D::RenderToImage(QSize size) const {
    if (size.isEmpty()) {
        return {};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    Paint(painter, size);
    return image;
}

void BarChart3D::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    Paint(painter, size());
}

// Display only: the view follows the program, never the mouse.
void BarChart3D::wheelEvent(QWheelEvent* event) {
    event->ignore();
}
void BarChart3D::mousePressEvent(QMouseEvent* event) {
    event->ignore();
}
void BarChart3D::mouseMoveEvent(QMouseEvent* event) {
    event->ignore();
}

// What one frame draws, worked out once before the painting steps.
struct BarChart3D::Frame {
    QPainter& painter;
    Projection project;
    double w, h, d;  // the chart box in chart units
    double top;      // the value at the top of the axis
    int divisions;   // axis steps
    double zoom;     // zoom_ as a factor
    bool drawTexts;  // texts are large enough to read
    QFontMetricsF metrics;
    double line, gap;  // text line height and gap to what it labels, in pixels
    QList<BarSeries3D*> series;
    int rows;       // active series, one depth row each
    int slotCount;  // bars of the longest active series
    const BarSeries3D* labelSource;
};

namespace {

// The active series: how many, the longest, the largest value and the first with bars.
struct SeriesExtent {
    int rows = 0;
    int slotCount = 0;
    double largest = 0;
    const BarSeries3D* labelSource = nullptr;
};

// The fit of the scene box into `room`: the view's extent of the box's eight corners.
double FitScale(const Projection& project, double w, double h, double d, const QRectF& room,
                QPointF* viewCentre) {
    double minU = 0, maxU = 0, minV = 0, maxV = 0;
    for (int c = 0; c < 8; ++c) {
        const QPointF p = project.View(c & 1 ? w : 0, c & 2 ? h : 0, c & 4 ? d : 0);
        if (c == 0) {
            minU = maxU = p.x();
            minV = maxV = p.y();
        } else {
            minU = std::min(minU, p.x());
            maxU = std::max(maxU, p.x());
            minV = std::min(minV, p.y());
            maxV = std::max(maxV, p.y());
        }
    }
    *viewCentre = QPointF((minU + maxU) / 2, (minV + maxV) / 2);
    return std::min(std::max(room.width(), 0.0) / std::max(maxU - minU, 1e-9),
                    std::max(room.height(), 0.0) / std::max(maxV - minV, 1e-9));
}

}  // namespace

void BarChart3D::Paint(QPainter& painter, QSize size) const {
    painter.fillRect(QRect(QPoint(0, 0), size), palette().window());
    if (size.isEmpty() || zoom_ == 0) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    Frame frame = MakeFrame(painter, size);
    PaintWalls(frame);
    painter.setFont(TextFont(frame.zoom));
    // Texts never overlap: one that would cover a text placed before it is left out,
    // which thins them out in views from the side, above or behind.
    placed_.clear();
    if (frame.drawTexts) {
        PaintAxisTexts(frame);
    }
    PlaceBars(frame);
    PaintBars(frame);
    PaintEarlierMarks(frame);
    // Bound lines under the texts, so that no value mark or label is covered.
    PaintBoundLines(frame);
    if (!frame.drawTexts) {
        return;
    }
    PaintLabels(frame);
    PaintMarks(frame);
    PaintBoundSigns(frame);
}

QFont BarChart3D::TextFont(double zoom) const {
    QFont textFont = font();
    textFont.setPixelSize(std::max(static_cast<int>(std::lround(kTextPixels * zoom)), 1));
    return textFont;
}

BarChart3D::Frame BarChart3D::MakeFrame(QPainter& painter, QSize size) const {
    const QList<BarSeries3D*> all = Series();
    SeriesExtent extent;
    for (const BarSeries3D* series : all) {
        if (!series->active()) {
            continue;
        }
        ++extent.rows;
        extent.slotCount = std::max(extent.slotCount, series->barCount());
        if (!extent.labelSource && series->barCount() > 0) {
            extent.labelSource = series;
        }
        for (const auto& bar : series->bars_) {
            extent.largest = std::max(extent.largest, bar.value);
            if (earlierVisible_ && bar.hasEarlier) {
                extent.largest = std::max(extent.largest, bar.earlier);
            }
        }
    }
    const double top = ScaleTop(extent.largest);

    // The chart box in chart units; its height follows the widget's shape.
    const double w = kChartWidth;
    const double aspect = static_cast<double>(size.height()) / size.width();
    const double h = w * std::clamp(aspect * 0.65, 0.2, 1.5);
    const double d = w * kDepthPerPercent * chart3DPercent_;

    // Texts: their pixel size follows the zoom; the room they take at zoom 100 is kept
    // free around the fitted box.
    const double zoom = zoom_ / 100.0;
    QFont fullFont = font();
    fullFont.setPixelSize(kTextPixels);
    const QFontMetricsF fullMetrics(fullFont);
    const double fullLine = fullMetrics.height();
    const double axisTextWidth = fullMetrics.horizontalAdvance(TickText(top));
    const QRectF room(axisTextWidth + 4 + kEdgeGap, fullLine + 5 + kEdgeGap,
                      size.width() - axisTextWidth - 4 - 2 * kEdgeGap,
                      size.height() - 2 * (fullLine + 5) - 2 * kEdgeGap);

    Projection project(orthogonal_, rotation_, elevation_, perspective_, w, h, d);
    QPointF viewCentre;
    const double fit = FitScale(project, w, h, d, room, &viewCentre);
    project.SetFit(fit * zoom, viewCentre, room.center() + QPointF(horizOffset_, vertOffset_));

    const QFontMetricsF metrics(TextFont(zoom));
    const bool drawTexts = std::lround(kTextPixels * zoom) >= kMinTextPixels;
    return Frame{.painter = painter,
                 .project = project,
                 .w = w,
                 .h = h,
                 .d = d,
                 .top = top,
                 .divisions = ScaleDivisions(top),
                 .zoom = zoom,
                 .drawTexts = drawTexts,
                 .metrics = metrics,
                 .line = metrics.height(),
                 .gap = 3 * zoom,
                 .series = all,
                 .rows = extent.rows,
                 .slotCount = extent.slotCount,
                 .labelSource = extent.labelSource};
}

// Silver floor and left wall with the grid lines of the axis; the back wall only as an
// outline.
void BarChart3D::PaintWalls(const Frame& f) const {
    QPainter& painter = f.painter;
    const Projection& project = f.project;
    const double w = f.w, h = f.h, d = f.d;
    painter.setPen(QPen(kWallEdge, 1));
    painter.setBrush(kSilver);
    const std::array<QPointF, 4> floor{project(0, 0, 0), project(w, 0, 0), project(w, 0, d),
                                       project(0, 0, d)};
    const std::array<QPointF, 4> leftWall{project(0, 0, 0), project(0, h, 0), project(0, h, d),
                                          project(0, 0, d)};
    painter.drawPolygon(floor.data(), 4);
    painter.drawPolygon(leftWall.data(), 4);

    painter.setBrush(Qt::NoBrush);
    for (int i = 1; i <= f.divisions; ++i) {
        const double y = h * i / f.divisions;
        painter.setPen(QPen(kGridOnBack, 1));
        painter.drawLine(project(0, y, d), project(w, y, d));
        painter.setPen(QPen(kGridOnWall, 1));
        painter.drawLine(project(0, y, 0), project(0, y, d));
    }
    painter.setPen(QPen(kWallEdge, 1));
    const std::array<QPointF, 4> backWall{project(0, h, d), project(w, h, d), project(w, 0, d),
                                          project(0, 0, d)};
    painter.drawPolyline(backWall.data(), 4);
}

bool BarChart3D::PlaceText(const QRectF& rect) const {
    const QRectF spaced = rect.adjusted(-1, 0, 1, 0);
    for (const QRectF& other : placed_) {
        if (spaced.intersects(other)) {
            return false;
        }
    }
    placed_.push_back(rect);
    return true;
}

// The value axis: one number at each grid line, right-aligned left of the left wall.
void BarChart3D::PaintAxisTexts(const Frame& f) const {
    f.painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i <= f.divisions; ++i) {
        const QString text = TickText(f.top * i / f.divisions);
        const double width = f.metrics.horizontalAdvance(text);
        const QPointF at = f.project(0, f.h * i / f.divisions, 0);
        const QRectF box(at.x() - f.gap - width, at.y() - f.line / 2, width, f.line);
        if (PlaceText(box)) {
            f.painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
        }
    }
}

// The projected corners and depth of every bar, and the far-to-near order they are
// painted in.
void BarChart3D::PlaceBars(const Frame& f) const {
    boxes_.clear();
    int row = 0;
    for (const BarSeries3D* series : f.series) {
        if (!series->active()) {
            continue;
        }
        const double slotWidth = f.w / std::max(f.slotCount, 1);
        const double barWidth = slotWidth * series->barWidthPercent() / 100.0;
        const double rowDepth = f.d / f.rows;
        const double z0 = rowDepth * (row + kBarDepthMargin);
        const double z1 = rowDepth * (row + 1 - kBarDepthMargin);
        for (int i = 0; i < series->barCount(); ++i) {
            const auto& bar = series->bars_[static_cast<std::size_t>(i)];
            const double x0 = slotWidth * i + (slotWidth - barWidth) / 2;
            const double x1 = x0 + barWidth;
            // Below the floor, not a number: a flat bar.
            const double value = std::isfinite(bar.value) ? std::clamp(bar.value, 0.0, f.top) : 0;
            const double y1 = f.h * value / f.top;
            BarBox& box = boxes_.emplace_back();
            box.series = series;
            box.bar = &bar;
            box.index = i;
            for (int c = 0; c < 8; ++c) {
                box.corner[static_cast<std::size_t>(c)] =
                    f.project(c & 1 ? x1 : x0, c & 2 ? y1 : 0, c & 4 ? z1 : z0);
            }
            f.project.View((x0 + x1) / 2, y1 / 2, (z0 + z1) / 2, &box.depth);
            PlaceValueLines(f, box, x0, x1, z0);
        }
        ++row;
    }
    order_.resize(boxes_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) {
        order_[i] = static_cast<int>(i);
    }
    std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) {
        return boxes_[static_cast<std::size_t>(a)].depth >
               boxes_[static_cast<std::size_t>(b)].depth;
    });
}

// The bound line and the earlier value's tick on the front face of a placed bar; a value
// beyond the axis is drawn at its end.
void BarChart3D::PlaceValueLines(const Frame& f, BarBox& box, double x0, double x1,
                                 double z0) const {
    const auto& bar = *box.bar;
    const auto height = [&f](double value) { return f.h * std::clamp(value, 0.0, f.top) / f.top; };
    box.boundShown = thresholdsVisible_ && bar.hasBound && std::isfinite(bar.bound);
    if (box.boundShown) {
        box.boundFrom = f.project(x0 - kBoundOverhang, height(bar.bound), z0);
        box.boundTo = f.project(x1 + kBoundOverhang, height(bar.bound), z0);
    }
    box.earlierShown = earlierVisible_ && bar.hasEarlier && std::isfinite(bar.earlier);
    if (box.earlierShown) {
        box.earlierFrom = f.project(x0, height(bar.earlier), z0);
        box.earlierTo = f.project(x1, height(bar.earlier), z0);
    }
}

// Bars, far ones first so that nearer faces cover them; only faces turned to the eye.
void BarChart3D::PaintBars(const Frame& f) const {
    QPainter& painter = f.painter;
    for (int index : order_) {
        const BarBox& box = boxes_[static_cast<std::size_t>(index)];
        painter.setPen(QPen(box.bar->edge, 1));
        for (std::size_t face = 0; face < kFaces.size(); ++face) {
            std::array<QPointF, 4> quad;
            for (std::size_t k = 0; k < 4; ++k) {
                quad[k] = box.corner[static_cast<std::size_t>(kFaces[face][k])];
            }
            if (ShoelaceArea(quad) >= -1e-6) {
                continue;
            }
            switch (kFaceShade[face]) {
                case kFront:
                    painter.setBrush(box.bar->front);
                    break;
                case kSide:
                    painter.setBrush(box.bar->side);
                    break;
                case kTop:
                    painter.setBrush(box.bar->top);
                    break;
                case kBottom:
                    painter.setBrush(box.bar->bottom);
                    break;
            }
            painter.drawPolygon(quad.data(), 4);
        }
    }
}

// Labels under the front edge of the floor, from the first active series with bars.
void BarChart3D::PaintLabels(const Frame& f) const {
    f.painter.setPen(palette().color(QPalette::WindowText));
    if (!f.labelSource) {
        return;
    }
    const double slotWidth = f.w / std::max(f.slotCount, 1);
    for (int i = 0; i < f.labelSource->barCount(); ++i) {
        const QString& label = f.labelSource->bars_[static_cast<std::size_t>(i)].label;
        const QPointF at = f.project(slotWidth * (i + 0.5), 0, 0);
        const double width = f.metrics.horizontalAdvance(label);
        const QRectF box(at.x() - width / 2, at.y() + f.gap, width, f.line);
        if (PlaceText(box)) {
            f.painter.drawText(box, Qt::AlignCenter, label);
        }
    }
}

// Value marks above the bars, after all bars so that no bar hides one. Where marks would
// overlap, the nearer bar keeps its mark.
void BarChart3D::PaintMarks(const Frame& f) const {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        BarBox& box = boxes_[static_cast<std::size_t>(*it)];
        box.markShown = false;
        if (!box.series->marksVisible()) {
            continue;
        }
        double topY = box.corner[2].y();
        double sumX = 0;
        for (std::size_t c : {2u, 3u, 6u, 7u}) {
            topY = std::min(topY, box.corner[c].y());
            sumX += box.corner[c].x();
        }
        const double width = f.metrics.horizontalAdvance(box.bar->valueText) + 4 * f.zoom;
        const double height = f.line + f.zoom;
        box.mark = QRectF(sumX / 4 - width / 2, topY - f.gap - height, width, height);
        box.markShown = PlaceText(box.mark);
    }
    f.painter.setBrush(Qt::white);
    for (int index : order_) {
        const BarBox& box = boxes_[static_cast<std::size_t>(index)];
        if (box.markShown) {
            f.painter.setPen(QPen(kMarkEdge, 1));
            f.painter.drawRect(box.mark);
            f.painter.setPen(Qt::black);
            f.painter.drawText(box.mark, Qt::AlignCenter, box.bar->valueText);
        }
    }
}

// After all bars, like the bound lines, so that no bar hides one.
void BarChart3D::PaintEarlierMarks(const Frame& f) const {
    for (const BarBox& box : boxes_) {
        if (box.earlierShown) {
            PaintEarlierMark(f.painter, box.earlierFrom, box.earlierTo, f.zoom);
        }
    }
}

// The outline of every bar that fails its bound, then the bound lines, each on a white
// halo. Bars keep their own colours: the outline lies around them.
void BarChart3D::PaintBoundLines(const Frame& f) const {
    QPainter& painter = f.painter;
    const double width = std::max(2 * f.zoom, 1.0);
    const QPen halo(kBoundHalo, width + 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    const QPen dashed(kBoundInk, width, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setBrush(Qt::NoBrush);
    std::array<QPointF, 16> hull;
    for (int index : order_) {
        const BarBox& box = boxes_[static_cast<std::size_t>(index)];
        if (!box.boundShown || !box.bar->failsBound) {
            continue;
        }
        const int n = ConvexHull(box.corner, hull);
        painter.setPen(halo);
        painter.drawPolygon(hull.data(), n);
        painter.setPen(dashed);
        painter.drawPolygon(hull.data(), n);
    }
    const QPen solid(kBoundInk, width, Qt::SolidLine, Qt::FlatCap);
    for (const BarBox& box : boxes_) {
        if (box.boundShown) {
            painter.setPen(halo);
            painter.drawLine(box.boundFrom, box.boundTo);
            painter.setPen(solid);
            painter.drawLine(box.boundFrom, box.boundTo);
        }
    }
}

// The sign of every bound, large and bold in a tag at the right end of its line, where it
// covers no text placed before it.
void BarChart3D::PaintBoundSigns(const Frame& f) const {
    if (std::none_of(boxes_.begin(), boxes_.end(), [](const BarBox& b) { return b.boundShown; })) {
        return;
    }
    QPainter& painter = f.painter;
    QFont bold = painter.font();
    bold.setBold(true);
    bold.setPixelSize(std::max(static_cast<int>(std::lround(kSignPixels * f.zoom)), 1));
    painter.setFont(bold);
    const QFontMetricsF metrics(bold);
    painter.setBrush(Qt::white);
    painter.setPen(QPen(kBoundInk, 1));
    for (const BarBox& box : boxes_) {
        if (!box.boundShown) {
            continue;
        }
        const QString& sign = BoundSign(box.bar->boundMode);
        const double width = metrics.horizontalAdvance(sign) + 5 * f.zoom;
        const double height = metrics.height();
        const QRectF tag(box.boundTo.x() - width / 2, box.boundTo.y() - height / 2, width, height);
        if (PlaceText(tag)) {
            painter.drawRect(tag);
            painter.drawText(tag, Qt::AlignCenter, sign);
        }
    }
}

BarChart3D::BarHit BarChart3D::BarAt(QPointF widgetPos) const {
    if (width() <= 0 || height() <= 0 || zoom_ == 0) {
        return {};
    }
    QPainter unused;  // the frame keeps a painter; placing the bars paints nothing
    PlaceBars(MakeFrame(unused, size()));
    // Nearest first: a box is the union of its faces' projections.
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        const BarBox& box = boxes_[static_cast<std::size_t>(*it)];
        for (const auto& face : kFaces) {
            std::array<QPointF, 4> quad;
            for (std::size_t k = 0; k < 4; ++k) {
                quad[k] = box.corner[static_cast<std::size_t>(face[k])];
            }
            if (QuadHolds(quad, widgetPos)) {
                return {box.series, box.index};
            }
        }
    }
    return {};
}

bool BarChart3D::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const BarHit hit = BarAt(help->pos());
    const QString text = hit.series ? hit.series->barToolTip(hit.index) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

}  // namespace vantrel
