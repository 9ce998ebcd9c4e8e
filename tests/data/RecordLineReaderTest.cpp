#include "data/RecordLineReader.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/CorpusFiles.h"
#include "support/ScopedTempFolder.h"

namespace {

std::vector<std::string> Texts(const std::string& buffer)
{
    std::vector<std::string> texts;
    for (const RecordLine& line : RecordLineReader(buffer).ReadAll())
        texts.push_back(line.Text());
    return texts;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(RecordLineReaderFile, HolidayFileAsWritten)
{
    // Ends with "; --" and no line end, as the holiday list is saved.
    const std::string file = "; -- Holidaylist / Feiertagsliste \n"
                             "; -- [item][yyyy/mm/dd][name][regi]\n"
                             "; --\n"
                             "[HD][2002/12/25][Weihnachten]\n"
                             "[HD][2002/12/26][2. Weihnachtstag]\n"
                             "; --\n"
                             "[HD][2003/01/01][Neujahr]\n"
                             "; --";
    const std::vector<RecordLine> lines = RecordLineReader(file).ReadAll();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].Text(), "; -- Holidaylist / Feiertagsliste ");
    EXPECT_EQ(lines[7].Text(), "; --");

    std::vector<Strings> records;
    for (const RecordLine& line : lines)
        if (!line.IsComment() && line.HasTag("[HD]"))
            records.push_back(line.Fields());
    const std::vector<Strings> expected = {{"2002/12/25", "Weihnachten"},
                                           {"2002/12/26", "2. Weihnachtstag"},
                                           {"2003/01/01", "Neujahr"}};
    EXPECT_EQ(records, expected);

    // The header names the fields in brackets, yet is a comment.
    EXPECT_TRUE(lines[1].IsComment());
    EXPECT_TRUE(lines[1].HasTag("[regi]"));
}

TEST(RecordLineReaderFile, OpensFilesAndReportsMissingOnes)
{
    ScopedTempFolder folder;
    folder.Write("holiday.vth", "; --\r\n[HD][2003/01/01][Neujahr]\r\n; --");
    std::optional<RecordLineReader> reader = RecordLineReader::Open(folder / "holiday.vth");
    ASSERT_TRUE(reader.has_value());
    const std::vector<RecordLine> lines = reader->ReadAll();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].Fields(), (Strings{"2003/01/01", "Neujahr"}));

    EXPECT_FALSE(RecordLineReader::Open(folder / "missing.vth").has_value());
    EXPECT_FALSE(RecordLineReader::Open(folder.Path().string()).has_value()); // a folder
}

TEST(RecordLineReaderLines, LineEndsAndTheLastLine)
{
    struct Case
    {
        std::string buffer;
        Strings lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"\n", {""}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb\r", {"a", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\rb\n", {"a\rb"}}, // only a '\r' before the line end goes
        {"a\r\r\n", {"a\r"}}, // and only one
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(c.buffer), c.lines) << testing::PrintToString(c.buffer);
}

TEST(RecordLineReaderLines, LongLinesAreReadOnAsFurtherLines)
{
    const size_t max = RecordLineReader::kMaxLineLength;
    ASSERT_EQ(max, 253u);

    std::string long600;
    for (int i = 0; i < 600; ++i)
        long600 += char('a' + i % 26);
    const Strings pieces = Texts(long600 + "\nnext");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0], long600.substr(0, 253));
    EXPECT_EQ(pieces[1], long600.substr(253, 253));
    EXPECT_EQ(pieces[2], long600.substr(506));
    EXPECT_EQ(pieces[3], "next");

    // The line end does not count: exactly 253 characters stay one line,
    // 506 make two, with no empty piece after them.
    EXPECT_EQ(Texts(std::string(253, 'x') + "\r\ny").size(), 2u);
    EXPECT_EQ(Texts(std::string(254, 'x') + "\ny"), (Strings{std::string(253, 'x'), "x", "y"}));
    EXPECT_EQ(Texts(std::string(506, 'x')).size(), 2u);

    // Each piece is a line of its own: a piece starting with ';' is a
    // comment, one starting with a tag is a record.
    std::string comment = "; [HD][x]";
    comment.resize(253, ' ');
    const std::string record = std::string(253, ' ') + comment + "[HD][2002/12/25][Weihnachten]";
    const std::vector<RecordLine> lines = RecordLineReader(record).ReadAll();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FALSE(lines[0].IsComment());
    EXPECT_TRUE(lines[1].IsComment());
    EXPECT_TRUE(lines[1].HasTag("[HD]"));
    EXPECT_FALSE(lines[2].IsComment());
    EXPECT_EQ(lines[2].Fields(), (Strings{"2002/12/25", "Weihnachten"}));
}

