#pragma once
// The About dialog's texts. The copyright sign is code 169 of the ANSI code page.
#include <string>

namespace rw {

std::string AboutCaption();  // "About Windows(c) Runwarden"
std::string AboutTitle();    // "Windows(c) Runwarden"
// "Version 1.0.1": each number in decimal without leading zeros.
std::string VersionLabel(unsigned major, unsigned minor, unsigned revision);
// The program's directory as the platform reports it, then "\readme.txt".
std::string ReadmePath(const std::string& programDirectory);

}  // namespace rw
