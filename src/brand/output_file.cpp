#include "brand/output_file.h"

#include <optional>

#include "platform/files.h"
#include "platform/process.h"

namespace launcher::brand {
namespace {

// Names are taken by other programs, or planted by someone who hopes the
// tool writes through them: each such name is passed over, up to this many.
constexpr uint32_t kTemporaryNameAttempts = 100;

BrandResult<WideString> WriteTemporary(const WideString& output, std::string_view bytes) {
  const uint32_t process = platform::CurrentProcessId();
  for (uint32_t attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    WideString name = TemporaryOutputName(output, process, attempt);
    platform::SystemStatus created = platform::CreateFileWithBytes(name, bytes);
    if (created) return name;
    if (platform::ClassifyFileFailure(created.error()) != platform::FileFailure::NameTaken) {
      return BrandError{"cannot be written (the folder cannot be written, or the disk is full)"};
    }
  }
  return BrandError{"cannot be written (every name for a temporary file beside it is taken)"};
}

}  // namespace

WideString TemporaryOutputName(const WideString& output, uint32_t processId, uint32_t attempt) {
  return output + L"." + std::to_wstring(processId) + L"-" + std::to_wstring(attempt) + L".brand-tmp";
}

BrandResult<bool> WriteOutputFile(const WideString& output, std::string_view bytes, const MoveRetries& retries) {
  if (platform::IsReadOnlyFile(output)) {
    return BrandError{
        "is read-only; the tool does not replace a read-only file: make it writable or name another "
        "output"};
  }
  BrandResult<WideString> temporary = WriteTemporary(output, bytes);
  if (!temporary) return temporary.error();
  std::optional<platform::FileFailure> failure;
  for (int attempt = 0; attempt < retries.attempts; ++attempt) {
    if (attempt > 0) retries.pause();
    platform::SystemStatus moved = platform::RenameReplacing(*temporary, output);
    if (moved) return true;
    failure = platform::ClassifyFileFailure(moved.error());
    if (failure != platform::FileFailure::HeldByAnotherProgram) break;
  }
  platform::RemoveFile(*temporary);
  if (failure == platform::FileFailure::HeldByAnotherProgram) {
    return BrandError{"cannot be replaced (another program keeps it or the new file open, or it is protected)"};
  }
  return BrandError{"cannot be replaced"};
}

}  // namespace launcher::brand
