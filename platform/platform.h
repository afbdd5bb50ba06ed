#pragma once
// The services the program needs of Windows, handed to the logic as one bundle.
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/program_starter.h"
#include "platform/registry.h"
#include "platform/system_queries.h"

namespace rw {

struct Platform {
  Registry& registry;
  SystemQueries& system;
  FileSystem& files;
  MessageBoxes& messages;
  ProgramStarter& programs;
};

}  // namespace rw
