#include "platform/background_process.h"

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "platform/command_line_quoting.h"
#include "platform/environment.h"
#include "platform/windows_api.h"

namespace platform {
namespace {

// Where a background copy finds the handle of the process that started it.
constexpr const wchar_t* kStarterVariable = L"QX_LAUNCHER_STARTER_PROCESS";

// A process attribute list that lets a new process inherit the given handles and no others.
class InheritedHandles {
 public:
  explicit InheritedHandles(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_ = std::make_unique<char[]>(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.get());
    if (!::InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    initialized_ = true;
    if (::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                    handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
      list_ = list;
    }
  }
  ~InheritedHandles() {
    if (initialized_) ::DeleteProcThreadAttributeList(reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.get()));
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;

  // null when the list could not be made.
  LPPROC_THREAD_ATTRIBUTE_LIST list() const { return list_; }

 private:
  std::vector<HANDLE> handles_;
  std::unique_ptr<char[]> storage_;
  bool initialized_ = false;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

// This process's environment block with further NAME=value entries.
std::vector<wchar_t> EnvironmentBlockWith(const WideStringList& entries) {
  std::vector<wchar_t> block;
  if (wchar_t* strings = ::GetEnvironmentStringsW()) {
    const wchar_t* end = strings;
    while (*end != L'\0') end += wcslen(end) + 1;
    block.assign(static_cast<const wchar_t*>(strings), end);
    ::FreeEnvironmentStringsW(strings);
  }
  for (const WideString& entry : entries) block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
  block.push_back(L'\0');
  return block;
}

// CreateProcessW with the startup information and the handles to inherit; the
// process handle, or an empty one.
win32::KernelHandle CreateWithHandles(const WideString& program, WideString commandLine, DWORD flags, void* environment,
                                      const wchar_t* workingFolder, STARTUPINFOEXW& startup,
                                      const InheritedHandles& inherited) {
  if (inherited.list() == nullptr) return win32::KernelHandle();
  startup.StartupInfo.cb = sizeof startup;
  startup.lpAttributeList = inherited.list();
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        flags | EXTENDED_STARTUPINFO_PRESENT | CREATE_UNICODE_ENVIRONMENT, environment, workingFolder,
                        &startup.StartupInfo, &process)) {
    return win32::KernelHandle();
  }
  ::CloseHandle(process.hThread);
  return win32::KernelHandle(process.hProcess);
}

}  // namespace

bool StartBackgroundCopy(const WideString& executable, const WideString& workingFolder, const WideString& variable,
                         const WideString& value) {
  // The copy waits on a handle of this process that it inherits.
  HANDLE self = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self, SYNCHRONIZE, TRUE,
                         0)) {
    return false;
  }
  win32::KernelHandle starter(self);
  std::vector<wchar_t> environment =
      EnvironmentBlockWith({variable + L"=" + value, WideString(kStarterVariable) + L"=" +
                                                         std::to_wstring(reinterpret_cast<uintptr_t>(starter.Get()))});
  const InheritedHandles inherited({starter.Get()});
  // No standard handles: the copy must not keep this process's pipes open.
  STARTUPINFOEXW startup{};
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  const DWORD flags = DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP | BELOW_NORMAL_PRIORITY_CLASS;
  const WideString commandLine = JoinCommandLine({executable});
  // Outside this process's job, so that closing the job does not end the copy;
  // a job that forbids breaking away keeps it.
  win32::KernelHandle copy = CreateWithHandles(executable, commandLine, flags | CREATE_BREAKAWAY_FROM_JOB,
                                               environment.data(), workingFolder.c_str(), startup, inherited);
  if (!copy) {
    copy = CreateWithHandles(executable, commandLine, flags, environment.data(), workingFolder.c_str(), startup,
                             inherited);
  }
  return static_cast<bool>(copy);
}

bool WaitForStarterToEnd(uint32_t limitMilliseconds) {
  const std::optional<WideString> value = GetEnvironmentValue(kStarterVariable);
  UnsetEnvironmentValue(kStarterVariable);
  if (!value || value->empty() || value->find_first_not_of(L"0123456789") != WideString::npos) return false;
  win32::KernelHandle starter(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(wcstoull(value->c_str(), nullptr, 10))));
  // The handle came inheritable; the build's own children need not have it.
  ::SetHandleInformation(starter.Get(), HANDLE_FLAG_INHERIT, 0);
  return ::WaitForSingleObject(starter.Get(), limitMilliseconds) == WAIT_OBJECT_0;
}

std::optional<uint32_t> RunProgramAndWait(const WideString& program, const WideStringList& arguments,
                                          const WideString& outputFile, uint32_t limitMilliseconds) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  win32::File output(::CreateFileW(win32::LongPathForm(outputFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                   &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  win32::File input(
      ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr));
  if (!output || !input) return std::nullopt;
  const InheritedHandles inherited({output.Get(), input.Get()});
  STARTUPINFOEXW startup{};
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = input.Get();
  startup.StartupInfo.hStdOutput = output.Get();
  startup.StartupInfo.hStdError = output.Get();
  WideStringList commandLine{program};
  commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
  win32::KernelHandle process =
      CreateWithHandles(program, JoinCommandLine(commandLine), CREATE_NO_WINDOW, nullptr, nullptr, startup, inherited);
  if (!process) return std::nullopt;
  if (::WaitForSingleObject(process.Get(), limitMilliseconds) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.Get(), 1);
    ::WaitForSingleObject(process.Get(), INFINITE);
    return std::nullopt;
  }
  DWORD code = 0;
  if (!::GetExitCodeProcess(process.Get(), &code)) return std::nullopt;
  return code;
}

}  // namespace platform
