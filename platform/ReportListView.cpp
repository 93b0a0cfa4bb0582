#include "ReportListView.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

namespace {
// Cells draw no focus mark of their own: the view draws one round the row.
class RowFocusDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
    }
};
}  // namespace

ReportListView::ReportListView(QWidget* pParent) : QTableView(pParent)
{
    setItemDelegate(new RowFocusDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

QModelIndex ReportListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QAbstractItemModel* rows = model();
    if (!rows || rows->rowCount() == 0) return {};
    const QModelIndex current = currentIndex();
    switch (cursorAction) {
    case MoveHome:
        return rows->index(0, 0);
    case MoveEnd:
        return rows->index(rows->rowCount() - 1, 0);
    case MoveLeft:
    case MoveRight:
    case MoveNext:
    case MovePrevious:
        horizontalScrollBar()->triggerAction(cursorAction == MoveLeft || cursorAction == MovePrevious
                                                 ? QAbstractSlider::SliderSingleStepSub
                                                 : QAbstractSlider::SliderSingleStepAdd);
        return current.isValid() ? current : rows->index(0, 0);
    default: {
        const QModelIndex moved = QTableView::moveCursor(cursorAction, modifiers);
        return moved.isValid() ? rows->index(moved.row(), 0) : moved;
    }
    }
}

void ReportListView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || !model()) return;
    const int lastColumn = model()->columnCount() - 1;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = visualRect(model()->index(current.row(), 0)) |
                  visualRect(model()->index(current.row(), std::max(0, lastColumn)));
    option.backgroundColor = palette().color(QPalette::Base);
    QPainter painter(viewport());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
