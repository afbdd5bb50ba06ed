#pragma once
// Naming the running Windows version, and the gate that lets the program run.
#include <functional>
#include <string>

#include "platform/platform.h"

namespace rw {

// Set once by Main, read by the collection: which Startup folders exist.
extern bool IsWin9x;
extern bool IsWinNT;

extern const char kAppTitle[];  // "Windows Runwarden"

// One of "Windows NT 3.x", "Windows 3.x", "Windows NT 4.0", "Windows 95",
// "Windows 98", "Windows 2000" or "Unknown Windows Version".
std::string GetWindowsVersionName(SystemQueries& system);

// The message shown on every version the program does not support.
std::string RefusalMessage(const std::string& versionName);

// Program entry: names the version, sets the flags and calls
// |showMainWindow|, or shows the refusal and returns false.
bool Main(const Platform& platform, const std::function<void()>& showMainWindow);

}  // namespace rw
