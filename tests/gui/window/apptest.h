#pragma once

// Support for the window tests: a fixture that runs the real start-up, lookup of controls
// by their names, an answerer for the modal dialogs (the open dialog and the message
// boxes) and small writers for league files in a temporary folder.

#include "gui/window/mainwindow.h"
#include "gui/sidewindows/sidewindows.h"
#include "gui/window/startup.h"

#include "leaguegen.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
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
#include <QTabBar>
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

// Types text into a widget key by key. QTest knows the keys of printable ASCII only; any
// other character goes as a key event that carries it as its text.
inline void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c < 0x7f) {
            QTest::keyClick(widget, static_cast<char>(c));
            continue;
        }
        const qsizetype units = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, units),
                            Qt::NoModifier);
        i += units - 1;
    }
}

// One message box as it was shown.
struct BoxSeen {
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool hasOwner = false;
};

// Answers modal dialogs while a handler runs their event loops. A file dialog (open or
// save) gets the queued answers in order (a path typed into its name box and accepted,
// or nothing for Cancel), its question whether to replace an existing file is answered
// Yes; the input dialog gets its own queued answers (a text typed and accepted, or
// nothing for Cancel) and the text it offered each time is kept; every message box is
// recorded and closed with its OK button. Anything else, or a dialog without a queued
// answer, is recorded as unexpected and rejected so that no test can hang on a dialog.
class ModalAnswerer {
  public:
    ModalAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
        // A timer never fires inside its own handler: this one answers the dialogs that a
        // file dialog opens while the first one accepts it.
        nestedTimer_.setInterval(5);
        QObject::connect(&nestedTimer_, &QTimer::timeout, [this] { Poll(); });
    }

    void AnswerOpen(const QString& path) { openAnswers_.push_back(path); }
    void CancelOpen() { openAnswers_.push_back(std::nullopt); }
    void AnswerInput(const QString& text) { inputAnswers_.push_back(text); }
    void CancelInput() { inputAnswers_.push_back(std::nullopt); }

    const std::vector<BoxSeen>& Boxes() const { return boxes_; }
    const QStringList& Unexpected() const { return unexpected_; }
    bool AllOpenAnswersUsed() const { return openAnswers_.empty(); }
    bool AllInputAnswersUsed() const { return inputAnswers_.empty(); }
    // The text the input dialog offered, once for each time it was shown.
    const QStringList& InputsOffered() const { return inputsOffered_; }

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (openAnswers_.empty()) {
                unexpected_ << "file dialog " + dialog->objectName();
                dialog->reject();
                return;
            }
            const std::optional<QString> answer = openAnswers_.front();
            openAnswers_.pop_front();
            if (!answer) {
                dialog->reject();
                return;
            }
            auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!nameBox) {
                unexpected_ << QStringLiteral("file dialog without fileNameEdit");
                dialog->reject();
                return;
            }
            // The name box must have the focus, or the dialog's file list overwrites it
            // with the names it selects while the path is typed.
            QApplication::setActiveWindow(dialog);
            nameBox->setFocus(Qt::OtherFocusReason);
            nameBox->clear();
            QTest::keyClicks(nameBox, *answer);
            if (nameBox->text() != *answer) {
                unexpected_ << "name box reads " + nameBox->text() + " after typing " + *answer;
                dialog->reject();
                return;
            }
            nestedTimer_.start();
            static_cast<QDialog*>(dialog)->accept();  // the file dialog's override is protected
            nestedTimer_.stop();
            if (dialog->isVisible()) {
                unexpected_ << "open dialog kept open with " + nameBox->text() + " in " +
                                   dialog->directory().path();
                dialog->reject();
            }
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            BoxSeen seen;
            seen.objectName = box->objectName();
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = box->standardButtons();
            seen.hasOwner = box->parentWidget() != nullptr;
            boxes_.push_back(seen);
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
                ok->click();
            } else if (yes && qobject_cast<QFileDialog*>(box->parentWidget())) {
                yes->click();  // replace the file chosen in a save dialog
            } else {
                box->reject();
            }
            return;
        }
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            inputsOffered_ << input->textValue();
            auto* edit = input->findChild<QLineEdit*>();
            if (inputAnswers_.empty() || !edit) {
                unexpected_ << "input dialog " + input->objectName();
                input->reject();
                return;
            }
            const std::optional<QString> answer = inputAnswers_.front();
            inputAnswers_.pop_front();
            if (!answer) {
                input->reject();
                return;
            }
            QApplication::setActiveWindow(input);
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            TypeText(edit, *answer);
            if (edit->text() != *answer) {
                unexpected_ << "input box reads " + edit->text() + " after typing " + *answer;
                input->reject();
                return;
            }
            QTest::keyClick(edit, Qt::Key_Return);
            if (input->isVisible()) {
                unexpected_ << QStringLiteral("input dialog kept open after Enter");
                input->reject();
            }
            return;
        }
        unexpected_ << QString::fromLatin1(modal->metaObject()->className());
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }

    QTimer timer_;
    QTimer nestedTimer_;
    std::deque<std::optional<QString>> openAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;
    QStringList inputsOffered_;
    std::vector<BoxSeen> boxes_;
    QStringList unexpected_;
};

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
    void SelectRows(std::initializer_list<int> rows) {
        QItemSelectionModel* selection = Found()->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(Found()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
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
            answerer.AnswerOpen(*path);
        } else {
            answerer.CancelOpen();
        }
        Action("Filesffnen1")->trigger();
        EXPECT_TRUE(answerer.AllOpenAnswersUsed()) << "the open dialog was not shown";
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

    // Parts of a composite control (the tab bar's arrows, a list's scroll bars) are Qt's.
    static bool IsInsideComposite(const QWidget* widget, const QWidget* root) {
        for (const QWidget* w = widget; w && w != root; w = w->parentWidget()) {
            if (w != widget &&
                (qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w)))
                return true;
            if (qobject_cast<const QTabBar*>(w))
                return true;
        }
        return false;
    }

    // The named controls of the criteria group and the page control, the groups included.
    QList<QWidget*> PanelAndPageControls() {
        QList<QWidget*> controls;
        for (const char* area : {"sc", "pc"}) {
            QWidget* root = Control<QWidget>(area);
            controls << root;
            for (QWidget* w : root->findChildren<QWidget*>()) {
                const QString name = w->objectName();
                if (name.isEmpty() || name.startsWith("qt_") || IsInsideComposite(w, root))
                    continue;
                controls << w;
            }
        }
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
