// The table of gridkit's commands, in the order of the general help: one line a command, each
// defined beside its run function in gridkit/commands/NAME.cc.
#include <array>
#include <span>

#include "gridkit/commands.h"

namespace gridkit {

extern const Command kStatsCommand;
extern const Command kPngCommand;
extern const Command kAscCommand;
extern const Command kHydmodCommand;
extern const Command kObsCommand;
extern const Command kDiffCommand;
extern const Command kCheckCommand;
extern const Command kImpactsCommand;
extern const Command kObsImpactsCommand;
extern const Command kMf6RchaCommand;
extern const Command kNetcdfCommand;
extern const Command kRchCommand;
extern const Command kMfarrayCommand;
extern const Command kExplainCommand;
extern const Command kPestInsCommand;
extern const Command kPestTplCommand;

namespace {

// clang-format off
const std::array kCommands = {
    kStatsCommand,
    kPngCommand,
    kAscCommand,
    kHydmodCommand,
    kObsCommand,
    kDiffCommand,
    kCheckCommand,
    kImpactsCommand,
    kObsImpactsCommand,
    kMf6RchaCommand,
    kNetcdfCommand,
    kRchCommand,
    kMfarrayCommand,
    kExplainCommand,
    kPestInsCommand,
    kPestTplCommand,
};
// clang-format on

}  // namespace

std::span<const Command> commands() { return kCommands; }

}  // namespace gridkit
