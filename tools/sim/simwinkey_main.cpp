// fdlog-simwinkey [--char-ms N] [--silent]: the simulated WinKeyer of the tests on a
// pseudo-terminal, for trying the keyer settings and fdlog-cli cw without the device. Prints
// the terminal's path, then answers until interrupted.
#include "sim/SimulatedWinKey.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SimulatedWinKey keyer;
    keyer.charMs = 400; // about 20 WPM
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--silent"))
            keyer.silent = true;
        else if (args[i] == QLatin1String("--char-ms") && i + 1 < args.size())
            keyer.charMs = args[++i].toInt();
        else {
            std::fprintf(stderr, "usage: fdlog-simwinkey [--char-ms N] [--silent]\n");
            return 2;
        }
    }
    if (!keyer.isValid()) {
        std::fprintf(stderr, "fdlog-simwinkey: no pseudo-terminal available\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(keyer.device()));
    std::fflush(stdout);
    return app.exec();
}
