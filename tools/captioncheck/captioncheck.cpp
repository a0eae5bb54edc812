// Checks that no caption of the search criteria panel is cut off with the fonts this
// machine has: starts the program's windows as the program does and, for every label,
// check box, radio button, push button and group box title inside the group box "sc",
// compares the width of its text in its own font with the room the control gives it.
// Prints each clipped caption and exits 1 if there is one. Never installed: the package
// check runs it on a machine that has only the fonts the package pulled in.
//
//   captioncheck [--shot WINDOW FILE]   (under an X server; --shot first saves the X
//                                        window WINDOW, e.g. the installed program's, as
//                                        a PNG)

#include "gui/window/startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

void Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The caption as drawn: "&x" shows as x (a mnemonic), "&&" as "&".
QString Shown(const QString& text, bool mnemonics) {
    if (!mnemonics)
        return text;
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

int WidestLine(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// The part of `rect` (in w's coordinates) that its parents up to `panel` leave visible.
QRect VisiblePart(const QWidget* w, QRect rect, const QWidget* panel) {
    for (const QWidget* p = w; p != panel && p->parentWidget(); p = p->parentWidget()) {
        rect.translate(p->pos());
        rect &= p->parentWidget()->rect();
    }
    return rect;
}

// The rectangle a control's text is drawn in, in the control's coordinates.
QRect TextRoom(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->contentsRect();
    QStyleOptionButton option;
    option.initFrom(w);
    if (const auto* check = qobject_cast<const QCheckBox*>(w))
        return w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    if (const auto* radio = qobject_cast<const QRadioButton*>(w))
        return w->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
    const auto* push = qobject_cast<const QPushButton*>(w);
    return w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
}

// The title's room: from where the style puts it to the box's right edge, where it is cut.
QRect TitleRoom(const QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    return QRect(label.left(), label.top(), std::max(0, box->width() - label.left()),
                 label.height());
}

struct Caption {
    QString text;
    QRect room;
};

// The caption of a control this check measures; an empty text for any other widget.
Caption CaptionOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->wordWrap() || label->text().isEmpty())
            return {};
        return {Shown(label->text(), label->buddy() != nullptr), TextRoom(w)};
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(w))
        return {Shown(box->title(), true), TitleRoom(box)};
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    if (!button || !(qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w) ||
                     qobject_cast<const QPushButton*>(w)))
        return {};
    return {Shown(button->text(), true), TextRoom(w)};
}

// Prints each clipped caption inside `panel` (the panel's own title included); returns
// how many captions were measured and how many of them are clipped.
std::pair<int, int> CheckPanel(const QWidget* panel) {
    QList<const QWidget*> widgets{panel};
    for (const QWidget* child : panel->findChildren<QWidget*>())
        widgets << child;
    int measured = 0;
    int clipped = 0;
    for (const QWidget* w : widgets) {
        const Caption caption = CaptionOf(w);
        if (caption.text.isEmpty() || !w->isVisibleTo(panel->window()))
            continue;
        ++measured;
        const int needs = WidestLine(w->fontMetrics(), caption.text);
        const int has = VisiblePart(w, caption.room, panel).width();
        if (needs > has) {
            ++clipped;
            std::printf("clipped: %s \"%s\" needs %d px, has %d px\n", qPrintable(w->objectName()),
                        qPrintable(caption.text), needs, has);
        }
    }
    return {measured, clipped};
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    bool windowId = false;
    if (args.size() == 4 && args[1] == QLatin1String("--shot")) {
        const WId window = args[2].toULongLong(&windowId, 0);  // as xwininfo prints it: 0x...
        const bool saved =
            windowId && QGuiApplication::primaryScreen()->grabWindow(window).save(args[3]);
        std::printf("%s %s\n", saved ? "window saved as" : "could not save", qPrintable(args[3]));
        if (!saved)
            return 2;
    } else if (args.size() != 1) {
        std::fprintf(stderr, "usage: captioncheck [--shot WINDOW FILE]\n");
        return 2;
    }
    auto program = vantrel::StartUp();
    Wait(300);  // shown and laid out
    const QGroupBox* panel = nullptr;
    for (const QWidget* top : QApplication::topLevelWidgets())
        panel = panel ? panel : top->findChild<QGroupBox*>(QStringLiteral("sc"));
    if (!panel) {
        std::fprintf(stderr, "captioncheck: no group box \"sc\" in any window\n");
        return 2;
    }
    const auto [measured, clipped] = CheckPanel(panel);
    std::printf("captioncheck: %d of %d captions clipped; window font %s %d pt\n", clipped,
                measured, qPrintable(QFontInfo(panel->font()).family()),
                QFontInfo(panel->font()).pointSize());
    return clipped == 0 && measured > 0 ? 0 : 1;
}
