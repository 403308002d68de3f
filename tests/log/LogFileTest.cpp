#include "log/LogFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

ContactRecord sample()
{
    return {"K1ABC", "2A", "CT", "2026/06/27", "18:05:31", "20", "CW", "JS", "14.025"};
}

} // namespace

TEST(LogLineFormat, WritesTenQuotedFieldsAndCrLf)
{
    EXPECT_EQ(
        formatLogLine(sample()),
        QByteArray("\"K1ABC\",\"2A\",\"CT\",\"2026/06/27\",\"18:05:31\",\"20\",\"CW\",\"JS\",\"14.025\",\"\"\r\n"));
    ContactRecord empty;
    EXPECT_EQ(formatLogLine(empty), QByteArray("\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
}

// Quoted or not, nine or ten fields, lower case made capitals; anything else is damage.
TEST(LogLineFormat, ReadsEveryFormAndRefusesDamage)
{
    QByteArray nul("\"K1ABC\",\"2A\",\"CT\",\"2026/06/27\",\"18:05:31\",\"20\",\"CW\",\"\",\"\",\"\"");
    nul[3] = '\0';
    const std::pair<QByteArray, std::optional<ContactRecord>> rows[] = {
        {"\"K1ABC\",\"2A\",\"CT\",\"2026/06/27\",\"18:05:31\",\"20\",\"CW\",\"JS\",\"14.025\",\"whatever\"", sample()},
        {"W1AW,1D,CT,2026/06/27,18:00:00,40,PH,,,",
         ContactRecord{"W1AW", "1D", "CT", "2026/06/27", "18:00:00", "40", "PH", "", ""}},
        {"k1abc,2a,ct,2026/06/27,18:00:00,20,cw,js,,",
         ContactRecord{"K1ABC", "2A", "CT", "2026/06/27", "18:00:00", "20", "CW", "JS", ""}},
        // Nine fields (no tenth) are still a record; a comma inside quotes belongs to the field.
        {"\"A,B\",\"1A\",\"DX\",\"2026/06/27\",\"1:02:03\",\"SAT\",\"DIG\",\"\",\"\"",
         ContactRecord{"A,B", "1A", "DX", "2026/06/27", "1:02:03", "SAT", "DIG", "", ""}},
        {"garbage", {}},
        {"\"K1ABC\",\"2A\"", {}},
        {"\"unterminated,\"2A\",\"CT\",\"d\",\"t\",\"20\",\"CW\",\"\",\"\",\"\"", {}},
        {"\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\",\"i\",\"j\",\"k\"", {}},
        {"K1\"ABC,2A,CT,2026/06/27,18:00:00,20,CW,,,", {}}, // a quote in an unquoted field
        {nul, {}},
        {QByteArray(1'000'000, 'x'), {}},
    };
    for (const auto& [line, want] : rows) {
        ContactRecord r;
        EXPECT_EQ(parseLogLine(line, r), want.has_value()) << line.left(80).toStdString();
        if (want) {
            EXPECT_EQ(r, *want);
        }
    }
}

// What is past the first unreadable line is checked through the logbook's load.
TEST(LogFileIo, ReadsLfOnlyLinesAndRefusesCrOnlyOnes)
{
    TempDataDir dir;
    const QString path = dir.file("fdlog.dat");
    QByteArray good = formatLogLine(sample());
    QByteArray lfOnly = good;
    lfOnly.replace("\r\n", "\n");
    writeBytes(path, lfOnly + lfOnly);
    std::vector<ContactRecord> out;
    EXPECT_EQ(LogFile(path).read(out, 14000).status, LogFile::ReadStatus::Ok);
    EXPECT_EQ(out.size(), 2u);

    // CR-only line ends make one long line of many records: damage, not a hang.
    QByteArray crOnly = good + good;
    crOnly.replace("\r\n", "\r");
    writeBytes(path, crOnly);
    out.clear();
    EXPECT_EQ(LogFile(path).read(out, 14000).status, LogFile::ReadStatus::BadLine);
    EXPECT_TRUE(out.empty());
}
