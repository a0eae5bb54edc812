#pragma once

// The wait cursor while a league loads or a search or sort runs on a large league.

#include <QApplication>

namespace vantrel {

// Lists this long take long enough to show the wait cursor.
inline constexpr long long kBusyRowCount = 200000;

class BusyCursor {
  public:
    explicit BusyCursor(bool busy = true) : busy_(busy) {
        if (busy_)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyCursor() {
        if (busy_)
            QApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    bool busy_;
};

}  // namespace vantrel
