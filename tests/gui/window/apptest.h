#pragma once

// Support for the window tests: a fixture that runs the real start-up, lookup of controls
// by their names, the common user actions (open, search, header click) and small writers
// for league files in a temporary folder.

#include "gui/window/mainwindow.h"
#include "gui/sidewindows/about.h"
#include "gui/sidewindows/finfo.h"
#include "gui/sidewindows/legende.h"
#include "gui/window/startup.h"
#include "support/modalanswerer.h"

#include "leaguegen.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (qsizetype i = 0; i < texts.size(); ++i)
        *out << (i ? ", \"" : "\"") << texts[i].toStdString() << '"';
    *out << '}';
}

namespace vantrel::apptest {

// The messages of a failed load, word for word.
inline const QString kReadError = QStringLiteral("Es trat ein Fehler beim Lesen der Dateien auf!");
inline const QString kTeamError =
    QStringLiteral("Es trat ein Fehler beim Lesen der Team-Datei auf!");
inline const QString kRosterError =
    QStringLiteral("Es trat ein Fehler beim Lesen der Rooster-Datei auf!");
inline const QString kGeometryError = QString::fromUtf8(
    "Es trat ein Fehler beim Berechnen der relevanten Eintragsgr\xC3\xB6\xC3\x9F"
    "en auf...!");

using testsupport::BoxSeen;
using testsupport::ModalAnswerer;
using testsupport::ProgressSeen;
using testsupport::TypeText;

// Writes bytes to a file, creating nothing else; true when all bytes were written.
inline bool WriteBytes(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
}

inline std::vector<std::uint8_t> TeamImage(const std::vector<std::string>& names) {
    std::vector<std::uint8_t> image;
    for (const std::string& name : names)
        leaguegen::TeamBuilder().Name(name).AppendTo(image);
    return image;
}

// Checks a test precondition; a failed one ends the test body with a failure.
inline void Require(bool condition, const std::string& what) {
    if (!condition)
        throw std::runtime_error("test precondition failed: " + what);
}

// The whole program as the start-up leaves it, shown.
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Require(dir_.isValid(), "temporary folder");
        program_ = vantrel::StartUp();
        Require(QTest::qWaitForWindowExposed(program_->Pfinder.get()), "main window shown");
    }
    void TearDown() override {
        program_.reset();
        QApplication::processEvents();
    }

    VAvevadi& Window() { return *program_->Pfinder; }
    QWidget& Finfo() { return *program_->finfo; }
    QWidget& Legende() { return *program_->legende; }
    QWidget& About() { return *program_->about; }

    template <class T>
    T* Control(const QString& name) {
        T* control = program_->Pfinder->findChild<T*>(name);
        Require(control != nullptr, "control " + name.toStdString());
        return control;
    }
    template <class T>
    static T* ChildOf(QWidget& window, const QString& name) {
        T* control = window.findChild<T*>(name);
        Require(control != nullptr, "control " + name.toStdString());
        return control;
    }
    QAction* Action(const QString& name) { return Control<QAction>(name); }

    QTableView* Found() { return Control<QTableView>("found"); }
    QString Lanz() { return Control<QLabel>("lanz")->text(); }
    void SelectRows(std::initializer_list<int> rows) {
        QItemSelectionModel* selection = Found()->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(Found()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // The texts of one column of the list, top to bottom.
    QStringList Column(int column) {
        QStringList texts;
        for (int row = 0; row < Found()->model()->rowCount(); ++row)
            texts << Found()->model()->index(row, column).data().toString();
        return texts;
    }

    // "&Search" clicked.
    void Search() { QTest::mouseClick(Control<QPushButton>("Button2"), Qt::LeftButton); }
    // A click on the middle of a column's header.
    void ClickHeader(int column) {
        QHeaderView* header = Found()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, header->height() / 2));
    }
    // One row selected and "Details" clicked.
    void ShowDetailsOfRow(int row) {
        SelectRows({row});
        QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
    }
    QString PageLabel(const char* page, const char* name) {
        return ChildOf<QLabel>(*Control<QWidget>(page), name)->text();
    }
    // Replaces the text of a line edit key by key.
    void TypeInto(const QString& edit, const QString& text) {
        auto* box = Control<QLineEdit>(edit);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        TypeText(box, text);
    }
    void ClickRadio(const QString& name) {
        QTest::mouseClick(Control<QRadioButton>(name), Qt::LeftButton);
    }
    // Every message box shown while `action` runs, answered; no other dialog may show.
    template <class Action>
    std::vector<BoxSeen> BoxesOf(Action action) {
        ModalAnswerer answerer;
        action();
        EXPECT_TRUE(answerer.Unexpected().isEmpty())
            << answerer.Unexpected().join(", ").toStdString();
        return answerer.Boxes();
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Writes base + ".tms" and base + ".ros" in the temporary folder; returns the base.
    QString WriteLeague(const QString& base, const leaguegen::League& league) {
        const QString full = Path(base);
        Require(leaguegen::WriteLeague(league, full.toStdString()), "league written");
        return full;
    }
    QString WriteFiles(const QString& base, const std::vector<std::uint8_t>& teams,
                       const std::vector<std::uint8_t>& roster) {
        const QString full = Path(base);
        Require(WriteBytes(full + ".tms", teams) && WriteBytes(full + ".ros", roster),
                "league files written");
        return full;
    }

    // "File" -> "Open File", answering the open dialog with path (or Cancel) and every
    // message box with OK. Returns the boxes shown.
    std::vector<BoxSeen> OpenFile(const std::optional<QString>& path) {
        ModalAnswerer answerer;
        if (path) {
            answerer.AnswerFile(*path);
        } else {
            answerer.CancelFile();
        }
        Action("Filesffnen1")->trigger();
        EXPECT_TRUE(answerer.AllFileAnswersUsed()) << "the open dialog was not shown";
        EXPECT_TRUE(answerer.Unexpected().isEmpty())
            << answerer.Unexpected().join(", ").toStdString();
        return answerer.Boxes();
    }

    // A load that must succeed without any message.
    void LoadLeague(const QString& path) {
        const std::vector<BoxSeen> boxes = OpenFile(path);
        Require(boxes.empty(), "league loads without a message: " +
                                   (boxes.empty() ? std::string() : boxes[0].text.toStdString()));
        Require(Window().League().PlayersPerTeam > 0, "league loaded");
    }

    QStringList FinfoTexts() {
        QStringList texts;
        for (const char* name : {"Label14", "Label15", "Label18", "Label19"})
            texts << ChildOf<QLabel>(Finfo(), name)->text();
        return texts;
    }

    QStringList TeamEntries() {
        auto* cbt = Control<QComboBox>("cbt");
        QStringList entries;
        for (int i = 0; i < cbt->count(); ++i)
            entries << cbt->itemText(i);
        return entries;
    }

    // Every named control of the criteria group and the page control, the groups
    // included; the tab bar's scroll arrows are the tab bar's own.
    QList<QWidget*> PanelAndPageControls() {
        const QStringList tabBarArrows = {"ScrollLeftButton", "ScrollRightButton"};
        QList<QWidget*> controls;
        for (const char* area : {"sc", "pc"}) {
            QWidget* root = Control<QWidget>(area);
            controls << root;
            for (QWidget* w : root->findChildren<QWidget*>()) {
                const QString name = w->objectName();
                // A feature's line in the panel is no control of the panel's own.
                const bool feature = w->property("vantrelFeature").toBool();
                if (!name.isEmpty() && !name.startsWith("qt_") && !tabBarArrows.contains(name) &&
                    !feature)
                    controls << w;
            }
        }
        EXPECT_EQ(controls.size(), 206) << "named controls of the panel and the pages";
        return controls;
    }

    // The names of the controls whose enabled state differs from expected.
    QStringList ControlsNotInState(bool expected) {
        QStringList wrong;
        for (QWidget* w : PanelAndPageControls())
            if (w->isEnabled() != expected)
                wrong << w->objectName();
        return wrong;
    }

    // A user's click on a tri-state checkbox must land on its indicator.
    static void ClickIndicator(QCheckBox* box) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect indicator =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
    }

    QCheckBox* Cbx(int n) { return Control<QCheckBox>("cbx" + QString::number(n)); }
    QSlider* Tbx(int n) { return Control<QSlider>("tbx" + QString::number(n)); }
    QLabel* Lbx(int n) { return Control<QLabel>("lbx" + QString::number(n)); }

    std::unique_ptr<vantrel::Program> program_;
    QTemporaryDir dir_;
};

}  // namespace vantrel::apptest
