// Rig replies are whatever comes down the cable: every family's parser, the Pegasus file and the
// band plan reader must take any bytes without crashing.
#include "rig/BandPlanLookup.h"
#include "rig/RigCatalog.h"
#include "rig/RigFrames.h"
#include "rig/RigParsers.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const RigModel& m : RigCatalog::models()) {
        for (int last = 0; last < 2; ++last) {
            const ParseContext ctx{m.family, QString::fromLatin1(m.freqCommand), QString::fromLatin1(m.modeCommand),
                                   last};
            const RigReading r = RigParsers::parseReply(ctx, bytes);
            if (r.frequency)
                (void)r.frequency->toReadout();
        }
    }
    (void)RigParsers::parsePegasusOut(bytes);
    const BandPlanLookup plan = BandPlanLookup::parse(bytes);
    (void)plan.modeWordFor(Frequency::fromHz(14200000));
    const QString text = QString::fromLatin1(bytes);
    (void)RigFrames::HexPairsToBytes(text);
    (void)RigFrames::spacedHexToBytes(text);
    return 0;
}
