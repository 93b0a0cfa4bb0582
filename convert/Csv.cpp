#include "Csv.h"

#include "InputRefused.h"
#include "TextTools.h"

namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Takes one line end (CR LF, LF or CR) at `pos`, counting the line.
void SkipLineEnd(std::string_view text, std::size_t& pos, int& nLine)
{
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
        ++pos;
    }
    ++pos;
    ++nLine;
}

void CountLines(std::string_view field, int& nLine)
{
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\n' || (field[i] == '\r' && (i + 1 == field.size() || field[i + 1] != '\n'))) {
            ++nLine;
        }
    }
}

std::string Trimmed(const std::string& s)
{
    const std::size_t nFirst = s.find_first_not_of(" \t");
    if (nFirst == std::string::npos) {
        return {};
    }
    return s.substr(nFirst, s.find_last_not_of(" \t") - nFirst + 1);
}

void CheckFieldSize(std::size_t nBytes, const CsvLimits& limits, const std::string& strFile, int nLine)
{
    if (nBytes > limits.nMaxFieldBytes) {
        throw InputRefused(strFile, nLine, "a field larger than " + SizeText(limits.nMaxFieldBytes));
    }
}

std::string Lowered(std::string s)
{
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

}  // namespace

std::vector<CsvRecord> ParseCsv(std::string_view text, const std::string& strFile, char cDelimiter,
                                const CsvLimits& limits)
{
    if (text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    std::vector<CsvRecord> records;
    std::size_t pos = 0;
    int nLine = 1;
    while (pos < text.size()) {
        if (IsLineEnd(text[pos])) {  // an empty line
            SkipLineEnd(text, pos, nLine);
            continue;
        }
        CsvRecord record;
        record.nLine = nLine;
        const std::size_t nRecordStart = pos;
        while (true) {
            if (record.fields.size() == limits.nMaxFields) {
                throw InputRefused(strFile, record.nLine,
                                   "a line of more than " + std::to_string(limits.nMaxFields) + " fields");
            }
            std::string field;
            if (pos < text.size() && text[pos] == '"') {
                const int nFieldLine = nLine;
                ++pos;
                while (true) {
                    const std::size_t nQuote = text.find('"', pos);
                    if (nQuote == std::string_view::npos) {
                        throw InputRefused(strFile, nFieldLine, "a quoted field that is never closed");
                    }
                    CheckFieldSize(field.size() + (nQuote - pos), limits, strFile, nFieldLine);
                    field.append(text.substr(pos, nQuote - pos));
                    pos = nQuote + 1;
                    if (pos < text.size() && text[pos] == '"') {  // a doubled quote
                        field += '"';
                        ++pos;
                        continue;
                    }
                    break;
                }
                CountLines(field, nLine);
                if (pos < text.size() && text[pos] != cDelimiter && !IsLineEnd(text[pos])) {
                    throw InputRefused(strFile, nLine, "a character after the closing quote of a field");
                }
            } else {
                const char stops[] = {cDelimiter, '\r', '\n', '\0'};
                const std::size_t nEnd = text.find_first_of(stops, pos);
                const std::size_t nStop = nEnd == std::string_view::npos ? text.size() : nEnd;
                CheckFieldSize(nStop - pos, limits, strFile, nLine);
                field.assign(text.substr(pos, nStop - pos));
                pos = nStop;
            }
            record.fields.push_back(std::move(field));
            if (pos - nRecordStart > limits.nMaxRecordBytes) {
                throw InputRefused(strFile, record.nLine, "a line larger than " + SizeText(limits.nMaxRecordBytes));
            }
            if (pos < text.size() && text[pos] == cDelimiter) {
                ++pos;
                continue;
            }
            if (pos < text.size()) {
                SkipLineEnd(text, pos, nLine);
            }
            break;
        }
        records.push_back(std::move(record));
    }
    return records;
}

char CsvDelimiterOf(std::string_view text)
{
    bool bQuoted = false;
    bool bSemicolon = false;
    for (const char c : text) {
        if (c == '"') {
            bQuoted = !bQuoted;
        } else if (!bQuoted && (c == '\r' || c == '\n')) {
            break;
        } else if (!bQuoted && c == ',') {
            return ',';
        } else if (!bQuoted && c == ';') {
            bSemicolon = true;
        }
    }
    return bSemicolon ? ';' : ',';
}

CsvTable::CsvTable(std::string_view text, std::string strFile, char cDelimiter, const CsvLimits& limits)
    : m_strFile(std::move(strFile))
{
    m_records = ParseCsv(text, m_strFile, cDelimiter, limits);
    if (m_records.empty()) {
        throw InputRefused(m_strFile, 1, "no header line");
    }
    m_nHeaderLine = m_records.front().nLine;
    const std::vector<std::string>& header = m_records.front().fields;
    for (std::size_t i = 0; i < header.size(); ++i) {
        m_columns.emplace(Lowered(Trimmed(header[i])), i);  // the first of two equal names wins
    }
    m_records.erase(m_records.begin());
}

bool CsvTable::HasColumn(const std::string& strName) const { return m_columns.contains(Lowered(strName)); }

std::string CsvTable::ColumnOf(const std::vector<std::string>& names) const
{
    for (const std::string& strName : names) {
        if (HasColumn(strName)) {
            return strName;
        }
    }
    return names.front();
}

void CsvTable::RequireColumns(const std::vector<std::string>& names) const
{
    for (const std::string& strName : names) {
        if (!HasColumn(strName)) {
            throw InputRefused(m_strFile, m_nHeaderLine, "no column \"" + strName + "\" in the header");
        }
    }
}

const std::string& CsvTable::Field(const CsvRecord& record, const std::string& strName) const
{
    static const std::string kEmpty;
    const auto it = m_columns.find(Lowered(strName));
    if (it == m_columns.end() || it->second >= record.fields.size()) {
        return kEmpty;
    }
    return record.fields[it->second];
}

void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        const std::string& field = fields[i];
        const bool bQuote = field.find_first_of(",\"\r\n") != std::string::npos ||
                            (!field.empty() && (field.front() == ' ' || field.back() == ' ' || field.front() == '\t' ||
                                                field.back() == '\t'));
        if (!bQuote) {
            out += field;
            continue;
        }
        out += '"';
        for (const char c : field) {
            if (c == '"') {
                out += '"';
            }
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
}
