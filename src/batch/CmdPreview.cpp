#include "batch/BatchCommand.h"

namespace hoplark {

// Seam: this command lands with its own work; until then it says so and fails.
int CmdPreview(BatchContext& ctx) {
    ctx.err << "hoplark-batch: this command is not available yet\n";
    return 3;
}

} // namespace hoplark
