#include "platform/child_process.h"

#include <vector>

#include "platform/windows_api.h"

namespace platform {
namespace {

class Win32ChildProcess final : public ChildProcess {
 public:
  explicit Win32ChildProcess(HANDLE process) : process_(process) {}

  std::optional<int32_t> WaitForExit() override {
    DWORD exitCode = 0;
    if (::WaitForSingleObject(process_.Get(), INFINITE) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process_.Get(), &exitCode)) {
      return std::nullopt;
    }
    return static_cast<int32_t>(exitCode);
  }

 private:
  win32::KernelHandle process_;
};

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::StartWithOwnCommandLine(const WideString& program, uint32_t& error) {
  // CreateProcessW may write into the command line: it gets a copy.
  const WideString own = ::GetCommandLineW();
  std::vector<wchar_t> commandLine(own.begin(), own.end());
  commandLine.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
    error = ::GetLastError();
    return nullptr;
  }
  win32::KernelHandle thread(started.hThread);
  return std::make_unique<Win32ChildProcess>(started.hProcess);
}

}  // namespace platform
