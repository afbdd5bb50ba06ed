#pragma once
// Naming the running Windows version, and the gate that lets the program run.
#include <string>

#include "platform/platform.h"

namespace rw {

// Which Startup folders a system has: one of its own on Windows 95/98; the
// All Users folder and the user's own on NT.
enum class WindowsFamily { kNone, kWin9x, kNT };

extern const char kAppTitle[];  // "Windows Runwarden"

// One of "Windows NT 3.x", "Windows 3.x", "Windows NT 4.0", "Windows 95",
// "Windows 98", "Windows 2000" or "Unknown Windows Version".
std::string GetWindowsVersionName(SystemQueries& system);

// The message shown on every version the program does not support.
std::string RefusalMessage(const std::string& versionName);

// The program's gate: the family of the running Windows, or kNone after the
// refusal has been shown and dismissed.
WindowsFamily CheckWindowsVersion(const Platform& platform);

}  // namespace rw
