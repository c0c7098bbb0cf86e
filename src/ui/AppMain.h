#pragma once

namespace hoplark {

// The program's entry: start-up, the main window until it closes, then the end procedure.
int AppMain(int argc, char** argv);

} // namespace hoplark
