#pragma once

#include <QString>

// Wildcards of the CW memories, expanded in three passes: every '$' becomes the other
// station's call, every '#' the serial number (none is ever assigned, so it vanishes), every
// '*' the report, which is "5NN" whenever it is empty or "599". Each value goes in trimmed.
// '!' stays: the sender logs the contact when it gets there.
namespace CwMacros {

QString expand(const QString& message, const QString& hisCall, const QString& number, QString& report);

} // namespace CwMacros
