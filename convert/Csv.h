#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// Comma-separated values as RFC 4180 has them: fields in double quotes may
// hold commas, quotes (doubled) and line breaks; records end with CR LF,
// and LF or a lone CR are taken as well. A UTF-8 byte-order mark at the
// start is skipped. Fields are bytes; nothing is trimmed or converted.

struct CsvRecord {
    int nLine = 0;  // the line the record starts on, from 1
    std::vector<std::string> fields;
};

// What one record may hold. A file past these is hostile or no export:
// refused with its line rather than unpacked into memory piece by piece
// (each field of a line costs far more memory than its bytes).
struct CsvLimits {
    static constexpr std::size_t kMaxFieldBytes = 64u * 1024u * 1024u;   // 64 MiB
    static constexpr std::size_t kMaxRecordBytes = 64u * 1024u * 1024u;  // a line and its fields, 64 MiB
    static constexpr std::size_t kMaxFields = 10000;                     // fields of one line

    std::size_t nMaxFieldBytes = kMaxFieldBytes;
    std::size_t nMaxRecordBytes = kMaxRecordBytes;
    std::size_t nMaxFields = kMaxFields;
};

// Splits `text` into records; empty lines between records are skipped.
// Throws InputRefused naming strFile and the line of a quoted field that
// never closes, of a character after a closing quote, or of a field or a
// record past `limits`. A spreadsheet set to a language that writes decimal
// commas separates fields with ';' instead, which cDelimiter names.
std::vector<CsvRecord> ParseCsv(std::string_view text, const std::string& strFile, char cDelimiter = ',',
                                const CsvLimits& limits = {});

// ';' when the first line separates its names with semicolons and holds no
// comma outside quotes, else ','.
char CsvDelimiterOf(std::string_view text);

// A parsed file whose first record names the columns, so that a column is
// found by its name wherever it stands; names compare without regard to the
// case of ASCII letters ("Title type" is "Title Type").
class CsvTable {
public:
    // Throws InputRefused when the file holds no header, or as ParseCsv.
    CsvTable(std::string_view text, std::string strFile, char cDelimiter = ',', const CsvLimits& limits = {});

    bool HasColumn(const std::string& strName) const;
    // The first of the names that the header holds, else the first name:
    // the same column under the names of different layouts.
    std::string ColumnOf(const std::vector<std::string>& names) const;
    // Throws InputRefused naming the file and the header line when a column
    // is missing.
    void RequireColumns(const std::vector<std::string>& names) const;
    // The field of the named column, empty when the column or the field is missing.
    const std::string& Field(const CsvRecord& record, const std::string& strName) const;
    const std::vector<CsvRecord>& Records() const { return m_records; }
    const std::string& FileName() const { return m_strFile; }

private:
    std::string m_strFile;
    int m_nHeaderLine = 0;
    std::map<std::string, std::size_t> m_columns;
    std::vector<CsvRecord> m_records;  // without the header
};

// Appends one record: each field quoted when it holds a comma, a quote, a
// line break or leading or trailing blanks, the record ended with CR LF.
void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields);

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
