#pragma once

#include <optional>

#include "process_handle.h"

namespace ui_driver {

// Memory in another process, for a message whose parameter that process reads
// (or fills in) as a pointer. Freed with the object.
class RemoteBuffer {
 public:
  // Nothing when the process could not be opened or had no memory to give.
  static std::optional<RemoteBuffer> Allocate(DWORD processId, size_t size);

  RemoteBuffer(RemoteBuffer&& other) noexcept;
  RemoteBuffer& operator=(RemoteBuffer&&) = delete;
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();

  // The address in the other process of the byte at the offset.
  void* Address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }

  bool Write(size_t offset, const void* data, size_t size) const;
  bool Read(size_t offset, void* data, size_t size) const;

 private:
  RemoteBuffer(ProcessHandle process, void* address);

  ProcessHandle process_;
  void* address_;
};

}  // namespace ui_driver
