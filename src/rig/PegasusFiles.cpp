#include "rig/PegasusFiles.h"

#include "rig/RigFrames.h"

#include <QFile>
#include <QSaveFile>

bool writePegasusIn(const QString& folder, Frequency frequency, const QString& lastMode)
{
    QSaveFile f(folder + QStringLiteral("/PEGASUS.IN"));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(RigFrames::pegasusInText(frequency, lastMode));
    return f.commit();
}

RigReading readPegasusOut(const QString& folder)
{
    QFile f(folder + QStringLiteral("/PEGASUS.OUT"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    // Two short fields; anything longer is not the control program's file.
    return RigParsers::parsePegasusOut(f.read(256));
}
