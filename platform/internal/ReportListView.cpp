#include "ReportListView.h"

#include <QKeyEvent>
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

void ReportListView::ScrollToStart()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
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
        horizontalScrollBar()->triggerAction(cursorAction == MoveLeft ? QAbstractSlider::SliderSingleStepSub
                                                                      : QAbstractSlider::SliderSingleStepAdd);
        return current.isValid() ? current : rows->index(0, 0);
    case MoveNext:
    case MovePrevious:
        // What the toolkit asks for when the view takes the focus without a
        // current row: the row the focus mark goes to, the view left where
        // it stands.
        return current.isValid() ? current : rows->index(0, 0);
    default: {
        const QModelIndex moved = QTableView::moveCursor(cursorAction, modifiers);
        return moved.isValid() ? rows->index(moved.row(), 0) : moved;
    }
    }
}

void ReportListView::keyPressEvent(QKeyEvent* event)
{
    // Home and End select their row alone and show it, whatever the current
    // row: the toolkit does nothing when the row they name is already the
    // current one, as the first row is once the view has had the focus.
    const bool home = event->key() == Qt::Key_Home;
    if ((home || event->key() == Qt::Key_End) && event->modifiers() == Qt::NoModifier && model() &&
        model()->rowCount() > 0) {
        const QModelIndex target = model()->index(home ? 0 : model()->rowCount() - 1, 0);
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        // Up or down to the row; sideways the view stays where it is.
        const int sideways = horizontalScrollBar()->value();
        scrollTo(target);
        horizontalScrollBar()->setValue(sideways);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
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
