// fdlog-simrig FAMILY [MHZ]: one of the simulated transceivers of the tests on a pseudo-terminal,
// for trying the rig window without a radio. Prints the terminal's path, then answers as that
// radio until interrupted.
#include "sim/SimulatedRig.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

struct Family {
    const char* name;
    SimulatedRig::Kind kind;
    const char* rigListEntry; // what to choose in Rig Interface Setup
};

constexpr Family kFamilies[] = {
    {"kenwood", SimulatedRig::Kind::Kenwood, "Kenwood"},
    {"kenwood-if", SimulatedRig::Kind::KenwoodIF, "Kenwood 2"},
    {"ftdx9000", SimulatedRig::Kind::Ftdx9000, "Yaesu FTdx9000"},
    {"icom", SimulatedRig::Kind::Icom, "Icom"},
    {"icom735", SimulatedRig::Kind::Icom735, "Icom 735"},
    {"omnivi", SimulatedRig::Kind::OmniVI, "Ten Tec Omni VI"},
    {"yaesu", SimulatedRig::Kind::Yaesu, "Yaesu"},
    {"yaesu757", SimulatedRig::Kind::Yaesu757, "Yaesu 757 GX II"},
    {"yaesu890", SimulatedRig::Kind::Yaesu890, "Yaesu 890"},
    {"yaesu920", SimulatedRig::Kind::Yaesu920, "Yaesu 920"},
    {"yaesu990", SimulatedRig::Kind::Yaesu990, "Yaesu 990"},
    {"yaesu1000", SimulatedRig::Kind::Yaesu1000, "Yaesu 1000"},
    {"orion", SimulatedRig::Kind::Orion, "Ten Tec Orion"},
    {"frontpanel", SimulatedRig::Kind::FrontPanel, "Ten Tec Fnt Pnl"},
};

int usage()
{
    std::fprintf(stderr, "usage: fdlog-simrig FAMILY [MHZ]\nfamilies (rig list entry to choose):\n");
    for (const Family& f : kFamilies)
        std::fprintf(stderr, "  %-11s %s\n", f.name, f.rigListEntry);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.size() > 2)
        return usage();
    const Family* family = nullptr;
    for (const Family& f : kFamilies) {
        if (args[0].compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            family = &f;
    }
    if (!family)
        return usage();
    SimulatedRig rig(family->kind);
    if (args.size() == 2) {
        bool ok = false;
        const double mhz = args[1].toDouble(&ok);
        if (!ok || mhz <= 0)
            return usage();
        rig.hz = qRound64(mhz * 1e6);
    }
    if (!rig.isValid()) {
        std::fprintf(stderr, "fdlog-simrig: no pseudo-terminal available\n");
        return 1;
    }
    // The path alone on stdout, so scripts can read it; the hint goes to stderr.
    std::printf("%s\n", qPrintable(rig.device()));
    std::fflush(stdout);
    std::fprintf(stderr, "fdlog-simrig: answering as \"%s\" on port %s; Ctrl+C ends it\n", family->rigListEntry,
                 qPrintable(rig.device()));
    return app.exec();
}
