#pragma once
// The real services, owned together for the life of the program.
#include "platform/platform.h"
#include "platform/win32/win32_background_work.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_program_starter.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system_queries.h"

namespace rw {

struct Win32Platform {
  Win32Registry registry;
  Win32SystemQueries system;
  Win32FileSystem files;
  Win32MessageBoxes messages;  // owned by no window: for the version refusal
  Win32ProgramStarter programs;
  Win32BackgroundWork background;

  Platform services() { return {registry, system, files, messages, programs, background}; }
};

}  // namespace rw
