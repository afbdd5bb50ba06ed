#pragma once
// Work done on a thread beside the program's own, where the system can start
// one; otherwise at once, on the caller's thread.
namespace rw {

class BackgroundWork {
 public:
  using Job = void (*)(void* context);
  virtual ~BackgroundWork() = default;
  // Runs job(context) after the jobs posted before it. The program's runtime
  // is made for one thread: a job throws nothing, allocates nothing, and
  // until Wait returns touches nothing the caller uses, but through atomic
  // operations. False when the job could not be taken (no thread, or too
  // many waiting): it has not run, and the caller does it itself.
  virtual bool Post(Job job, void* context) noexcept = 0;
  // Returns once every job posted has run.
  virtual void Wait() noexcept = 0;
  // Gets ready for jobs ahead of the first, where there is a thread to start.
  virtual void Prepare() noexcept {}
};

// Every job at once, on the caller's thread.
class WorkAtOnce : public BackgroundWork {
 public:
  bool Post(Job job, void* context) noexcept override {
    job(context);
    return true;
  }
  void Wait() noexcept override {}

  static WorkAtOnce& Shared() { return shared_; }

 private:
  static WorkAtOnce shared_;
};

inline WorkAtOnce WorkAtOnce::shared_;

}  // namespace rw
