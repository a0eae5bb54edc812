#include "gui/features/thresholdsfeature.h"

#include "core/league/records.h"
#include "core/search/playerfilter.h"
#include "gui/chart/barchart3d.h"
#include "gui/common/guardedslot.h"
#include "gui/features/menuaction.h"
#include "gui/window/detailspages.h"
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
    std::uint32_t active = 0;
    for (const int criterion : filter.ActiveCriteria())
        active |= 1u << criterion;
    for (BarSeries3D* series : face_.RatingSeries()) {
        for (int bar = 0; bar < series->barCount(); ++bar) {
            const int rating = RatingOfBar(series->barLabel(bar));
            const int criterion = kFirstRatingCriterion + rating;
            if (rating < 0 || ((active >> criterion) & 1u) == 0)
                continue;
            const RatingCriterion& bound = criteria.ratings[static_cast<std::size_t>(rating)];
            const bool fails = ((failed >> criterion) & 1u) != 0;
            series->setBarBound(bar, bound.threshold, ModeOf(bound.mode), fails);
        }
    }
}

}  // namespace vantrel
