#pragma once

// Private to the framework: the model behind a CListCtrl's report view.

#include "ListRowSource.h"
#include "Types.h"

#include <QAbstractTableModel>

#include <deque>
#include <string>
#include <vector>

// The rows of a report list view: either rows of texts of their own, kept in
// a deque so that a row goes in at the top in constant time, or rows shared
// with a CListRowSource, put in all at once with one reset of the model.
class ReportListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    ~ReportListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int InsertColumn(int nCol, const std::string& heading);
    int InsertRow(int nRow, const std::string& text);
    bool SetText(int nRow, int nCol, const std::string& text);
    std::string Text(int nRow, int nCol) const;
    void Clear();
    // Replaces every row with `rows` of `source`, top first.
    void SetSharedRows(const CListRowSource& source, std::vector<CListSharedRow> rows);
    void SetTextColor(COLORREF cr);
    bool HasTextColor() const { return m_bHasColor; }
    COLORREF TextColor() const { return m_color; }

private:
    int CellCount() const;
    // Shared rows become rows of their own texts (before a row or a text is
    // changed one at a time).
    void CopySharedRows();
    void ReleaseSharedRows(std::vector<CListSharedRow>& rows, const CListRowSource* pSource);

    std::vector<std::string> m_headings;
    std::deque<std::vector<std::string>> m_rows;
    const CListRowSource* m_pSource = nullptr;  // set while the rows are m_sharedRows
    std::vector<CListSharedRow> m_sharedRows;
    COLORREF m_color = 0;
    bool m_bHasColor = false;
    bool m_bRepaintPending = false;
};
