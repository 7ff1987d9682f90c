// The table of gridkit's commands, in the order of the general help: one line a command, each
// defined beside its run function in gridkit/commands/NAME.cc as kNAMECommand.
#include <array>
#include <span>

#include "gridkit/commands.h"

// clang-format off
#define GRIDKIT_COMMANDS(COMMAND) \
  COMMAND(kStatsCommand)          \
  COMMAND(kPngCommand)            \
  COMMAND(kAscCommand)            \
  COMMAND(kHydmodCommand)         \
  COMMAND(kObsCommand)            \
  COMMAND(kDiffCommand)           \
  COMMAND(kCheckCommand)          \
  COMMAND(kImpactsCommand)        \
  COMMAND(kObsImpactsCommand)     \
  COMMAND(kMf6RchaCommand)        \
  COMMAND(kNetcdfCommand)         \
  COMMAND(kRchCommand)            \
  COMMAND(kMfarrayCommand)        \
  COMMAND(kExplainCommand)        \
  COMMAND(kPestInsCommand)        \
  COMMAND(kPestTplCommand)
// clang-format on

namespace gridkit {

// Each command's entry, defined in its own file.
#define GRIDKIT_DECLARE_COMMAND(ENTRY) extern const Command ENTRY;
GRIDKIT_COMMANDS(GRIDKIT_DECLARE_COMMAND)
#undef GRIDKIT_DECLARE_COMMAND

namespace {

#define GRIDKIT_TABLE_LINE(ENTRY) ENTRY,
const std::array kCommands = {GRIDKIT_COMMANDS(GRIDKIT_TABLE_LINE)};
#undef GRIDKIT_TABLE_LINE

}  // namespace

std::span<const Command> commands() { return kCommands; }

}  // namespace gridkit
