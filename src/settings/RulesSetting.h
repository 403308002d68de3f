#pragma once

#include "log/RulesEdition.h"

#include <QString>

// The rules choice of a data folder, kept in its own file beside fdpref.dat so that file keeps
// its 17 lines. One line: the edition's key in double quotes, CR LF.
namespace RulesSetting {

inline constexpr const char* FileName = "fdrules.dat";

QString path(const QString& dataDir);
// The folder's choice; the current rules when the folder has not chosen or the file is unreadable.
RulesEdition read(const QString& dataDir);
// Replaces the file as a whole; false with `error` set when it could not be written.
bool write(const QString& dataDir, RulesEdition edition, QString* error = nullptr);

} // namespace RulesSetting
