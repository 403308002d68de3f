#pragma once

#include "util/Dialogs.h"

class CliReporter;

// The domain's messages to the operator, without a window: each becomes a line on stderr and
// nothing is ever asked (a question is answered No, a file dialog is cancelled).
class StderrDialogs final : public Dialogs {
public:
    explicit StderrDialogs(const CliReporter& reporter) : m_reporter(reporter) {}

    void message(const QString& text, const QString& title, Icon icon) override;
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    void beep() override {}

    // A warning was given (replies the rig poller cannot read, a lost port): no point waiting on.
    bool warned() const { return m_warned; }

private:
    const CliReporter& m_reporter;
    bool m_warned = false;
};
