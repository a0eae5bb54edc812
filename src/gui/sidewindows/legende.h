#pragma once

// The checkbox legend: the three states of a rating checkbox and what each means.

#include <QWidget>

#include <memory>

namespace Ui {
class Legende;
}  // namespace Ui

namespace vantrel {

class Tlegende : public QWidget {
    Q_OBJECT
  public:
    explicit Tlegende(QWidget* parent = nullptr);
    ~Tlegende() override;

  private:
    std::unique_ptr<Ui::Legende> ui_;
};

}  // namespace vantrel
