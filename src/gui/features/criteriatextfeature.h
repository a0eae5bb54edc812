#pragma once

// The criteria panel as one line of text: Edit -> Copy Criteria puts it on the clipboard,
// Paste Criteria sets the panel from the clipboard, Query... (Ctrl+L) lets the user type
// it and searches. The panel is set after a Reset, and only when the whole text is good.

#include <QObject>

class QString;

namespace vantrel {

class WindowFace;

class CriteriaTextFeature : public QObject {
    Q_OBJECT
  public:
    explicit CriteriaTextFeature(WindowFace& face);

  private:
    void Copy();
    void Paste();
    void Query();
    // Sets the panel from a criteria text, or leaves it exactly as it is and says why.
    bool Apply(const QString& text);

    WindowFace& face_;
};

}  // namespace vantrel
