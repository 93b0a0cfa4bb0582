#pragma once

#include <QTableView>

// The report list view's keys and focus: the row is the unit. The whole row
// carries the focus mark and the selection; Up and Down move by row, Home
// and End go to the first and last row, Left and Right scroll sideways
// instead of moving between cells.
class ReportListView : public QTableView {
public:
    explicit ReportListView(QWidget* pParent);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void paintEvent(QPaintEvent* event) override;
};
