#pragma once

// The 3-D bar chart of the player details pages, painted with QPainter only (the
// offscreen platform and machines without OpenGL must draw it too).
//
// The scene, in chart units (x right, y up, z away from the viewer):
//
//            y  H +------------------------ (back wall: grid lines, not filled)
//               | \ left wall (silver)
//               |  +------------------------+
//               |  |   _   bars: slot i is  |
//               |  |  |#|  x in [i, i+1)*W/n|
//             0 +--|--|#|--------------------+ ---> x
//                \ |  floor (silver)          \   z = 0 is the front edge,
//                 \+---------------------------+  z = D = chart3DPercent% of W
//                  labels under the front edge
//
// Projection: the scene is turned about the vertical axis through its centre by
// (360 - rotation) degrees and then tilted by (360 - elevation) degrees, so rotation 360
// and elevation 360 look straight at the front; rotation 346 brings the eye a little to
// the right, elevation 336 a little above. Then a central projection from an eye at a
// distance that grows as `perspective` falls (0 is nearly parallel). `orthogonal` skips
// all of that for a fixed oblique view (depth drawn up and to the right).
// The projected scene box plus room for the texts is fitted into the widget (zoom 100),
// scaled by zoom about the centre of that room and shifted by horizOffset/vertOffset.
// Texts are scaled with the zoom too and left out when they would be too small to read.
//
// Search bounds (thresholdsVisible): a bar may carry a bound, drawn as a short line across
// its front face at the bound's height with the sign of its mode in a tag at the line's
// right end; a bar that fails its bound is outlined. Neither changes anything else drawn.
//
// Earlier values (earlierVisible): a bar may carry the earlier season's value, drawn as a
// tick across its front face at that height with a small triangle pointing at it from the
// left (see earliermark.h). While they are shown, they count for the axis scale too.

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

class QImage;
class QPainter;

namespace vantrel {

// How a search bound on a bar's value reads.
enum class BoundMode : std::uint8_t { kAtLeast, kAtMost, kEqual };

// One series of bars; its bars stand side by side in the order they were added.
class BarSeries3D : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY changed)
    Q_PROPERTY(int barWidthPercent READ barWidthPercent WRITE setBarWidthPercent NOTIFY changed)
    Q_PROPERTY(bool marksVisible READ marksVisible WRITE setMarksVisible NOTIFY changed)
  public:
    explicit BarSeries3D(QObject* parent = nullptr);

    // The colour of a framework colour value 0x00BBGGRR (red in the lowest byte).
    static QColor ColourFromBgr(std::uint32_t bgr);

    void Clear();
    // `colour` is 0x00BBGGRR as the league program stores colours; the top byte is ignored.
    void AddBar(double value, const QString& label, QRgb colour);

    bool active() const { return active_; }
    void setActive(bool active);
    // Width of a bar in percent of its slot, 1 to 100.
    int barWidthPercent() const { return barWidthPercent_; }
    void setBarWidthPercent(int percent);
    bool marksVisible() const { return marksVisible_; }
    void setMarksVisible(bool visible);
    // Whose bars these are, for a chart of several series ("Ann Kell"); empty by default.
    QString title() const { return title_; }
    void setTitle(const QString& title);

    Q_INVOKABLE int barCount() const { return static_cast<int>(bars_.size()); }
    // The accessors below take 0 <= i < barCount().
    Q_INVOKABLE double barValue(int i) const { return Bar(i).value; }
    Q_INVOKABLE QString barLabel(int i) const { return Bar(i).label; }
    // The 0x00BBGGRR value the bar was added with.
    Q_INVOKABLE QRgb barColour(int i) const { return Bar(i).bgr; }
    Q_INVOKABLE QColor barQColor(int i) const { return Bar(i).front; }

    // A search bound on bar i, kept until Clear(). `fails` is the caller's verdict: the
    // chart draws it and never tests the value itself. An index outside the bars is ignored.
    void setBarBound(int i, double value, BoundMode mode, bool fails);
    Q_INVOKABLE bool barHasBound(int i) const { return Bar(i).hasBound; }
    Q_INVOKABLE double barBoundValue(int i) const { return Bar(i).bound; }
    BoundMode barBoundMode(int i) const { return Bar(i).boundMode; }
    Q_INVOKABLE bool barFailsBound(int i) const { return Bar(i).failsBound; }
    // The text shown when the mouse rests on bar i; none while it is empty. Kept until Clear().
    void setBarToolTip(int i, const QString& text);
    Q_INVOKABLE QString barToolTip(int i) const { return Bar(i).toolTip; }
    // The earlier season's value of bar i, kept until Clear(); an index outside the bars is
    // ignored.
    void setBarEarlier(int i, double value);
    Q_INVOKABLE bool barHasEarlier(int i) const { return Bar(i).hasEarlier; }
    Q_INVOKABLE double barEarlierValue(int i) const { return Bar(i).earlier; }

  signals:
    void changed();

  private:
    friend class BarChart3D;
    struct BarData {
        double value = 0;
        QString label;
        QString valueText;
        QRgb bgr = 0;
        QColor front, top, side, bottom, edge;
        bool hasBound = false;
        double bound = 0;
        BoundMode boundMode = BoundMode::kAtLeast;
        bool failsBound = false;
        QString toolTip;
        bool hasEarlier = false;
        double earlier = 0;
    };
    const BarData& Bar(int i) const { return bars_[static_cast<std::size_t>(i)]; }

    std::vector<BarData> bars_;
    bool active_ = true;
    int barWidthPercent_ = 75;
    bool marksVisible_ = true;
    QString title_;
};

