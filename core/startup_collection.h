#pragma once
// The startup inventory: both Run keys and the Startup folder(s).
#include <string>

#include "core/startup_list_sink.h"
#include "platform/platform.h"

namespace rw {

extern const char RunKeyPath[];  // below both hives

extern const char kWin9xStartupFolder[];
extern const char kNtAllUsersStartupFolder[];
// The NT per-user folder for |userName| (empty names are used as they are).
std::string NtUserStartupFolder(const std::string& userName);

// Appends one row per startup entry, then finishes the list. Never clears it.
void LoadStartupItems(const Platform& platform, StartupListSink& sink);

// The two halves of a load. A load cut short still ends with the second.
void AppendStartupItems(const Platform& platform, StartupListSink& sink);
// Sorts ascending, selects the first row, shows "Ready", marks the ascending sort.
void FinishStartupList(StartupListSink& sink);

}  // namespace rw
