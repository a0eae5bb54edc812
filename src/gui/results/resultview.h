#pragma once

// The report list of the result page: its look, whole-row copying (Ctrl+C, and
// Ctrl+Shift+C with the column captions), the context menu, the two ways a user asks
// for a player's details on the list itself (double-click anywhere on it, Enter),
// comparing the selected players (Ctrl+Shift+M, or the menu) and finding players like the
// first selected one (Ctrl+Shift+L, or the menu). It knows nothing of the window; the
// window connects detailsRequested(), compareRequested() and similarRequested().

#include <QList>
#include <QTableView>

class QAction;

namespace vantrel {

class ResultModel;

class ResultView : public QTableView {
    Q_OBJECT
  public:
    explicit ResultView(QWidget* parent = nullptr);

    // The list shows a ResultModel; column widths are set from it.
    void setModel(QAbstractItemModel* model) override;

    // The selected rows, each once, top to bottom as the list shows them.
    QList<int> SelectedRows() const;
    // How many rows SelectedRows() gives, without a list of them.
    int SelectedRowCount() const;
    // The first selected row as the list shows them, -1 for none.
    int FirstSelectedRow() const;

    // Puts the selected rows on the clipboard (nothing when none is selected).
    void CopySelectedRows(bool withHeaders);

    // The actions on the selected rows, for menus elsewhere that offer them too.
    QAction* DetailsAction() const { return detailsAction_; }
    QAction* CompareAction() const { return compareAction_; }
    QAction* FindSimilarAction() const { return findSimilarAction_; }

  signals:
    // A double-click anywhere on the list (on a row or below the last one), Enter, or the
    // action "Details1" ("Details" in the context menu).
    void detailsRequested();
    // Ctrl+Shift+M or the action "Compare1" ("Compare" in the context menu), whatever the
    // number of rows selected.
    void compareRequested();
    // Ctrl+Shift+L or the action "FindSimilar1" ("Find Similar" in the context menu),
    // whatever the number of rows selected.
    void similarRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FitRowHeight();
    void FitColumnWidths(int first, int last);
    QAction* AddCopyAction(const QString& text, const QKeySequence& keys, bool withHeaders);
    QAction* AddRowsAction(const QString& text, const char* objectName, const QKeySequence& keys);

    QAction* copyAction_ = nullptr;
    QAction* copyWithHeadersAction_ = nullptr;
    QAction* detailsAction_ = nullptr;
    QAction* compareAction_ = nullptr;
    QAction* findSimilarAction_ = nullptr;
};

}  // namespace vantrel
