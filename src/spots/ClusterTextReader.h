#pragma once

#include "spots/LineSplitter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Cluster text as a telnet or TNC source receives it: cut into lines, with a login prompt (text
// without a line end asking for the call) noticed once, and dropped from the buffer once the
// operator answers it, so the answer's echo and the next line are not glued to it.
class ClusterTextReader {
public:
    // The complete lines the bytes finish.
    QStringList feed(const QByteArray& bytes);
    // The waiting prompt, the first time it is asked for after it arrived.
    std::optional<QString> takePrompt();
    // The operator sent a line.
    void lineSent();
    void clear();

private:
    LineSplitter m_splitter;
    bool m_prompted = false; // the pending text was already reported as a prompt
};
