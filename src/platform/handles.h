#pragma once

#include <utility>

namespace launcher::platform {

// A move-only owner of one OS handle. Traits give the handle type, the value that
// means "none" and how to release it. The traits of the Win32 handles the
// launcher owns are in windows_api.h, those of POSIX resources in posix_api.h.
template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type value) : value_(value) {}
  ~UniqueHandle() { Reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Type Get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }

  Type Release() { return std::exchange(value_, Traits::Invalid()); }
  void Reset(Type value = Traits::Invalid()) {
    Type old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  Type value_ = Traits::Invalid();
};

}  // namespace launcher::platform
