#pragma once

// The file statistics: the sizes and counts of the loaded league.

#include <QWidget>

#include <memory>

namespace Ui {
class Finfo;
}  // namespace Ui

namespace vantrel {

class Tfinfo : public QWidget {
    Q_OBJECT
  public:
    explicit Tfinfo(QWidget* parent = nullptr);
    ~Tfinfo() override;
    // Rows: 0 team-file size, 1 roster-file size, 2 team count, 3 players per team.
    void SetFigureText(int row, const QString& text);

  private:
    std::unique_ptr<Ui::Finfo> ui_;
};

}  // namespace vantrel
