// fdlog-cli check: what would be wrong with the entry as it stands, before it is sent in.
#include "cli/CliCommand.h"
#include "cli/CliReporter.h"

#include "log/ContactLog.h"
#include "log/LogFile.h"
#include "log/SectionTable.h"
#include "reports/EntryCheck.h"

#include <cstdio>

namespace {

// Findings are not a failure of the command, but a script must be able to tell them apart.
constexpr int ExitFindings = 3;

int runCheck(const CliArgs& a, CliReporter& r)
{
    const QString logPath = a.dataDir + QStringLiteral("/fdlog.dat");
    std::vector<ContactRecord> records;
    const LogFile::ReadResult read = LogFile(logPath).read(records, ContactLog::Capacity);
    if (read.status == LogFile::ReadStatus::OpenFailed)
        return r.fail(QStringLiteral("cannot read %1: %2").arg(logPath, read.error));
    if (read.status != LogFile::ReadStatus::Ok)
        return r.fail(QStringLiteral("%1: line %2 is not a log record").arg(logPath).arg(read.badLine));
    const std::vector<Finding> findings = checkEntry(records, a.rules, SectionTable::forEdition(a.rules));
    for (const Finding& f : findings)
        std::printf("%s\n", qPrintable(findingLine(f)));
    std::printf("%zu findings\n", findings.size());
    return findings.empty() ? ExitOk : ExitFindings;
}

} // namespace

std::vector<CliCommand> checkCommands()
{
    return {{"check",
             {},
             {},
             "Lists every contact with a retired or unknown section, a bad class, a dupe, a band Field Day does "
             "not count or a time outside the event period, one line each: record, code, call, detail. Exit 3 "
             "when there are findings.",
             runCheck}};
}
