#include "gui/chart/barchart3d.h"

#include "gui/chartpixels.h"

#include <QEvent>
#include <QHelpEvent>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace vantrel {
namespace {

using test::CountAreas;
using test::DrawnArea;

constexpr QSize kChartSize(465, 233);
constexpr QRgb kNavy = 0x800000;  // 0x00BBGGRR
constexpr QRgb kBlue = 0xFF0000;
constexpr QRgb kPurple = 0x800080;
constexpr QRgb kRed = 0x0000FF;
constexpr QRgb kGreen = 0x00C000;

// The view the details pages end on, and the one their animation starts from.
void SetFinalView(BarChart3D& chart) {
    chart.setChart3DPercent(45);
    chart.setOrthogonal(false);
    chart.setElevation(336);
    chart.setPerspective(68);
    chart.setHorizOffset(-9);
    chart.setVertOffset(-2);
    chart.setRotation(346);
    chart.setZoom(92);
}

void SetStartView(BarChart3D& chart) {
    SetFinalView(chart);
    chart.setRotation(270);
    chart.setZoom(10);
}

// A skater's chart: condition, 13 ratings and the overall rating.
void AddPlayerBars(BarSeries3D& series) {
    const std::array<double, 15> values{93, 70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40, 71};
    const std::array<const char*, 15> labels{"CON", "IT", "SP", "ST", "EN", "DU", "DI", "SK",
                                             "PA",  "PC", "DF", "SC", "EX", "LD", "OV"};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const QRgb colour = i == 0 ? kNavy : i == 14 ? kPurple : kBlue;
        series.AddBar(values[i], QString::fromLatin1(labels[i]), colour);
    }
}

QRgb Background(const BarChart3D& chart) {
    return chart.palette().window().color().rgb();
}

// The topmost row that holds a pixel of exactly `colour`, or -1 if there is none.
int TopRowOf(const QImage& image, QColor colour) {
    const QRgb wanted = colour.rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == wanted) {
                return y;
            }
        }
    }
    return -1;
}

// The smallest rectangle around every pixel of exactly `colour`.
QRect ColourArea(const QImage& image, QColor colour) {
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour.rgb()) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

// The smallest rectangle around every pixel that differs between two images of one size.
QRect ChangedArea(const QImage& a, const QImage& b) {
    QRect area;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

int CountPixels(const QImage& image, QColor colour) {
    const QRgb wanted = colour.rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == wanted ? 1 : 0;
        }
    }
    return count;
}

// ---------------------------------------------------------------------------------------
// The series

