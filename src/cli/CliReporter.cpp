#include "cli/CliReporter.h"

#include <cstdio>

void CliReporter::note(const QString& text) const
{
    std::fprintf(stderr, "fdlog-cli: %s\n", qPrintable(text));
}

int CliReporter::fail(const QString& text) const
{
    note(text);
    return ExitFailure;
}

int CliReporter::usageError(const QString& text) const
{
    note(text);
    std::fprintf(stderr, "usage: %s\n", qPrintable(m_usage));
    return ExitBadUsage;
}
