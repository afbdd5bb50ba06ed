#pragma once
// The services the program needs of Windows, handed to the logic as one bundle.
#include "platform/background_work.h"
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
  // Where the program runs what can go on beside it; at once where not given.
  BackgroundWork& background = WorkAtOnce::Shared();
};

// The same services with message boxes of a window's own.
inline Platform WithMessages(const Platform& platform, MessageBoxes& messages) {
  return {platform.registry, platform.system, platform.files, messages, platform.programs, platform.background};
}

}  // namespace rw
