#include "cli/CliCommand.h"

std::vector<CliCommand> rigCommands() { return {}; }
