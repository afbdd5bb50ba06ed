#pragma once
// A registry key opened through the Registry service, closed on every way out.
#include "platform/registry.h"

namespace rw {

class ScopedRegKey {
 public:
  explicit ScopedRegKey(Registry& registry) : registry_(&registry) {}
  ~ScopedRegKey() { reset(); }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;
  ScopedRegKey(ScopedRegKey&& other) noexcept : registry_(other.registry_), key_(other.key_) {
    other.key_ = 0;
  }
  ScopedRegKey& operator=(ScopedRegKey&& other) noexcept {
    if (this != &other) {
      reset();
      registry_ = other.registry_;
      key_ = other.key_;
      other.key_ = 0;
    }
    return *this;
  }

  // Where an open call writes the key; whatever was open before is closed first.
  RegKey* receive() {
    reset();
    return &key_;
  }
  bool valid() const { return key_ != 0; }
  RegKey get() const { return key_; }
  void reset() {
    if (key_ != 0) registry_->CloseKey(key_);
    key_ = 0;
  }

 private:
  Registry* registry_;
  RegKey key_ = 0;
};

}  // namespace rw
