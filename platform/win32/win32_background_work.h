#pragma once
// Jobs run in turn on one thread of the program's, started on the first job.
// It waits on semaphores only, which every Windows has.
#include <windows.h>

#include "platform/background_work.h"

namespace rw {

class Win32BackgroundWork : public BackgroundWork {
 public:
  Win32BackgroundWork() = default;
  Win32BackgroundWork(const Win32BackgroundWork&) = delete;
  Win32BackgroundWork& operator=(const Win32BackgroundWork&) = delete;
  // Waits for the jobs posted, then ends the thread.
  ~Win32BackgroundWork() override;

  bool Post(Job job, void* context) noexcept override;
  void Wait() noexcept override;
  void Prepare() noexcept override;

 private:
  struct Slot {
    Job job;
    void* context;
  };
  static constexpr LONG kSlots = 64;

  bool Start() noexcept;
  static DWORD WINAPI Run(void* self);

  // The caller writes slots at next_, the thread reads them at taken_; the
  // semaphores order the two. A null job ends the thread.
  Slot slots_[kSlots] = {};
  LONG next_ = 0;
  LONG taken_ = 0;
  HANDLE posted_ = nullptr;    // jobs waiting to run
  HANDLE free_ = nullptr;      // slots the caller may write
  HANDLE finished_ = nullptr;  // jobs run since the last Wait
  HANDLE thread_ = nullptr;
  LONG unfinished_ = 0;        // the caller's count of jobs posted and not yet waited for
  bool failed_ = false;        // no thread could be started: every job runs at once
};

}  // namespace rw