TEST(RecordLineFields, ReadFromColumnFiveToEachClosingBracket)
{
    struct Case
    {
        std::string line;
        Strings fields;
    };
    const Case cases[] = {
        {"[IT][new_002][ali_002][-----------]", {"new_002", "ali_002", "-----------"}},
        {"[HD][2002/12/25][Weihnachten", {"2002/12/25"}}, // missing ']' ends the fields
        {"[HD][2002/12/25", {}},
        {"[HD][  2002/1/5][ Neujahr ]", {"  2002/1/5", " Neujahr "}}, // never trimmed
        {"[HD][][]", {"", ""}},
        {"[HD][a]xb]", {"a", "b"}}, // two characters skipped, whatever they are
        {"[HD][a]", {"a"}},         // nothing after the last ']'
        {"[HD][a] ", {"a"}},
        {"[HD][a][b]] trailing", {"a", "b"}}, // "] " skipped, no further ]
        {"[HD][a][b][c][d]xyz", {"a", "b", "c", "d"}},
        {"[HD][a[b]", {"a[b"}},
        {"", {}},
        {"[HD]", {}},
        {"[HD]]", {}}, // the ']' before column 5 is not a field end
        {"[HD][", {}},
        {"no brackets at all, a long line of text", {}},
        {std::string("[HD][\0a]", 8), {std::string("\0a", 2)}},
    };
    for (const Case& c : cases) {
        const RecordLine line(c.line);
        EXPECT_EQ(line.Fields(), c.fields) << c.line;
        // Field(n) agrees with Fields() and ends where it ends.
        for (size_t i = 0; i < c.fields.size(); ++i)
            EXPECT_EQ(line.Field(int(i) + 1), c.fields[i]) << c.line << " field " << i + 1;
        EXPECT_EQ(line.Field(int(c.fields.size()) + 1), std::nullopt) << c.line;
        EXPECT_EQ(line.Field(0), std::nullopt);
        EXPECT_EQ(line.Field(-1), std::nullopt);
    }
}

TEST(RecordLineFields, RestAfterAField)
{
    // The worker reader looks at what follows the fourth field to decide
    // whether a fifth (multiuse) is there.
    const RecordLine worker("[IT][new_002][ali_002][-----------][1][0]");
    EXPECT_EQ(worker.Rest(4), "0]");
    EXPECT_EQ(worker.Rest(5), "");
    EXPECT_EQ(worker.Rest(6), std::nullopt);
    EXPECT_EQ(worker.Rest(0), "new_002][ali_002][-----------][1][0]");
    EXPECT_EQ(worker.Rest(-1), std::nullopt);
    EXPECT_EQ(RecordLine("[IT][a][b][c][1]").Rest(4), "");
    EXPECT_EQ(RecordLine("[IT][a][b][c][1]x").Rest(4), "");
    EXPECT_EQ(RecordLine("[IT][a][b][c][1]xy").Rest(4), "y");
    EXPECT_EQ(RecordLine("[IT]").Rest(0), "");
}

TEST(RecordLineTags, FoundAnywhereCommentsByFirstCharacter)
{
    EXPECT_TRUE(RecordLine("[HD][2002/12/25][x]").HasTag("[HD]"));
    EXPECT_TRUE(RecordLine("x [HD]").HasTag("[HD]"));
    EXPECT_FALSE(RecordLine("[HD").HasTag("[HD]"));
    EXPECT_FALSE(RecordLine("[hd][x]").HasTag("[HD]"));
    EXPECT_FALSE(RecordLine("[HD]").HasTag(nullptr));
    EXPECT_FALSE(RecordLine("").HasTag("[HD]"));

    // A commented-out record still holds its tag; readers skip comments first.
    const RecordLine commented("; [HD][2002/12/25][Weihnachten]");
    EXPECT_TRUE(commented.IsComment());
    EXPECT_TRUE(commented.HasTag("[HD]"));
    EXPECT_TRUE(RecordLine(";").IsComment());
    EXPECT_FALSE(RecordLine(" ; --").IsComment());
    EXPECT_FALSE(RecordLine("").IsComment());
}

// The fuzz target's seeds and every kept regression file: lines fit, and
// Field(n) agrees with Fields() on each of them.
TEST(RecordLineReaderFile, KeptInputsReadWhole)
{
    const auto files = CorpusFiles({"fuzz/corpus/record_line_reader", "tests/data/regressions"});
    EXPECT_GT(files.size(), 5u);
    for (const CorpusFile& file : files) {
        size_t records = 0;
        for (const RecordLine& line : RecordLineReader(file.bytes).ReadAll()) {
            EXPECT_LE(line.Text().size(), RecordLineReader::kMaxLineLength) << file.name;
            EXPECT_EQ(line.Text().find('\n'), std::string::npos) << file.name;
            const Strings fields = line.Fields();
            for (size_t i = 0; i < fields.size(); ++i)
                EXPECT_EQ(line.Field(int(i) + 1), fields[i]) << file.name;
            EXPECT_EQ(line.Field(int(fields.size()) + 1), std::nullopt) << file.name;
            records += !line.IsComment() && !fields.empty();
        }
        // Seeds are real files; a crasher may hold no record at all.
        if (file.name.starts_with("fuzz/")) {
            EXPECT_GT(records, 0u) << file.name;
        }
    }
}
