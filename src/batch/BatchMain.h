#pragma once

namespace hoplark {

// hoplark-batch: dispatches the first argument to a command.
int BatchMain(int argc, char** argv);

} // namespace hoplark
