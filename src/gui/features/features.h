#pragma once

// The one place where the features beyond the main window's own controls are made: each
// is a class of its own that sees the window only through its WindowFace, owns its
// actions and side window, and follows loads, searches and details shown by itself.

namespace vantrel {

class WindowFace;
class SearchReportWindow;
class CompareWindow;

// The side windows of the features, for the start-up's program record.
struct FeatureWindows {
    SearchReportWindow* report = nullptr;
    CompareWindow* compare = nullptr;
};

// Makes every feature, owned by the face (and so by the main window).
FeatureWindows AddFeatures(WindowFace& face);

}  // namespace vantrel
