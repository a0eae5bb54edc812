#include "gui/features/features.h"

#include "gui/features/accessibilityfeature.h"
#include "gui/features/comparefeature.h"
#include "gui/features/criteriatextfeature.h"
#include "gui/features/desktopfeature.h"
#include "gui/features/exportfeature.h"
#include "gui/features/scorefeature.h"
#include "gui/features/searchreportfeature.h"
#include "gui/features/seasonfeature.h"
#include "gui/features/similarfeature.h"
#include "gui/features/thresholdsfeature.h"
#include "gui/window/windowface.h"

namespace vantrel {

FeatureWindows AddFeatures(WindowFace& face) {
    // Each is a child of the face; the order is the order of their menu items.
    new ExportFeature(face);
    new CriteriaTextFeature(face);
    new ThresholdsFeature(face);
    auto* report = new SearchReportFeature(face);
    auto* compare = new CompareFeature(face);
    new SeasonFeature(face);  // after Compare: its tooltip words follow the rank
    new SimilarFeature(face, *compare);
    new ScoreFeature(face);  // after Similar's menu items and Season's tooltip words
    new DesktopFeature(face);
    new AccessibilityFeature(face);
    return {report->Window(), compare->Window()};
}

}  // namespace vantrel