TEST(BarSeries3DTest, ColourFromBgrReadsRedFromTheLowByte) {
    EXPECT_EQ(BarSeries3D::ColourFromBgr(kNavy), QColor(0, 0, 128));
    EXPECT_EQ(BarSeries3D::ColourFromBgr(kBlue), QColor(0, 0, 255));
    EXPECT_EQ(BarSeries3D::ColourFromBgr(kPurple), QColor(128, 0, 128));
    EXPECT_EQ(BarSeries3D::ColourFromBgr(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(BarSeries3D::ColourFromBgr(0x123456), QColor(0x56, 0x34, 0x12));
    // The top byte is no alpha: the colour stays opaque.
    EXPECT_EQ(BarSeries3D::ColourFromBgr(0xFF00FF00u), QColor(0, 255, 0));
}

TEST(BarSeries3DTest, ClearEmptiesAndSignalsOnlyWhenThereWasSomething) {
    BarSeries3D series;
    QSignalSpy changed(&series, &BarSeries3D::changed);
    series.Clear();
    EXPECT_EQ(changed.count(), 0);
    series.AddBar(1, "A", kRed);
    series.AddBar(2, "B", kRed);
    EXPECT_EQ(changed.count(), 2);
    series.Clear();
    EXPECT_EQ(series.barCount(), 0);
    EXPECT_EQ(changed.count(), 3);
    series.AddBar(7, "C", kGreen);
    ASSERT_EQ(series.barCount(), 1);
    EXPECT_EQ(series.barValue(0), 7);
}

// The chart repaints on `changed`: the same value again must not signal.
TEST(BarSeries3DTest, PropertiesSignalOnlyOnChange) {
    BarSeries3D series;
    QSignalSpy changed(&series, &BarSeries3D::changed);
    series.setActive(series.active());
    series.setBarWidthPercent(series.barWidthPercent());
    series.setMarksVisible(series.marksVisible());
    EXPECT_EQ(changed.count(), 0);
    series.setActive(!series.active());
    series.setBarWidthPercent(series.barWidthPercent() / 2);
    series.setMarksVisible(!series.marksVisible());
    EXPECT_EQ(changed.count(), 3);

    series.setBarWidthPercent(0);
    EXPECT_EQ(series.barWidthPercent(), 1);
    series.setBarWidthPercent(250);
    EXPECT_EQ(series.barWidthPercent(), 100);
}

// ---------------------------------------------------------------------------------------
// The chart's settings

TEST(BarChart3DTest, SettersClampWhatHasNoMeaningOutsideItsRange) {
    BarChart3D chart;
    chart.setZoom(-5);
    EXPECT_EQ(chart.zoom(), 0);
    chart.setPerspective(130);
    EXPECT_EQ(chart.perspective(), 100);
    chart.setPerspective(-1);
    EXPECT_EQ(chart.perspective(), 0);
    chart.setChart3DPercent(101);
    EXPECT_EQ(chart.chart3DPercent(), 100);
    // Angles are kept as given; drawing takes them modulo 360.
    chart.setRotation(-14);
    EXPECT_EQ(chart.rotation(), -14);
    chart.setElevation(720);
    EXPECT_EQ(chart.elevation(), 720);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

// Every view setting, by its property name: the same value again neither repaints nor
// signals, a new one does both, once.
TEST(BarChart3DTest, RepaintsOnlyWhenSomethingChanged) {
    BarChart3D chart;
    BarSeries3D* series = chart.AddSeries("Series1");
    chart.resize(kChartSize);
    PaintCounter counter;
    chart.installEventFilter(&counter);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QTest::qWait(20);
    QCoreApplication::processEvents();
    QSignalSpy changed(&chart, &BarChart3D::viewChanged);
    const auto painted = [&counter] {
        return QTest::qWaitFor([&counter] { return counter.paints > 0; }, 1000);
    };

    const char* const settings[] = {
        "zoom",       "rotation",       "elevation",  "perspective",       "horizOffset",
        "vertOffset", "chart3DPercent", "orthogonal", "thresholdsVisible", "earlierVisible"};
    counter.paints = 0;
    for (const char* name : settings)
        ASSERT_TRUE(chart.setProperty(name, chart.property(name))) << name;
    series->setActive(series->active());
    QTest::qWait(20);
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(changed.count(), 0);

    for (const char* name : settings) {
        const QVariant value = chart.property(name);
        counter.paints = 0;
        chart.setProperty(name, value.typeId() == QMetaType::Bool ? QVariant(!value.toBool())
                                                                  : QVariant(value.toInt() + 1));
        EXPECT_TRUE(painted()) << name;
        EXPECT_EQ(changed.count(), 1) << name;
        changed.clear();
    }

    counter.paints = 0;
    series->AddBar(10, "X", kRed);
    EXPECT_TRUE(painted());
}

TEST(BarChart3DTest, OwnsItsNamedSeriesInOrder) {
    QPointer<BarSeries3D> first;
    {
        BarChart3D chart;
        first = chart.AddSeries("Series1");
        BarSeries3D* second = chart.AddSeries("Series2");
        ASSERT_EQ(chart.Series().size(), 2);
        EXPECT_EQ(chart.Series()[0], first.data());
        EXPECT_EQ(chart.Series()[1], second);
        EXPECT_EQ(first->objectName(), "Series1");
        EXPECT_EQ(second->objectName(), "Series2");
        EXPECT_EQ(chart.findChild<BarSeries3D*>("Series2"), second);
        EXPECT_TRUE(first->active());
    }
    EXPECT_TRUE(first.isNull());
}

TEST(BarChart3DTest, IgnoresWheelAndDrags) {
    BarChart3D chart;
    SetFinalView(chart);
    chart.resize(kChartSize);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QTest::mousePress(&chart, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(&chart, QPoint(300, 50));
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, QPoint(300, 50));
    QWheelEvent wheel(QPointF(200, 100), chart.mapToGlobal(QPointF(200, 100)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&chart, &wheel);
    EXPECT_EQ(chart.zoom(), 92);
    EXPECT_EQ(chart.rotation(), 346);
    EXPECT_EQ(chart.elevation(), 336);
    EXPECT_EQ(chart.horizOffset(), -9);
    EXPECT_EQ(chart.vertOffset(), -2);
}

// ---------------------------------------------------------------------------------------
// The value scale

TEST(BarChart3DScaleTest, TopIsANiceNumberOfAtLeastOneHundred) {
    EXPECT_EQ(BarChart3D::ScaleTop(0), 100);
    EXPECT_EQ(BarChart3D::ScaleTop(-40), 100);
    EXPECT_EQ(BarChart3D::ScaleTop(std::nan("")), 100);
    EXPECT_EQ(BarChart3D::ScaleTop(93), 100);
    EXPECT_EQ(BarChart3D::ScaleTop(100), 100);
    EXPECT_EQ(BarChart3D::ScaleTop(100.5), 120);
    EXPECT_EQ(BarChart3D::ScaleTop(255), 300);
    EXPECT_EQ(BarChart3D::ScaleTop(300), 300);
    EXPECT_EQ(BarChart3D::ScaleTop(801), 1000);
    EXPECT_EQ(BarChart3D::ScaleTop(1e6 + 1), 1.2e6);
}

TEST(BarChart3DScaleTest, TopIsNeverBelowTheLargestValue) {
    for (double value = 0; value < 5000; value += 7.3) {
        const double top = BarChart3D::ScaleTop(value);
        EXPECT_GE(top, value);
        EXPECT_LE(top, std::max(100.0, value * 4.0 / 3.0)) << value;
    }
}

TEST(BarChart3DScaleTest, DivisionsGiveRoundSteps) {
    EXPECT_EQ(BarChart3D::ScaleDivisions(100), 5);
    EXPECT_EQ(BarChart3D::ScaleDivisions(300), 6);
    EXPECT_EQ(BarChart3D::ScaleDivisions(120), 6);
    EXPECT_EQ(BarChart3D::ScaleDivisions(250), 5);
    EXPECT_EQ(BarChart3D::ScaleDivisions(400), 4);
    EXPECT_EQ(BarChart3D::ScaleDivisions(0), 1);
    // Every top the scale can choose is divided into at least two steps.
    for (double value = 0; value < 5000; value += 11.1) {
        EXPECT_GE(BarChart3D::ScaleDivisions(BarChart3D::ScaleTop(value)), 2) << value;
    }
}

// ---------------------------------------------------------------------------------------
// Rendering

class BarChart3DRenderTest : public testing::Test {
  protected:
    void SetUp() override {
        SetFinalView(chart);
        series = chart.AddSeries("Series1");
    }
    QImage Render() const { return chart.RenderToImage(kChartSize); }

    BarChart3D chart;
    BarSeries3D* series = nullptr;
};

TEST_F(BarChart3DRenderTest, TallerBarReachesHigher) {
    for (bool redTaller : {true, false}) {
        SCOPED_TRACE(redTaller ? "red taller" : "green taller");
        series->Clear();
        series->AddBar(redTaller ? 200 : 60, "R", kRed);
        series->AddBar(redTaller ? 60 : 200, "G", kGreen);
        const QImage image = Render();
        const int redTop = TopRowOf(image, series->barQColor(0));
        const int greenTop = TopRowOf(image, series->barQColor(1));
        ASSERT_GE(redTop, 0);
        ASSERT_GE(greenTop, 0);
        if (redTaller) {
            EXPECT_LT(redTop + 20, greenTop);
        } else {
            EXPECT_LT(greenTop + 20, redTop);
        }
    }
}

TEST_F(BarChart3DRenderTest, FullPlayerChartFitsAndShowsEveryBar) {
    AddPlayerBars(*series);
    const QImage image = Render();
    const QRect drawn = DrawnArea(image, Background(chart));
    // Nothing touches the edges of the widget, yet the chart fills most of it.
    EXPECT_GT(drawn.left(), 0);
    EXPECT_GT(drawn.top(), 0);
    EXPECT_LT(drawn.right(), kChartSize.width() - 1);
    EXPECT_LT(drawn.bottom(), kChartSize.height() - 1);
    EXPECT_GT(drawn.width(), kChartSize.width() * 3 / 4);
    EXPECT_GT(drawn.height(), kChartSize.height() * 3 / 4);

    EXPECT_GT(CountPixels(image, QColor(0, 0, 128)), 50);    // CON
    EXPECT_GT(CountPixels(image, QColor(128, 0, 128)), 50);  // OV
    EXPECT_GT(CountPixels(image, QColor(0, 0, 255)), 13 * 50);
    EXPECT_GT(CountPixels(image, QColor(192, 192, 192)), 1000);  // floor and left wall
    // One white value mark per bar: none left out for overlapping another.
    EXPECT_EQ(CountAreas(image, Qt::white, 20), 15);

    // CON (93) stands higher than LD (40) next to OV (71).
    const int conTop = TopRowOf(image, QColor(0, 0, 128));
    const int ovTop = TopRowOf(image, QColor(128, 0, 128));
    EXPECT_LT(conTop, ovTop);

    if (const char* path = std::getenv("VANTREL_CHART_PNG")) {
        EXPECT_TRUE(image.save(QString::fromLocal8Bit(path)));
    }
}

TEST_F(BarChart3DRenderTest, EndViewDiffersFromStartView) {
    AddPlayerBars(*series);
    const QImage end = Render();
    SetStartView(chart);
    const QImage start = Render();
    EXPECT_NE(start, end);
    // Seen small from the side, the chart takes far less room.
    EXPECT_LT(DrawnArea(start, Background(chart)).width() * 3,
              DrawnArea(end, Background(chart)).width());
}

TEST_F(BarChart3DRenderTest, InactiveSeriesDrawsNothingAndDoesNotChangeTheScale) {
    series->AddBar(60, "A", kRed);
    series->AddBar(80, "B", kGreen);
    const QImage without = Render();
    BarSeries3D* hidden = chart.AddSeries("Series2");
    hidden->setActive(false);
    hidden->AddBar(900, "X", kBlue);
    hidden->AddBar(1, "Y", kBlue);
    hidden->AddBar(1, "Z", kBlue);
    EXPECT_EQ(Render(), without);

    hidden->setActive(true);
    EXPECT_NE(Render(), without);
}

TEST_F(BarChart3DRenderTest, HiddenMarksLeaveNoWhiteBoxes) {
    series->AddBar(60, "A", kRed);
    series->AddBar(80, "B", kGreen);
    const int withMarks = CountPixels(Render(), Qt::white);
    series->setMarksVisible(false);
    const int without = CountPixels(Render(), Qt::white);
    EXPECT_GT(withMarks, without + 40);
}

TEST_F(BarChart3DRenderTest, NegativeValueIsDrawnAsZero) {
    series->setMarksVisible(false);
    series->AddBar(-50, "A", kRed);
    series->AddBar(70, "B", kGreen);
    const QImage negative = Render();
    series->Clear();
    series->AddBar(0, "A", kRed);
    series->AddBar(70, "B", kGreen);
    EXPECT_EQ(negative, Render());
}

TEST_F(BarChart3DRenderTest, FullScaleBarStaysInside) {
    for (int i = 0; i < 15; ++i) {
        series->AddBar(255, "X", kRed);
    }
    const QImage image = Render();
    const int top = TopRowOf(image, QColor(255, 0, 0));
    EXPECT_GT(top, 15);  // room for its mark above
    const QRect drawn = DrawnArea(image, Background(chart));
    EXPECT_GT(drawn.top(), 0);
}

TEST_F(BarChart3DRenderTest, StartViewIsSmallAndCentred) {
    AddPlayerBars(*series);
    SetStartView(chart);
    const QRect drawn = DrawnArea(Render(), Background(chart));
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_LT(drawn.width(), kChartSize.width() / 4);
    EXPECT_LT(drawn.height(), kChartSize.height() / 4);
    EXPECT_TRUE(QRect(QPoint(0, 0), kChartSize).adjusted(50, 20, -50, -20).contains(drawn));
}

TEST_F(BarChart3DRenderTest, OddSettingsAndContentsDrawWithoutCrashing) {
    const QRect widget(QPoint(0, 0), kChartSize);
    auto renderAll = [&](const char* what) {
        SCOPED_TRACE(what);
        // Fitted into the widget, the chart stays inside it from every side.
        for (int elevation : {0, 90, 180, 270, 336, 360}) {
            for (int rotation = 0; rotation < 360; rotation += 15) {
                chart.setElevation(elevation);
                chart.setRotation(rotation);
                const QRect drawn = DrawnArea(Render(), Background(chart));
                ASSERT_TRUE(widget.contains(drawn)) << elevation << " " << rotation;
            }
        }
        for (int perspective : {0, 100}) {
            chart.setPerspective(perspective);
            for (int zoom : {0, 1, 10, 92, 400}) {
                chart.setZoom(zoom);
                chart.setOrthogonal(zoom == 92);
                Render();
            }
        }
        chart.setChart3DPercent(0);
        Render();
        SetFinalView(chart);
        // Back at the final view everything stays inside the widget.
        const QRect drawn = DrawnArea(Render(), Background(chart));
        EXPECT_TRUE(widget.adjusted(1, 1, -1, -1).contains(drawn));
    };
    renderAll("no bars");
    for (int i = 0; i < 15; ++i) {
        series->AddBar(0, "Z", kRed);
    }
    renderAll("all values 0");
    series->Clear();
    for (int i = 0; i < 15; ++i) {
        series->AddBar(255, "F", kRed);
    }
    renderAll("all values 255");
    series->Clear();
    series->AddBar(-10, "N", kRed);
    series->AddBar(1e300, "H", kGreen);
    series->AddBar(std::nan(""), "U", kBlue);
    renderAll("extreme values");
}

TEST_F(BarChart3DRenderTest, OrthogonalViewIgnoresRotationAndElevation) {
    AddPlayerBars(*series);
    chart.setOrthogonal(true);
    const QImage first = Render();
    chart.setRotation(300);
    chart.setElevation(10);
    EXPECT_EQ(Render(), first);
    chart.setOrthogonal(false);
    EXPECT_NE(Render(), first);
}

TEST_F(BarChart3DRenderTest, OffsetsShiftTheChartByPixels) {
    AddPlayerBars(*series);
    const QRect before = DrawnArea(Render(), Background(chart));
    chart.setHorizOffset(chart.horizOffset() + 7);
    chart.setVertOffset(chart.vertOffset() + 5);
    const QRect after = DrawnArea(Render(), Background(chart));
    EXPECT_EQ(after.topLeft(), before.topLeft() + QPoint(7, 5));
}

TEST_F(BarChart3DRenderTest, EmptySizesGiveNullImagesAndPaintNothing) {
    AddPlayerBars(*series);
    EXPECT_TRUE(chart.RenderToImage(QSize(0, 0)).isNull());
    EXPECT_TRUE(chart.RenderToImage(QSize(465, 0)).isNull());
    EXPECT_EQ(chart.RenderToImage(QSize(1, 1)).size(), QSize(1, 1));
    chart.resize(0, 0);
    chart.show();
    QCoreApplication::processEvents();
    chart.repaint();
    chart.resize(3, 2);
    chart.repaint();
}

// ---------------------------------------------------------------------------------------
// Search bounds and the bars under the mouse

class BarChart3DBoundTest : public BarChart3DRenderTest {
  protected:
    // Three bars of 60 side by side; each one's front face has a colour of its own.
    void SetUp() override {
        BarChart3DRenderTest::SetUp();
        for (QRgb colour : {kRed, kGreen, kBlue}) {
            series->AddBar(60, "X", colour);
        }
        plain = Render();
        for (int i = 0; i < 3; ++i) {
            front[static_cast<std::size_t>(i)] = ColourArea(plain, series->barQColor(i));
        }
    }
    QImage plain;
    std::array<QRect, 3> front;
};

// A bound that holds: a short line with its sign at the bound's height on the bar's front
// face, and nothing on the neighbours. The sign follows the mode.
TEST_F(BarChart3DBoundTest, BoundMarkSitsAtItsValueOnItsOwnBar) {
    // The middle column of the middle bar's front face, which runs from 0 up to 60.
    const int x = front[1].center().x();
    const QRect face = ColourArea(plain.copy(x, 0, 1, plain.height()), series->barQColor(1));
    for (double bound : {15.0, 45.0}) {
        SCOPED_TRACE(bound);
        series->setBarBound(1, bound, BoundMode::kAtLeast, false);
        const QImage bounded = Render();
        const QRect changed = ChangedArea(plain, bounded);
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_GT(changed.left(), front[0].right());
        EXPECT_LT(changed.right(), front[2].left());
        EXPECT_LT(changed.height(), front[1].height() / 3);  // a mark, no outline
        const QRect line =
            ChangedArea(plain.copy(x, 0, 1, plain.height()), bounded.copy(x, 0, 1, plain.height()));
        EXPECT_NEAR(line.center().y(), face.bottom() - face.height() * bound / 60.0, 1.5);
    }
    const QImage atLeast = Render();
    series->setBarBound(1, 45, BoundMode::kAtMost, false);
    const QImage atMost = Render();
    series->setBarBound(1, 45, BoundMode::kEqual, false);
    EXPECT_NE(atMost, atLeast);
    EXPECT_NE(Render(), atMost);
}

// A bound that fails: the whole bar gets an outline around it, while its faces keep their
// colours (no pixel of a new fill, most of the face untouched).
TEST_F(BarChart3DBoundTest, FailingBarIsOutlinedAroundItsOwnColours) {
    series->setBarBound(1, 80, BoundMode::kAtLeast, true);
    const QImage failing = Render();
    const QRect changed = ChangedArea(plain, failing);
    EXPECT_GT(changed.left(), front[0].right());
    EXPECT_LT(changed.right(), front[2].left());
    EXPECT_LE(changed.top(), front[1].top() - 5);  // the top face and the line above the bar
    EXPECT_GE(changed.bottom(), front[1].bottom());
    EXPECT_LT(changed.left(), front[1].left());
    const int before = CountPixels(plain, series->barQColor(1));
    const int after = CountPixels(failing, series->barQColor(1));
    EXPECT_GT(after, before * 8 / 10);
    EXPECT_LE(after, before);
    // Not failing: only the line, no outline down to the floor.
    series->setBarBound(1, 80, BoundMode::kAtLeast, false);
    EXPECT_LT(ChangedArea(plain, Render()).bottom(), front[1].top());
}

// Switched off, bounds leave the chart exactly as it is without them; Clear drops them
// along with the bars and their tooltips.
TEST_F(BarChart3DBoundTest, HiddenOrClearedBoundsDrawNothing) {
    series->setBarBound(0, 30, BoundMode::kAtMost, true);
    series->setBarBound(2, 70, BoundMode::kEqual, false);
    series->setBarToolTip(2, "tip");
    const QImage bounded = Render();
    ASSERT_NE(bounded, plain);
    QSignalSpy changed(&chart, &BarChart3D::viewChanged);
    chart.setThresholdsVisible(false);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(Render(), plain);
    chart.setThresholdsVisible(true);
    EXPECT_EQ(Render(), bounded);

    series->Clear();
    for (QRgb colour : {kRed, kGreen, kBlue}) {
        series->AddBar(60, "X", colour);
    }
    EXPECT_EQ(Render(), plain);
    EXPECT_FALSE(series->barHasBound(0));
    EXPECT_EQ(series->barToolTip(2), "");
}

// The earlier value: a tick at its height on its own bar's front face, within the bar's
// slot.
TEST_F(BarChart3DBoundTest, EarlierMarkSitsAtItsValueOnItsOwnBar) {
    const int x = front[1].center().x();
    const QRect face = ColourArea(plain.copy(x, 0, 1, plain.height()), series->barQColor(1));
    for (double earlier : {15.0, 45.0}) {
        SCOPED_TRACE(earlier);
        series->setBarEarlier(1, earlier);
        const QImage marked = Render();
        const QRect changed = ChangedArea(plain, marked);
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_GT(changed.left(), front[0].right());
        EXPECT_LT(changed.right(), front[2].left());
        EXPECT_LT(changed.height(), front[1].height() / 3);  // a tick, no outline
        const QRect tick =
            ChangedArea(plain.copy(x, 0, 1, plain.height()), marked.copy(x, 0, 1, plain.height()));
        EXPECT_NEAR(tick.center().y(), face.bottom() - face.height() * earlier / 60.0, 1.5);
    }
    EXPECT_EQ(series->barEarlierValue(1), 45);
}

// Switched off, earlier values leave the chart and its description as they are without
// them; an index outside the bars is ignored.
TEST_F(BarChart3DBoundTest, HiddenOrOutsideEarlierValuesDrawNothing) {
    series->setBarEarlier(-1, 30);
    series->setBarEarlier(3, 30);
    EXPECT_EQ(Render(), plain);
    const QString described = chart.accessibleDescription();
    series->setBarEarlier(0, 30);
    series->setBarEarlier(2, 90);
    const QImage marked = Render();
    ASSERT_NE(marked, plain);
    EXPECT_EQ(chart.accessibleDescription(), "X 60 (earlier 30), X 60, X 60 (earlier 90)");
    chart.setEarlierVisible(false);
    EXPECT_EQ(Render(), plain);
    EXPECT_EQ(chart.accessibleDescription(), described);
    chart.setEarlierVisible(true);
    EXPECT_EQ(Render(), marked);
}

// An earlier value above every bar raises the axis (to 150 here), so its mark is not cut
// off at the top: a bar of 60 stands as high as one of 40 on the axis up to 100. Hidden,
// it leaves the axis alone.
TEST_F(BarChart3DBoundTest, EarlierValueAboveTheAxisRaisesIt) {
    series->setBarEarlier(1, 140);
    const QRect raised = ColourArea(Render(), series->barQColor(0));
    chart.setEarlierVisible(false);
    EXPECT_EQ(Render(), plain);
    series->Clear();
    for (QRgb colour : {kRed, kGreen, kBlue}) {
        series->AddBar(40, "X", colour);
    }
    EXPECT_EQ(raised, ColourArea(Render(), series->barQColor(0)));
}

// The bar under a point is the one drawn there; the chart shows that bar's tooltip and
// hides it over the walls and the background.
TEST_F(BarChart3DBoundTest, BarAtAndTooltipsFindTheBarDrawnUnderThePoint) {
    chart.resize(kChartSize);
    for (int i = 0; i < 3; ++i) {
        const QPointF centre = QRectF(front[static_cast<std::size_t>(i)]).center();
        const BarChart3D::BarHit hit = chart.BarAt(centre);
        EXPECT_EQ(hit.series, series) << i;
        EXPECT_EQ(hit.index, i);
        series->setBarToolTip(i, QString("bar %1").arg(i));
    }
    const QRect bars = front[0] | front[2];
    for (QPointF outside : {QPointF(2, 2), QPointF(bars.center().x(), bars.top() - 30),
                            QPointF(bars.left() - 20, bars.bottom() - 5)}) {
        EXPECT_EQ(chart.BarAt(outside).series, nullptr) << outside.x() << "," << outside.y();
        EXPECT_EQ(chart.BarAt(outside).index, -1);
    }

    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    const auto help = [&](QPoint at) {
        QHelpEvent event(QEvent::ToolTip, at, chart.mapToGlobal(at));
        QCoreApplication::sendEvent(&chart, &event);
    };
    help(front[2].center());
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "bar 2");
    help(QPoint(2, 2));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

}  // namespace
}  // namespace vantrel
