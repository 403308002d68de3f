#pragma once

#include <QByteArray>
#include <QProcess>
#include <QSignalSpy>
#include <QStringList>

// One run of fdlog-cli as a separate process, the way a station's script runs it.
struct CliRun {
    int exitCode = -1; // -1: it did not finish in time and was killed
    QByteArray out;
    QByteArray err;
};

// Run in `workingDir` (empty: this process's own) with exactly these arguments.
inline CliRun runCliIn(const QString& workingDir, const QString& program, const QStringList& args,
                       int timeoutMs = 40000)
{
    QProcess p;
    p.setWorkingDirectory(workingDir);
    p.start(program, args);
    QSignalSpy finished(&p, &QProcess::finished);
    CliRun r;
    if (!finished.wait(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

inline CliRun runCliProgram(const QString& program, const QStringList& args, const QString& dataDir,
                            int timeoutMs = 40000)
{
    return runCliIn({}, program, QStringList{"--data", dataDir} + args, timeoutMs);
}
