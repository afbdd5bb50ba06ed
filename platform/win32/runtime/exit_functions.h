#pragma once
// Functions registered with atexit, run once when the program ends.

namespace rw {

void RunExitFunctions();

}  // namespace rw
