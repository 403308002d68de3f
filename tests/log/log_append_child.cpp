// Appends numbered contacts to the log file named on the command line until killed, and
// writes "N\n" to stdout after the append of contact N has returned.
#include "log/LogFile.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const LogFile file(QString::fromLocal8Bit(argv[1]));
    for (int n = 1;; ++n) {
        const ContactRecord r{
            QStringLiteral("K%1").arg(n), "2A", "CT", "2026/06/27", "18:05:31", "20", "CW", "JS", "14.025"};
        if (!file.append(r))
            return 1;
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
}
