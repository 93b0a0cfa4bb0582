#pragma once

#include "Wnd.h"

#include <string>

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
    BOOL SetTextColor(COLORREF cr);
    // False while the platform's own window-text colour is in use.
    bool HasTextColor() const;
    COLORREF GetTextColor() const;
    // With LVNI_SELECTED, the first selected row after nItem (-1: from the top).
    int GetNextItem(int nItem, unsigned nFlags) const;

private:
    ReportListModel* Model() const;
};
