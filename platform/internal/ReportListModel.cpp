#include "ReportListModel.h"

#include "QtBridge.h"

#include <QColor>
#include <QTimer>

#include <algorithm>

ReportListModel::~ReportListModel() { ReleaseSharedRows(m_sharedRows, m_pSource); }

int ReportListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return static_cast<int>(m_pSource ? m_sharedRows.size() : m_rows.size());
}

int ReportListModel::CellCount() const { return std::max<int>(static_cast<int>(m_headings.size()), 1); }

void ReportListModel::ReleaseSharedRows(std::vector<CListSharedRow>& rows, const CListRowSource* pSource)
{
    if (pSource)
        for (const CListSharedRow& row : rows) pSource->Release(row.pKey);
    std::vector<CListSharedRow>().swap(rows);  // the memory goes too
}

void ReportListModel::CopySharedRows()
{
    if (!m_pSource) return;
    const int nCells = CellCount();
    for (const CListSharedRow& shared : m_sharedRows) {
        std::vector<std::string> row(static_cast<std::size_t>(nCells));
        for (int nCol = 0; nCol < nCells; ++nCol)
            row[static_cast<std::size_t>(nCol)] = m_pSource->CellText(shared.pKey, shared.nExtra, nCol);
        m_rows.push_back(std::move(row));
    }
    ReleaseSharedRows(m_sharedRows, m_pSource);
    m_pSource = nullptr;
}

void ReportListModel::SetSharedRows(const CListRowSource& source, std::vector<CListSharedRow> rows)
{
    for (const CListSharedRow& row : rows) source.Retain(row.pKey);
    std::vector<CListSharedRow> oldShared;
    const CListRowSource* pOldSource = m_pSource;
    beginResetModel();
    m_rows.clear();
    oldShared.swap(m_sharedRows);
    m_sharedRows = std::move(rows);
    m_pSource = &source;
    endResetModel();
    ReleaseSharedRows(oldShared, pOldSource);
}

int ReportListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return ToQt(Text(index.row(), index.column()));
    if (role == Qt::ForegroundRole && m_bHasColor)
        return QColor(GetRValue(m_color), GetGValue(m_color), GetBValue(m_color));
    return {};
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(m_headings.size())) return {};
    if (role == Qt::DisplayRole) return ToQt(m_headings[static_cast<std::size_t>(section)]);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

int ReportListModel::InsertColumn(int nCol, const std::string& heading)
{
    const int count = static_cast<int>(m_headings.size());
    if (nCol < 0) return -1;
    if (nCol > count) nCol = count;
    CopySharedRows();
    beginInsertColumns({}, nCol, nCol);
    m_headings.insert(m_headings.begin() + nCol, heading);
    for (auto& row : m_rows)
        row.insert(row.begin() + std::min<std::ptrdiff_t>(nCol, static_cast<std::ptrdiff_t>(row.size())),
                   std::string());
    endInsertColumns();
    return nCol;
}

int ReportListModel::InsertRow(int nRow, const std::string& text)
{
    CopySharedRows();
    const int count = static_cast<int>(m_rows.size());
    if (nRow < 0 || nRow > count) nRow = count;
    beginInsertRows({}, nRow, nRow);
    std::vector<std::string> row(std::max<std::size_t>(m_headings.size(), 1));
    row[0] = text;
    m_rows.insert(m_rows.begin() + nRow, std::move(row));
    endInsertRows();
    return nRow;
}

bool ReportListModel::SetText(int nRow, int nCol, const std::string& text)
{
    CopySharedRows();
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size()) || nCol < 0) return false;
    auto& row = m_rows[static_cast<std::size_t>(nRow)];
    if (nCol >= static_cast<int>(row.size())) return false;
    row[static_cast<std::size_t>(nCol)] = text;
    // One repaint for every text set in this turn of the event loop: a
    // signal per cell would cost more than filling a long list itself.
    if (!m_bRepaintPending) {
        m_bRepaintPending = true;
        QTimer::singleShot(0, this, [this] {
            m_bRepaintPending = false;
            if (rowCount() > 0)
                emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
        });
    }
    return true;
}

std::string ReportListModel::Text(int nRow, int nCol) const
{
    if (m_pSource) {
        if (nRow < 0 || nRow >= static_cast<int>(m_sharedRows.size()) || nCol < 0 || nCol >= CellCount()) return {};
        const CListSharedRow& row = m_sharedRows[static_cast<std::size_t>(nRow)];
        return m_pSource->CellText(row.pKey, row.nExtra, nCol);
    }
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size()) || nCol < 0) return {};
    const auto& row = m_rows[static_cast<std::size_t>(nRow)];
    return nCol < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(nCol)] : std::string();
}

void ReportListModel::Clear()
{
    if (rowCount() == 0) return;
    std::vector<CListSharedRow> oldShared;
    const CListRowSource* pOldSource = m_pSource;
    beginResetModel();
    m_rows.clear();
    oldShared.swap(m_sharedRows);
    m_pSource = nullptr;
    endResetModel();
    ReleaseSharedRows(oldShared, pOldSource);
}

void ReportListModel::SetTextColor(COLORREF cr)
{
    m_color = cr;
    m_bHasColor = true;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ForegroundRole});
}
