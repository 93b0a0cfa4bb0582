#pragma once

// Private to the framework: the view of a CListCtrl's report list.

#include <QTableView>

// The report list view's keys and focus: the row is the unit. The whole row
// carries the focus mark and the selection; Up and Down move by row, Home
// and End select the first and last row and show it, Left and Right scroll
// sideways instead of moving between cells. The view moves sideways for
// Left and Right only: never when it takes the focus.
class ReportListView : public QTableView {
public:
    explicit ReportListView(QWidget* pParent);

    // Back to the first row and the first column, as after the list was
    // emptied.
    void ScrollToStart();

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
