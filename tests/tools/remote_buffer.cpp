#include "remote_buffer.h"

#include <utility>

namespace ui_driver {

std::optional<RemoteBuffer> RemoteBuffer::Allocate(DWORD processId, size_t size) {
  ProcessHandle process(::OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return std::nullopt;
  void* address = ::VirtualAllocEx(process.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address) return std::nullopt;
  return RemoteBuffer(std::move(process), address);
}

RemoteBuffer::RemoteBuffer(ProcessHandle process, void* address) : process_(std::move(process)), address_(address) {}

RemoteBuffer::RemoteBuffer(RemoteBuffer&& other) noexcept
    : process_(std::move(other.process_)), address_(std::exchange(other.address_, nullptr)) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_) ::VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(size_t offset, const void* data, size_t size) const {
  return ::WriteProcessMemory(process_.Get(), Address(offset), data, size, nullptr) != FALSE;
}

bool RemoteBuffer::Read(size_t offset, void* data, size_t size) const {
  return ::ReadProcessMemory(process_.Get(), Address(offset), data, size, nullptr) != FALSE;
}

}  // namespace ui_driver
