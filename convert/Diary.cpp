#include "Diary.h"

#include "Csv.h"
#include "InputRefused.h"
#include "TextTools.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>
#include <tuple>

namespace {

const std::vector<std::string> kHeader = {"list", "original title", "year", "date", "rewatch", "source"};

constexpr const char* kSeenName = "vazute";
constexpr const char* kToSeeName = "de vazut";

bool IsDigits(std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos; }

// The fields of a row as the file writes them.
std::vector<std::string> FieldsOf(const Diary::Row& row)
{
    return {row.bSeen ? kSeenName : kToSeeName, row.strTitle, row.strYear, row.strDate,
            row.bRewatch ? "1" : "0",           row.strSource};
}

using RowKey = std::tuple<bool, std::string, std::string, std::string, bool, std::string>;

RowKey KeyOf(const Diary::Row& row)
{
    return {row.bSeen, row.strTitle, row.strYear, row.strDate, row.bRewatch, row.strSource};
}

// A free name to set a damaged file aside under: nothing is written over.
std::string FreeDamagedName(const std::string& strPath)
{
    std::error_code ec;
    std::string strName = strPath + ".damaged";
    for (int n = 1; std::filesystem::exists(strName, ec); ++n) {
        strName = strPath + ".damaged." + std::to_string(n);
    }
    return strName;
}

}  // namespace

bool IsDiaryDate(const std::string& strDate)
{
    if (strDate.size() != 10 || strDate[4] != '-' || strDate[7] != '-' ||
        !IsDigits(std::string_view(strDate).substr(0, 4)) || !IsDigits(std::string_view(strDate).substr(5, 2)) ||
        !IsDigits(std::string_view(strDate).substr(8, 2))) {
        return false;
    }
    const int nYear = std::stoi(strDate.substr(0, 4));
    const int nMonth = std::stoi(strDate.substr(5, 2));
    const int nDay = std::stoi(strDate.substr(8, 2));
    if (nYear < 1 || nMonth < 1 || nMonth > 12 || nDay < 1) {
        return false;
    }
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    return nDay <= kDays[nMonth - 1] + (nMonth == 2 && bLeap ? 1 : 0);
}

std::string DiaryDateOf(const std::string& strStamp)
{
    const std::string strDay = TrimBlanks(strStamp).substr(0, 10);
    return IsDiaryDate(strDay) ? strDay : std::string();
}

void Diary::Load(const std::string& strDir)
{
    const std::string strPath = strDir + "/" + kFileName;
    std::error_code ec;
    if (!std::filesystem::exists(strPath, ec)) {
        return;
    }
    try {
        const CsvTable table(ReadWholeFile(strPath), strPath);
        table.RequireColumns(kHeader);
        for (const CsvRecord& record : table.Records()) {
            const std::string& strList = table.Field(record, "list");
            const std::string& strRewatch = table.Field(record, "rewatch");
            Row row{strList == kSeenName,        table.Field(record, "original title"),
                    table.Field(record, "year"), table.Field(record, "date"),
                    strRewatch == "1",           table.Field(record, "source")};
            std::string strWhy;
            if (strList != kSeenName && strList != kToSeeName) {
                strWhy = "the list is \"" + strList + "\", not \"vazute\" or \"de vazut\"";
            } else if (TrimBlanks(row.strTitle).empty()) {
                strWhy = "no original title";
            } else if (!IsDiaryDate(row.strDate)) {
                strWhy = "the date is \"" + row.strDate + "\", not a day written YYYY-MM-DD";
            } else if (strRewatch != "0" && strRewatch != "1") {
                strWhy = "rewatch is \"" + strRewatch + "\", not 0 or 1";
            }
            if (strWhy.empty()) {
                m_rows.push_back(std::move(row));
            } else {
                m_faults.push_back(strPath + ", line " + std::to_string(record.nLine) + ": " + strWhy +
                                   "; the row is kept and not counted");
                m_kept.push_back(record.fields);
            }
        }
    } catch (const InputRefused& refused) {
        m_rows.clear();
        m_kept.clear();
        m_faults.clear();
        m_bDamaged = true;
        m_strProblem = std::string(refused.what()) + "; the diary is not read, and a new " + kFileName +
                       " written by an import keeps the old one beside it";
    }
}

int Diary::Merge(const std::vector<Row>& rows)
{
    // How many times the diary holds each viewing: an import adds only the
    // viewings it brings more often than that.
    std::map<RowKey, int> held;
    for (const Row& row : m_rows) ++held[KeyOf(row)];
    int nAdded = 0;
    for (const Row& row : rows) {
        int& nHeld = held[KeyOf(row)];
        if (nHeld > 0) {
            --nHeld;
            continue;
        }
        m_rows.push_back(row);
        ++nAdded;
    }
    m_bChanged = m_bChanged || nAdded > 0;
    return nAdded;
}

void Diary::Add(const Row& row)
{
    m_rows.push_back(row);
    m_bChanged = true;
}

void Diary::Move(bool bFromSeen, const std::string& strTitle, const std::string& strYear)
{
    for (Row& row : m_rows) {
        if (row.bSeen == bFromSeen && row.strTitle == strTitle && row.strYear == strYear) {
            row.bSeen = !bFromSeen;
            m_bChanged = true;
        }
    }
}

bool Diary::Save(const std::string& strDir) const
{
    const std::string strPath = strDir + "/" + kFileName;
    if (m_bDamaged) {
        std::error_code ec;
        std::filesystem::rename(strPath, FreeDamagedName(strPath), ec);
        if (ec) return false;
    }
    std::vector<const Row*> sorted;
    sorted.reserve(m_rows.size());
    for (const Row& row : m_rows) sorted.push_back(&row);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Row* a, const Row* b) { return a->strDate < b->strDate; });
    std::string out;
    AppendCsvRecord(out, kHeader);
    for (const Row* pRow : sorted) AppendCsvRecord(out, FieldsOf(*pRow));
    for (const std::vector<std::string>& fields : m_kept) AppendCsvRecord(out, fields);
    return WriteWholeFile(strPath, out);
}
