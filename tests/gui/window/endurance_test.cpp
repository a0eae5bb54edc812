// Long use: many loads of good and bad leagues with searches and details in between,
// errors that leave handlers, and quick clicks while the chart animation runs.

#include "apptest.h"

#include "gui/results/resultmodel.h"

#include <QItemSelectionModel>

#include <fstream>

namespace vantrel::apptest {
namespace {

// AddressSanitizer holds freed memory back on purpose, so resident memory says nothing
// about leaks there; LeakSanitizer checks them instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsHeldBack = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMemoryIsHeldBack = true;
#else
constexpr bool kMemoryIsHeldBack = false;
#endif
#else
constexpr bool kMemoryIsHeldBack = false;
#endif

// Resident memory in KiB, or -1 where /proc is not there.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = -1;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

class EnduranceTest : public AppTest {
  protected:
    void SearchAndShowFirst() {
        Search();
        if (Found()->model()->rowCount() == 0)
            return;
        Found()->selectionModel()->select(
            Found()->model()->index(0, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
    }
};

TEST_F(EnduranceTest, AThousandLoadsOfGoodAndBadLeaguesKeepMemoryFlat) {
    leaguegen::Options options;
    options.teams = 6;
    options.slotsPerTeam = 20;
    const QString good = WriteLeague("good", leaguegen::Generate(options)) + ".ros";
    options.seed = 2;
    options.teams = 12;
    const QString other = WriteLeague("other", leaguegen::Generate(options)) + ".tms";
    const QString bad =
        WriteFiles("bad", TeamImage({"Alpha"}), std::vector<std::uint8_t>(85, 1)) + ".ros";
    const QString missing = Path("missing.ros");

    ModalAnswerer answerer;  // closes every failure message
    long afterFirst = -1;
    for (int round = 0; round < 1000; ++round) {
        const QString& path = round % 4 == 0   ? good
                              : round % 4 == 1 ? bad
                              : round % 4 == 2 ? other
                                               : missing;
        Window().LoadLeagueFrom(path);
        Window().EnableLeagueControls();
        if (Window().League().PlayersPerTeam > 0)
            SearchAndShowFirst();
        if (round == 3)
            afterFirst = ResidentKiB();
    }
    EXPECT_EQ(answerer.Boxes().size(), 500u);
    EXPECT_TRUE(answerer.Unexpected().isEmpty());
    const long atEnd = ResidentKiB();
    if (afterFirst > 0 && !kMemoryIsHeldBack) {
        // The images are a few KiB; a leak per load would add up to megabytes.
        EXPECT_LT(atEnd - afterFirst, 4096)
            << "RSS after the first round " << afterFirst << " KiB, at the end " << atEnd << " KiB";
    }
}

TEST_F(EnduranceTest, QuickClicksWhileTheChartAnimationRuns) {
    leaguegen::Options options;
    options.teams = 4;
    options.slotsPerTeam = 10;
    LoadLeague(WriteLeague("quick", leaguegen::Generate(options)) + ".tms");
    Search();
    const int rows = Found()->model()->rowCount();
    ASSERT_GT(rows, 5);
    auto* tim = Window().findChild<QTimer*>("tim");
    QTest::mouseClick(Found()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      Found()->visualRect(Found()->model()->index(0, 0)).center());
    for (int i = 0; i < 60; ++i) {
        const QRect cell = Found()->visualRect(Found()->model()->index(i % rows, 0));
        Control<QTabWidget>("pc")->setCurrentIndex(0);
        QTest::mouseDClick(Found()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        EXPECT_TRUE(tim->isActive()) << "double-click " << i;
        QTest::qWait(7);  // about half a tick of the animation
        if (i % 10 == 9)
            Search();
    }
    ASSERT_TRUE(QTest::qWaitFor([tim] { return !tim->isActive(); }, 5000));
    EXPECT_EQ(Control<QWidget>("ch")->property("zoom").toInt(), 92);
    EXPECT_EQ(Control<QWidget>("Chart1")->property("rotation").toInt(), 346);
}

TEST_F(EnduranceTest, AfterAnErrorBoxTheWindowWorksOn) {
    ModalAnswerer answerer;
    // No league: the search handler raises "Somethings wrong..." (its button is disabled,
    // so the handler is run through the same guarded path a click takes).
    Control<QWidget>("sc")->setEnabled(true);
    Control<QPushButton>("Button2")->setEnabled(true);
    Search();
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    EXPECT_EQ(answerer.Boxes()[0].text, "Somethings wrong...");
    EXPECT_EQ(answerer.Boxes()[0].icon, QMessageBox::Critical);

    leaguegen::Options options;
    options.teams = 3;
    options.slotsPerTeam = 5;
    options.emptyShare = 0;
    const QString path = WriteLeague("after", leaguegen::Generate(options)) + ".ros";
    Window().LoadLeagueFrom(path);
    Window().EnableLeagueControls();
    SearchAndShowFirst();
    EXPECT_EQ(Lanz(), "15");
    EXPECT_NE(Control<QTabWidget>("pc")->currentWidget()->objectName(), "TabSheet1");
    EXPECT_FALSE(ChildOf<QLabel>(*Control<QWidget>("TabSheet2"), "Label5")->text().isEmpty());
}

}  // namespace
}  // namespace vantrel::apptest
