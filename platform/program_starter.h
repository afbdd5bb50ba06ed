#pragma once
// Starting another program.
#include <string>

namespace rw {

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Starts the program at exactly |path| (never split at a blank) in a
  // normal window, without waiting. False when it could not be started.
  virtual bool Start(const std::string& path) = 0;
};

}  // namespace rw
