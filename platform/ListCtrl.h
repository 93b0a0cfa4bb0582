#pragma once

#include "ListRowSource.h"
#include "Wnd.h"

#include <string>
#include <vector>

class QTableView;
class ReportListModel;

// The report list view: columns, rows of texts, one text colour.
class CListCtrl : public CWnd {
public:
    unsigned SetExtendedStyle(unsigned dwNewStyle);
    unsigned GetExtendedStyle() const;
    int InsertColumn(int nCol, const std::string& strHeading, int nFormat, int nWidth);
    int GetColumnCount() const;
    // Inserts a row whose column 0 holds strItem at nItem; returns its index.
    int InsertItem(int nItem, const std::string& strItem);
    BOOL SetItemText(int nItem, int nSubItem, const std::string& strText);
    std::string GetItemText(int nItem, int nSubItem) const;
    int GetItemCount() const;
    BOOL DeleteAllItems();
    // Replaces every row with rows read from `source`, top first, in one go;
    // the rows share their texts with the source instead of copying them.
    // The source must outlive the rows (a static object, for instance).
    BOOL SetSharedRows(const CListRowSource& source, std::vector<CListSharedRow> rows);
    BOOL SetTextColor(COLORREF cr);
    // False while the platform's own window-text colour is in use.
    bool HasTextColor() const;
    COLORREF GetTextColor() const;
    // With LVNI_SELECTED, the first selected row after nItem (-1: from the top).
    int GetNextItem(int nItem, unsigned nFlags) const;

private:
    // The view and model attached; using the wrapper before DDX_Control
    // attached it is a programming error and stops the program.
    QTableView* View() const;
    ReportListModel* Model() const;
    void ScrollToStart() const;
};
