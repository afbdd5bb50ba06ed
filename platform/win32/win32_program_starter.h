#pragma once
#include "platform/program_starter.h"

namespace rw {

class Win32ProgramStarter : public ProgramStarter {
 public:
  bool Start(const std::string& path) override;
};

}  // namespace rw
