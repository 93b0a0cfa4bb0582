#include "Csv.h"

#include "InputRefused.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using Fields = std::vector<std::string>;

TEST(CsvTest, QuotedFieldsHoldCommasQuotesAndLineBreaks)
{
    const std::string text = std::string(kUtf8Bom) +
                             "a,b,c\r\n"
                             "\"x, y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n"
                             "\n"
                             "1,,\"\"\n"
                             "last,\"lone\rcr\",end";
    const std::vector<CsvRecord> records = ParseCsv(text, "t.csv");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].fields, (Fields{"a", "b", "c"}));
    EXPECT_EQ(records[1].fields, (Fields{"x, y", "say \"hi\"", "two\r\nlines"}));
    EXPECT_EQ(records[2].fields, (Fields{"1", "", ""}));
    EXPECT_EQ(records[3].fields, (Fields{"last", "lone\rcr", "end"}));
    // Line numbers count the breaks inside quoted fields and the empty line.
    EXPECT_EQ(records[1].nLine, 2);
    EXPECT_EQ(records[2].nLine, 5);
    EXPECT_EQ(records[3].nLine, 6);
}

TEST(CsvTest, RefusalsNameTheLine)
{
    const auto lineOf = [](const std::string& text) {
        try {
            ParseCsv(text, "t.csv");
        } catch (const InputRefused& refused) {
            EXPECT_EQ(refused.File(), "t.csv");
            return refused.Line();
        }
        return 0;
    };
    EXPECT_EQ(lineOf("a,b\r\n1,2\r\n3,\"never\r\nclosed\r\n"), 3);
    EXPECT_EQ(lineOf("a,b\n\"multi\nline\"x,2\n"), 3);  // a character after the closing quote
    EXPECT_THROW(CsvTable("", "t.csv"), InputRefused);
    EXPECT_THROW(CsvTable("a,b\n1,2\n", "t.csv").RequireColumns({"b", "c"}), InputRefused);
}

TEST(CsvTest, ColumnsAreFoundByName)
{
    const CsvTable table("Year, Title ,Year\n1999,Solaris\n", "t.csv");
    ASSERT_EQ(table.Records().size(), 1u);
    const CsvRecord& record = table.Records()[0];
    EXPECT_EQ(table.Field(record, "Title"), "Solaris");
    EXPECT_EQ(table.Field(record, "Year"), "1999");  // the first of two equal names
    EXPECT_EQ(table.Field(record, "Directors"), "");
    EXPECT_FALSE(table.HasColumn("Directors"));
}

// Whatever bytes the fields hold, what the writer writes parses back to
// the same fields.
TEST(CsvTest, WrittenRecordsParseBack)
{
    std::mt19937 random(16);
    const std::string alphabet = "ab ,\"\r\n\t\xC3\xA9";
    std::vector<Fields> written;
    std::string text;
    for (int i = 0; i < 300; ++i) {
        Fields fields(1 + random() % 5);
        for (std::string& field : fields) {
            for (unsigned n = random() % 8; n > 0; --n) {
                field += alphabet[random() % alphabet.size()];
            }
        }
        if (fields.size() == 1 && fields[0].empty()) {
            fields[0] = "x";  // an empty record would be an empty line
        }
        AppendCsvRecord(text, fields);
        written.push_back(fields);
    }
    const std::vector<CsvRecord> records = ParseCsv(text, "t.csv");
    ASSERT_EQ(records.size(), written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(records[i].fields, written[i]) << "record " << i;
    }
}

// A field, a line or a count of fields past the reader's limits is refused
// with the line it starts on; up to the limits the same text reads. The
// limits are lowered here so the inputs stay small.
TEST(CsvTest, HostileSizesAreRefusedWithTheirLine)
{
    CsvLimits limits;
    limits.nMaxFieldBytes = 8;
    limits.nMaxRecordBytes = 24;
    limits.nMaxFields = 4;
    const auto refusal = [&limits](const std::string& text) -> std::string {
        try {
            ParseCsv(text, "hostile.csv", ',', limits);
        } catch (const InputRefused& refused) {
            return refused.what();
        }
        return "read";
    };
    EXPECT_EQ(refusal("a,b\n12345678,\"1234\"\"567\"\n"), "read");  // 8 bytes each, the quote unpacked
    EXPECT_EQ(refusal("a,b\n\n123456789,x\n"), "hostile.csv, line 3: a field larger than 8 bytes");
    EXPECT_EQ(refusal("a\n\"12\n34\n56789\"\n"), "hostile.csv, line 2: a field larger than 8 bytes");
    EXPECT_EQ(refusal("a,b,c,d\n"), "read");
    EXPECT_EQ(refusal("h\n1\n2,\"x\ny\",z,w,v\n"), "hostile.csv, line 3: a line of more than 4 fields");
    EXPECT_EQ(refusal("12345678,12345678,123456\n"), "read");  // 24 bytes with its commas
    EXPECT_EQ(refusal("h\n12345678,12345678,1234567\n"), "hostile.csv, line 2: a line larger than 24 bytes");
    // The table reads through the same limits.
    EXPECT_THROW(CsvTable("a\n123456789\n", "t.csv", ',', limits), InputRefused);

    // At the real limits: a line of commas alone, which costs a string per
    // field, is refused long before the memory goes.
    EXPECT_EQ(CsvLimits{}.nMaxFieldBytes, 64u * 1024u * 1024u);
    try {
        ParseCsv("a\n" + std::string(CsvLimits::kMaxFields, ','), "commas.csv");
        ADD_FAILURE() << "a line of 10001 fields was read";
    } catch (const InputRefused& refused) {
        EXPECT_STREQ(refused.what(), "commas.csv, line 2: a line of more than 10000 fields");
    }
}
