#include "platform/win32/runtime/exit_functions.h"

#include <windows.h>

namespace {

using ExitFunction = void (*)();

// Few are ever registered: static destructors and the unwinder's frame
// deregistration. Each block holds a fixed number and links to the one
// before, so registering never moves what is there.
struct ExitBlock {
  static constexpr int kCapacity = 32;
  ExitBlock* previous;
  int count;
  ExitFunction functions[kCapacity];
};

ExitBlock* lastBlock = nullptr;

}  // namespace

extern "C" int atexit(ExitFunction function) {
  if (lastBlock == nullptr || lastBlock->count == ExitBlock::kCapacity) {
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(ExitBlock));
    if (memory == nullptr) return -1;
    auto* block = static_cast<ExitBlock*>(memory);
    block->previous = lastBlock;
    block->count = 0;
    lastBlock = block;
  }
  lastBlock->functions[lastBlock->count++] = function;
  return 0;
}

namespace rw {

// Last registered, first run.
void RunExitFunctions() {
  while (lastBlock != nullptr) {
    while (lastBlock->count > 0) lastBlock->functions[--lastBlock->count]();
    ExitBlock* done = lastBlock;
    lastBlock = done->previous;
    HeapFree(GetProcessHeap(), 0, done);
  }
}

}  // namespace rw
