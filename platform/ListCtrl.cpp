#include "ListCtrl.h"

#include "ReportListModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include <utility>

namespace {
QTableView* View(QWidget* pWidget) { return qobject_cast<QTableView*>(pWidget); }
}  // namespace

ReportListModel* CListCtrl::Model() const
{
    QTableView* view = View(m_pWidget);
    return view ? static_cast<ReportListModel*>(view->model()) : nullptr;
}

unsigned CListCtrl::SetExtendedStyle(unsigned dwNewStyle)
{
    QTableView* view = View(m_pWidget);
    if (!view) return 0;
    const unsigned old = GetExtendedStyle();
    view->setShowGrid((dwNewStyle & LVS_EX_GRIDLINES) != 0);
    view->setSelectionBehavior((dwNewStyle & LVS_EX_FULLROWSELECT) ? QAbstractItemView::SelectRows
                                                                  : QAbstractItemView::SelectItems);
    view->setProperty("extendedStyle", dwNewStyle);
    return old;
}

unsigned CListCtrl::GetExtendedStyle() const
{
    QTableView* view = View(m_pWidget);
    return view ? view->property("extendedStyle").toUInt() : 0;
}

int CListCtrl::InsertColumn(int nCol, const std::string& strHeading, int, int nWidth)
{
    ReportListModel* model = Model();
    if (!model) return -1;
    const int col = model->InsertColumn(nCol, strHeading);
    if (col >= 0) View(m_pWidget)->horizontalHeader()->resizeSection(col, nWidth);
    return col;
}

int CListCtrl::GetColumnCount() const
{
    const ReportListModel* model = Model();
    return model ? model->columnCount() : 0;
}

int CListCtrl::InsertItem(int nItem, const std::string& strItem)
{
    ReportListModel* model = Model();
    return model ? model->InsertRow(nItem, strItem) : -1;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const std::string& strText)
{
    ReportListModel* model = Model();
    return model && model->SetText(nItem, nSubItem, strText) ? TRUE : FALSE;
}

std::string CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    const ReportListModel* model = Model();
    return model ? model->Text(nItem, nSubItem) : std::string();
}

int CListCtrl::GetItemCount() const
{
    const ReportListModel* model = Model();
    return model ? model->rowCount() : 0;
}

BOOL CListCtrl::DeleteAllItems()
{
    ReportListModel* model = Model();
    if (!model) return FALSE;
    model->Clear();
    return TRUE;
}

BOOL CListCtrl::SetSharedRows(const CListRowSource& source, std::vector<CListSharedRow> rows)
{
    ReportListModel* model = Model();
    if (!model) return FALSE;
    model->SetSharedRows(source, std::move(rows));
    return TRUE;
}

BOOL CListCtrl::SetTextColor(COLORREF cr)
{
    ReportListModel* model = Model();
    if (!model) return FALSE;
    model->SetTextColor(cr);
    return TRUE;
}

bool CListCtrl::HasTextColor() const
{
    const ReportListModel* model = Model();
    return model && model->HasTextColor();
}

COLORREF CListCtrl::GetTextColor() const
{
    const ReportListModel* model = Model();
    return model ? model->TextColor() : 0;
}

int CListCtrl::GetNextItem(int nItem, unsigned nFlags) const
{
    QTableView* view = View(m_pWidget);
    if (!view || !(nFlags & LVNI_SELECTED)) return -1;
    int best = -1;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
        const int row = index.row();
        if (row > nItem && (best < 0 || row < best)) best = row;
    }
    return best;
}
