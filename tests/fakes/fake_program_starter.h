#pragma once
#include <string>
#include <vector>

#include "platform/program_starter.h"

namespace rw {

// Records the paths it was asked to start.
class FakeProgramStarter : public ProgramStarter {
 public:
  std::vector<std::string> started;
  bool succeeds = true;

  bool Start(const std::string& path) override {
    started.push_back(path);
    return succeeds;
  }
};

}  // namespace rw
