#include "ListCtrl.h"

#include "DialogWindow.h"
#include "ReportListModel.h"
#include "ReportListView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include <utility>

QTableView* CListCtrl::View() const
{
    auto* view = qobject_cast<QTableView*>(m_pWidget);
    AfxAssertAttached(view != nullptr, "CListCtrl");
    return view;
}

ReportListModel* CListCtrl::Model() const { return static_cast<ReportListModel*>(View()->model()); }

unsigned CListCtrl::SetExtendedStyle(unsigned dwNewStyle)
{
    QTableView* view = View();
    const unsigned old = GetExtendedStyle();
    view->setShowGrid((dwNewStyle & LVS_EX_GRIDLINES) != 0);
    view->setSelectionBehavior((dwNewStyle & LVS_EX_FULLROWSELECT) ? QAbstractItemView::SelectRows
                                                                   : QAbstractItemView::SelectItems);
    view->setProperty("extendedStyle", dwNewStyle);
    return old;
}

unsigned CListCtrl::GetExtendedStyle() const { return View()->property("extendedStyle").toUInt(); }

int CListCtrl::InsertColumn(int nCol, const std::string& strHeading, int, int nWidth)
{
    const int col = Model()->InsertColumn(nCol, strHeading);
    if (col >= 0) View()->horizontalHeader()->resizeSection(col, qRound(nWidth * PixelScaleOf(View())));
    return col;
}

int CListCtrl::GetColumnCount() const { return Model()->columnCount(); }

int CListCtrl::InsertItem(int nItem, const std::string& strItem) { return Model()->InsertRow(nItem, strItem); }

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const std::string& strText)
{
    return Model()->SetText(nItem, nSubItem, strText) ? TRUE : FALSE;
}

std::string CListCtrl::GetItemText(int nItem, int nSubItem) const { return Model()->Text(nItem, nSubItem); }

int CListCtrl::GetItemCount() const { return Model()->rowCount(); }

void CListCtrl::ScrollToStart() const
{
    if (auto* view = dynamic_cast<ReportListView*>(View())) view->ScrollToStart();
}

BOOL CListCtrl::DeleteAllItems()
{
    Model()->Clear();
    // An empty list shows its first row and column when it fills again: the
    // view would otherwise keep its place, as the new rows come in before it
    // has seen the list empty.
    ScrollToStart();
    return TRUE;
}

BOOL CListCtrl::SetSharedRows(const CListRowSource& source, std::vector<CListSharedRow> rows)
{
    Model()->SetSharedRows(source, std::move(rows));
    ScrollToStart();
    return TRUE;
}

BOOL CListCtrl::SetTextColor(COLORREF cr)
{
    Model()->SetTextColor(cr);
    return TRUE;
}

bool CListCtrl::HasTextColor() const { return Model()->HasTextColor(); }

COLORREF CListCtrl::GetTextColor() const { return Model()->TextColor(); }

int CListCtrl::GetNextItem(int nItem, unsigned nFlags) const
{
    QTableView* view = View();
    if (!(nFlags & LVNI_SELECTED)) return -1;
    int best = -1;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
        const int row = index.row();
        if (row > nItem && (best < 0 || row < best)) best = row;
    }
    return best;
}
