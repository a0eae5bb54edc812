#pragma once

// Answers the modal dialogs a handler opens (file dialogs, message boxes, the input
// dialog) as a user would, for the window tests, the benchmarks and the screenshots.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <deque>
#include <optional>
#include <vector>

namespace vantrel::testsupport {

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

// One progress dialog of long work as it was shown.
struct ProgressSeen {
    QString text;
    int maximum = 0;  // 0 for a busy bar
    bool cancellable = false;
};

// Answers modal dialogs while a handler runs their event loops. A file dialog (open or
// save) gets the queued answers in order (a path typed into its name box and accepted,
// or nothing for Cancel), its question whether to replace an existing file is answered
// Yes; the input dialog gets its own queued answers (a text typed and accepted, or
// nothing for Cancel) and the text it offered each time is kept; every message box is
// recorded and closed with its OK button; every progress dialog is recorded when it shows
// and left to run, or cancelled at once when asked. Anything else, or a dialog without a queued
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
        // A progress dialog may come and go between two polls: it is seen as it shows.
        qApp->installEventFilter(&progressWatch_);
    }

    void AnswerFile(const QString& path) { fileAnswers_.push_back(path); }
    void CancelFile() { fileAnswers_.push_back(std::nullopt); }
    void AnswerInput(const QString& text) { inputAnswers_.push_back(text); }
    void CancelInput() { inputAnswers_.push_back(std::nullopt); }
    void CancelProgress() { progressWatch_.cancel = true; }
    const std::vector<ProgressSeen>& Progresses() const { return progressWatch_.seen; }

    const std::vector<BoxSeen>& Boxes() const { return boxes_; }
    const QStringList& Unexpected() const { return unexpected_; }
    bool AllFileAnswersUsed() const { return fileAnswers_.empty(); }
    bool AllInputAnswersUsed() const { return inputAnswers_.empty(); }
    // The text the input dialog offered, once for each time it was shown.
    const QStringList& InputsOffered() const { return inputsOffered_; }
    // When the last file dialog was accepted, for timing what its choice starts.
    std::chrono::steady_clock::time_point FileAccepted() const { return fileAccepted_; }

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->objectName() == "progressDialog")
            return;
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            AnswerFileDialog(dialog);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            AnswerBox(box);
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            AnswerInputDialog(input);
        } else {
            unexpected_ << QString::fromLatin1(modal->metaObject()->className());
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
            else
                modal->close();
        }
    }

    // Takes the next queued answer into `answer`; false for a Cancel and when none is
    // queued (that one recorded as unexpected).
    static bool Next(std::deque<std::optional<QString>>& answers, QStringList& unexpected,
                     const QString& what, QString& answer) {
        if (answers.empty()) {
            unexpected << what;
            return false;
        }
        const bool given = answers.front().has_value();
        if (given)
            answer = *answers.front();
        answers.pop_front();
        return given;
    }

    // Types the answer into `edit` as a user would; false (recorded) when it reads otherwise.
    bool TypeInto(QWidget* dialog, QLineEdit* edit, const QString& answer) {
        // The box must have the focus, or a file dialog's list overwrites it with the
        // names it selects while the path is typed.
        QApplication::setActiveWindow(dialog);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        TypeText(edit, answer);
        if (edit->text() == answer)
            return true;
        unexpected_ << "box reads " + edit->text() + " after typing " + answer;
        return false;
    }

    void AnswerFileDialog(QFileDialog* dialog) {
        QString answer;
        const bool given =
            Next(fileAnswers_, unexpected_, "file dialog " + dialog->objectName(), answer);
        auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (given && !nameBox)
            unexpected_ << QStringLiteral("file dialog without fileNameEdit");
        if (!given || !nameBox || !TypeInto(dialog, nameBox, answer)) {
            dialog->reject();
            return;
        }
        nestedTimer_.start();
        fileAccepted_ = std::chrono::steady_clock::now();
        static_cast<QDialog*>(dialog)->accept();  // the file dialog's override is protected
        nestedTimer_.stop();
        if (dialog->isVisible()) {
            unexpected_ << "file dialog kept open with " + nameBox->text() + " in " +
                               dialog->directory().path();
            dialog->reject();
        }
    }

    void AnswerBox(QMessageBox* box) {
        boxes_.push_back(BoxSeen{box->objectName(), box->windowTitle(), box->text(), box->icon(),
                                 box->standardButtons(), box->parentWidget() != nullptr});
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else if (yes && qobject_cast<QFileDialog*>(box->parentWidget()))
            yes->click();  // replace the file chosen in a save dialog
        else
            box->reject();
    }

    void AnswerInputDialog(QInputDialog* input) {
        inputsOffered_ << input->textValue();
        QString answer;
        const bool given =
            Next(inputAnswers_, unexpected_, "input dialog " + input->objectName(), answer);
        auto* edit = input->findChild<QLineEdit*>();
        if (given && !edit)
            unexpected_ << QStringLiteral("input dialog without a line edit");
        if (!given || !edit || !TypeInto(input, edit, answer)) {
            input->reject();
            return;
        }
        QTest::keyClick(edit, Qt::Key_Return);
        if (input->isVisible()) {
            unexpected_ << QStringLiteral("input dialog kept open after Enter");
            input->reject();
        }
    }

    struct ProgressWatch : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() != QEvent::Show || watched->objectName() != "progressDialog")
                return false;
            auto* text = watched->findChild<QLabel*>(QStringLiteral("progressText"));
            auto* bar = watched->findChild<QProgressBar*>(QStringLiteral("progressBar"));
            auto* button = watched->findChild<QPushButton*>();
            seen.push_back(ProgressSeen{text ? text->text() : QString(), bar ? bar->maximum() : -1,
                                        button != nullptr});
            if (cancel && button)
                button->click();
            return false;
        }
        bool cancel = false;
        std::vector<ProgressSeen> seen;
    };

    QTimer timer_;
    QTimer nestedTimer_;
    ProgressWatch progressWatch_;
    std::deque<std::optional<QString>> fileAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;
    QStringList inputsOffered_;
    std::vector<BoxSeen> boxes_;
    QStringList unexpected_;
    std::chrono::steady_clock::time_point fileAccepted_;
};

}  // namespace vantrel::testsupport
