// libFuzzer target: the ADIF reader takes whatever bytes another program left in a file.
#include "reports/AdifReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto records = readAdif(bytes, (size & 1) != 0);
    // Every record must be a usable contact: touching each field catches views past the end.
    qsizetype total = 0;
    for (const auto& r : records)
        total += r.call.size() + r.band.size() + r.mode.size() + r.date.size() + r.time.size() + r.freq.size();
    return total < 0 ? 1 : 0;
}
