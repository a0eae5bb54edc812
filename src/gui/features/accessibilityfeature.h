#pragma once

// What a screen reader hears: accessible names for every control of the main window in
// the words a user would speak, labels tied to the controls they describe, and
// descriptions that follow the values (a rating's mode and threshold, the list's row
// count, each details value with its caption). Nothing here changes what a control does.

#include <QObject>
#include <QString>

#include <utility>
#include <vector>

class QLabel;
class QWidget;

namespace vantrel {

class WindowFace;

class AccessibilityFeature : public QObject {
    Q_OBJECT
  public:
    explicit AccessibilityFeature(WindowFace& face);

  private:
    // A control of the main window by its object name.
    template <class T>
    T* Control(const char* name) const;
    void NamePanel();
    void NameRatingRows();
    void NameDetailsValues();

    QWidget* window_;
    QWidget* panel_;
    // The details pages' value labels with the spoken words of their captions.
    std::vector<std::pair<QLabel*, QString>> detailsCaptions_;
};

}  // namespace vantrel
