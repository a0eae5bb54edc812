#include "gui/features/thresholdsfeature.h"

#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "core/search/playerfilter.h"
#include "gui/chart/barchart3d.h"
#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "gui/features/menuaction.h"
#include "gui/window/windowface.h"

#include <QAction>

namespace vantrel {

namespace {

BoundMode ModeOf(CriterionMode mode) {
    switch (mode) {
        case CriterionMode::kAtLeast:
            return BoundMode::kAtLeast;
        case CriterionMode::kAtMost:
            return BoundMode::kAtMost;
        case CriterionMode::kEqual:
            break;
    }
    return BoundMode::kEqual;
}

// The bar of a rating (RatingIndex, OV last) in a chart, by its caption; -1 for none.
int BarOfRating(const BarSeries3D* series, int rating) {
    const QString caption = Utf8Text(RatingAbbrev(rating));
    for (int bar = 0; bar < series->barCount(); ++bar) {
        if (series->barLabel(bar) == caption)
            return bar;
    }
    return -1;
}

}  // namespace

ThresholdsFeature::ThresholdsFeature(WindowFace& face) : QObject(&face), face_(face) {
    QAction* action = AddMenuAction(face.Menu("View1"), "SearchThresholdsOnChart1",
                                    QStringLiteral("Search Thresholds on Chart"));
    action->setCheckable(true);
    action->setChecked(true);
    connect(action, &QAction::toggled, this,
            Guarded([this](bool shown) { ShowThresholds(shown); }));
    connect(&face, &WindowFace::detailsShown, this,
            Guarded([this](const std::uint8_t* record) { SetBounds(record); }));
}

void ThresholdsFeature::ShowThresholds(bool shown) {
    for (BarSeries3D* series : face_.RatingSeries())
        qobject_cast<BarChart3D*>(series->parent())->setThresholdsVisible(shown);
}

// Every rating criterion the filter tests, on its bar, as the panel stands now; whether
// the bar fails is the filter's own verdict. Rating tests do not depend on where the
// record lies, so offset 0 gives their bits as the search would.
void ThresholdsFeature::SetBounds(const std::uint8_t* record) {
    const SearchCriteria criteria = face_.CriteriaNow();
    const PlayerFilter filter(criteria, face_.League().TeamStride);
    const std::uint32_t failed = filter.FailedCriteria(record, 0);
    for (BarSeries3D* series : face_.RatingSeries()) {
        for (const int criterion : filter.ActiveCriteria()) {
            const int rating = criterion - kFirstRatingCriterion;
            const int bar = rating < 0 ? -1 : BarOfRating(series, rating);
            if (bar < 0)
                continue;
            const RatingCriterion& bound = criteria.ratings[static_cast<std::size_t>(rating)];
            const bool fails = ((failed >> criterion) & 1u) != 0;
            series->setBarBound(bar, bound.threshold, ModeOf(bound.mode), fails);
        }
    }
}

}  // namespace vantrel
