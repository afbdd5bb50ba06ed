#pragma once
// Every stand-in service together.
#include <gtest/gtest.h>

#include "core/windows_version.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_program_starter.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_system_queries.h"

namespace rw {

class FakePlatformTest : public ::testing::Test {
 protected:
  Platform services() { return {registry, system, files, messages, programs}; }

  FakeRegistry registry;
  FakeSystemQueries system;
  FakeFileSystem files;
  FakeMessageBoxes messages;
  FakeProgramStarter programs;
};

}  // namespace rw
