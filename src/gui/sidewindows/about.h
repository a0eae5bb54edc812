#pragma once

// The about window.

#include <QWidget>

#include <memory>

namespace Ui {
class About;
}  // namespace Ui

namespace vantrel {

class Tabout : public QWidget {
    Q_OBJECT
  public:
    explicit Tabout(QWidget* parent = nullptr);
    ~Tabout() override;

  private:
    std::unique_ptr<Ui::About> ui_;
};

}  // namespace vantrel
