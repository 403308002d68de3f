#include "cli/StderrDialogs.h"

#include "cli/CliReporter.h"

void StderrDialogs::message(const QString& text, const QString& title, Icon icon)
{
    m_reporter.note(title.isEmpty() ? text : title + QStringLiteral(": ") + text);
    m_warned = m_warned || icon == Icon::Warning;
}