class BarChart3D : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int zoom READ zoom WRITE setZoom NOTIFY viewChanged)
    Q_PROPERTY(int rotation READ rotation WRITE setRotation NOTIFY viewChanged)
    Q_PROPERTY(int elevation READ elevation WRITE setElevation NOTIFY viewChanged)
    Q_PROPERTY(int perspective READ perspective WRITE setPerspective NOTIFY viewChanged)
    Q_PROPERTY(int horizOffset READ horizOffset WRITE setHorizOffset NOTIFY viewChanged)
    Q_PROPERTY(int vertOffset READ vertOffset WRITE setVertOffset NOTIFY viewChanged)
    Q_PROPERTY(int chart3DPercent READ chart3DPercent WRITE setChart3DPercent NOTIFY viewChanged)
    Q_PROPERTY(bool orthogonal READ orthogonal WRITE setOrthogonal NOTIFY viewChanged)
    Q_PROPERTY(
        bool thresholdsVisible READ thresholdsVisible WRITE setThresholdsVisible NOTIFY viewChanged)
    Q_PROPERTY(bool earlierVisible READ earlierVisible WRITE setEarlierVisible NOTIFY viewChanged)
  public:
    // A bar of a series; no bar at all has no series and index -1.
    struct BarHit {
        const BarSeries3D* series = nullptr;
        int index = -1;
    };

    explicit BarChart3D(QWidget* parent = nullptr);
    ~BarChart3D() override;

    // A new, empty and active series owned by the chart; drawn after the earlier ones.
    BarSeries3D* AddSeries(const QString& objectName);
    QList<BarSeries3D*> Series() const;

    // The chart as it would be painted at `size`; a null image for an empty size.
    QImage RenderToImage(QSize size) const;

    // Percent; 100 fits the chart into the widget. Negative values count as 0.
    int zoom() const { return zoom_; }
    void setZoom(int zoom);
    // Degrees, any whole number (taken modulo 360).
    int rotation() const { return rotation_; }
    void setRotation(int degrees);
    int elevation() const { return elevation_; }
    void setElevation(int degrees);
    // 0 to 100, clamped.
    int perspective() const { return perspective_; }
    void setPerspective(int percent);
    // Pixels.
    int horizOffset() const { return horizOffset_; }
    void setHorizOffset(int pixels);
    int vertOffset() const { return vertOffset_; }
    void setVertOffset(int pixels);
    // Depth of walls and bars in percent of the chart width, 0 to 100, clamped.
    int chart3DPercent() const { return chart3DPercent_; }
    void setChart3DPercent(int percent);
    bool orthogonal() const { return orthogonal_; }
    void setOrthogonal(bool orthogonal);
    // Whether the bars' search bounds are drawn (their marks and the outlines of failing bars).
    bool thresholdsVisible() const { return thresholdsVisible_; }
    void setThresholdsVisible(bool visible);
    // Whether the bars' earlier season values are drawn.
    bool earlierVisible() const { return earlierVisible_; }
    void setEarlierVisible(bool visible);

    // The bar drawn at `widgetPos` with the widget at its present size and view; where bars
    // overlap, the nearest. Worked out afresh, so it never depends on an earlier paint.
    BarHit BarAt(QPointF widgetPos) const;

    QSize sizeHint() const override { return {465, 233}; }

    // The top of the value axis for the largest bar value: that value rounded up to a
    // nice number, at least 100 (ratings). The floor is always 0.
    static double ScaleTop(double largestValue);
    // How many equal steps the axis up to `top` is divided into, so that every step is
    // 1, 2, 2.5 or 5 times a power of ten (or 1 if there is no such division).
    static int ScaleDivisions(double top);

  signals:
    void viewChanged();

  protected:
    bool event(QEvent* event) override;  // the bars' tooltips
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    // The bars in words for screen readers ("IT 58, SP 71, ..."): a picture says nothing.
    void DescribeBars();
    struct BarBox;
    struct Frame;
    // Painting one frame, in its steps.
    void Paint(QPainter& painter, QSize size) const;
    Frame MakeFrame(QPainter& painter, QSize size) const;
    QFont TextFont(double zoom) const;
    void PaintWalls(const Frame& f) const;
    bool PlaceText(const QRectF& rect) const;
    void PaintAxisTexts(const Frame& f) const;
    void PlaceBars(const Frame& f) const;
    void PlaceValueLines(const Frame& f, BarBox& box, double x0, double x1, double z0) const;
    void PaintBars(const Frame& f) const;
    void PaintEarlierMarks(const Frame& f) const;
    void PaintBoundLines(const Frame& f) const;
    void PaintBoundSigns(const Frame& f) const;
    void PaintLabels(const Frame& f) const;
    void PaintMarks(const Frame& f) const;
    template <class T>
    void SetView(T& member, T value);

    int zoom_ = 100;
    int rotation_ = 350;
    int elevation_ = 340;
    int perspective_ = 50;
    int horizOffset_ = 0;
    int vertOffset_ = 0;
    int chart3DPercent_ = 30;
    bool orthogonal_ = false;
    bool thresholdsVisible_ = true;
    bool earlierVisible_ = true;

    // Reused from frame to frame, so painting does not allocate once they have grown.
    mutable std::vector<BarBox> boxes_;
    mutable std::vector<int> order_;
    mutable std::vector<QRectF> placed_;
};

}  // namespace vantrel
