#pragma once

// The three side windows: the checkbox legend, the file statistics and the about
// window. They are created hidden at start-up, shown modeless, and closing one only
// hides it.

#include <QWidget>

#include <memory>

namespace Ui {
class Legende;
class Finfo;
class About;
}  // namespace Ui

namespace vantrel {

// Shows a side window, or brings it to the front when it is already open.
void ShowSideWindow(QWidget* window);

class Tlegende : public QWidget {
    Q_OBJECT
  public:
    explicit Tlegende(QWidget* parent = nullptr);
    ~Tlegende() override;

  private:
    std::unique_ptr<Ui::Legende> ui_;
};

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

class Tabout : public QWidget {
    Q_OBJECT
  public:
    explicit Tabout(QWidget* parent = nullptr);
    ~Tabout() override;

  private:
    std::unique_ptr<Ui::About> ui_;
};

}  // namespace vantrel
