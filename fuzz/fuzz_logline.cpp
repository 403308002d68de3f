// Feeds arbitrary bytes to the log-line reader and the whole-file reader.
#include "log/LogFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ContactRecord r;
    if (parseLogLine(bytes, r)) {
        // Whatever parses must write back as a line that parses to the same record.
        ContactRecord again;
        QByteArray line = formatLogLine(r);
        line.chop(2);
        if (!parseLogLine(line, again) || !(again == r)) {
            // A field holding a quote or a comma cannot round-trip; only those may differ.
            bool special = false;
            for (const QString* f : {&r.call, &r.cls, &r.section, &r.date, &r.time, &r.band, &r.mode, &r.op, &r.freq})
                special = special || f->contains(QLatin1Char('"')) || f->contains(QLatin1Char(','));
            if (!special)
                __builtin_trap();
        }
    }
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fdlog.dat"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(bytes.data(), bytes.size());
        f.close();
        std::vector<ContactRecord> out;
        LogFile(path).read(out, 14000);
    }
    return 0;
}
