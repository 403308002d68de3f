// Holds the data-folder lock of argv[1] until killed: stands in for another running copy of the
// program, or (once killed) for one that crashed. Prints "locked" or "refused".
#include "util/DataFolderLock.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    DataFolderLock lock(QString::fromLocal8Bit(argv[1]));
    const bool locked = lock.tryLock();
    std::printf(locked ? "locked\n" : "refused\n");
    std::fflush(stdout);
    if (!locked)
        return 1;
    // Wait for the parent to kill us; stdin never ends while it lives.
    while (std::getchar() != EOF) {
    }
    return 0;
}
