// What the unwinder and the C++ library expect of a C runtime's thread
// support. The program's C++ runs on one thread, so it says so: with _CRT_MT
// at 0 the library's locks and thread-local storage stay in their
// single-thread form. Its one other thread runs background jobs, which throw
// nothing and use neither.
#include <windows.h>

extern "C" {

int _CRT_MT = 0;

// Thread-exit destructors of thread-local keys: with one thread there is no
// thread exit before the process ends, so none need running.
int __mingwthr_key_dtor(DWORD, void (*)(void*)) { return 0; }

void abort() { ExitProcess(3); }

}  // extern "C"

namespace {

// The unwinder's lock code names CreateSemaphoreW, which Windows 95 exports
// only as a stub that fails. The import slot it goes through is served here
// by the ANSI function instead; the lock semaphores are never named.
HANDLE WINAPI CreateUnnamedSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum,
                                     LPCWSTR name) {
  if (name != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateSemaphoreA(security, initial, maximum, nullptr);
}

}  // namespace

extern "C" {
using CreateSemaphoreWFunction = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR);
extern CreateSemaphoreWFunction const createSemaphoreWSlot asm("__imp__CreateSemaphoreW@16");
CreateSemaphoreWFunction const createSemaphoreWSlot = &CreateUnnamedSemaphore;
}
