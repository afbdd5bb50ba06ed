#include "platform/win32/win32_background_work.h"

namespace rw {

namespace {

void CloseIfOpen(HANDLE* handle) {
  if (*handle != nullptr) CloseHandle(*handle);
  *handle = nullptr;
}

}  // namespace

Win32BackgroundWork::~Win32BackgroundWork() {
  if (thread_ != nullptr) {
    Wait();
    WaitForSingleObject(free_, INFINITE);  // the thread takes jobs one by one: a slot is free
    slots_[next_] = {nullptr, nullptr};
    ReleaseSemaphore(posted_, 1, nullptr);
    WaitForSingleObject(thread_, INFINITE);
  }
  CloseIfOpen(&thread_);
  CloseIfOpen(&posted_);
  CloseIfOpen(&free_);
  CloseIfOpen(&finished_);
}

bool Win32BackgroundWork::Start() noexcept {
  posted_ = CreateSemaphoreA(nullptr, 0, kSlots, nullptr);
  free_ = CreateSemaphoreA(nullptr, kSlots, kSlots, nullptr);
  finished_ = CreateSemaphoreA(nullptr, 0, 0x7FFFFFFF, nullptr);
  DWORD id = 0;  // Windows 95 starts no thread without somewhere to put its id
  if (posted_ != nullptr && free_ != nullptr && finished_ != nullptr) {
    thread_ = CreateThread(nullptr, 0, &Win32BackgroundWork::Run, this, 0, &id);
  }
  if (thread_ != nullptr) return true;
  CloseIfOpen(&posted_);
  CloseIfOpen(&free_);
  CloseIfOpen(&finished_);
  failed_ = true;
  return false;
}

bool Win32BackgroundWork::Post(Job job, void* context) noexcept {
  if (job == nullptr || failed_ || (thread_ == nullptr && !Start())) return false;
  // A full queue is not waited for: the caller does the job in that time.
  if (WaitForSingleObject(free_, 0) != WAIT_OBJECT_0) return false;
  slots_[next_] = {job, context};
  next_ = (next_ + 1) % kSlots;
  ++unfinished_;
  ReleaseSemaphore(posted_, 1, nullptr);
  return true;
}

void Win32BackgroundWork::Prepare() noexcept {
  if (thread_ == nullptr && !failed_) Start();
}

void Win32BackgroundWork::Wait() noexcept {
  for (; unfinished_ > 0; --unfinished_) WaitForSingleObject(finished_, INFINITE);
}

DWORD WINAPI Win32BackgroundWork::Run(void* self) {
  auto& work = *static_cast<Win32BackgroundWork*>(self);
  for (;;) {
    WaitForSingleObject(work.posted_, INFINITE);
    const Slot slot = work.slots_[work.taken_];
    work.taken_ = (work.taken_ + 1) % kSlots;
    ReleaseSemaphore(work.free_, 1, nullptr);
    if (slot.job == nullptr) return 0;
    slot.job(slot.context);
    ReleaseSemaphore(work.finished_, 1, nullptr);
  }
}

}  // namespace rw
