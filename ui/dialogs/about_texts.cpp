#include "ui/dialogs/about_texts.h"

namespace rw {

namespace {
const char kCopyrightSign[] = "\xA9";
}  // namespace

std::string AboutCaption() { return std::string("About Windows") + kCopyrightSign + " Runwarden"; }

std::string AboutTitle() { return std::string("Windows") + kCopyrightSign + " Runwarden"; }

std::string VersionLabel(unsigned major, unsigned minor, unsigned revision) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
         std::to_string(revision);
}

std::string ReadmePath(const std::string& programDirectory) {
  return programDirectory + "\\readme.txt";
}

}  // namespace rw
