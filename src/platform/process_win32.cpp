#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/text.h"
#include "platform/windows_api.h"
#include "resource_ids.h"

// After windows_api.h, which sets what <windows.h> declares.
#include <shobjidl.h>

namespace launcher::platform {

using win32::KernelHandle;
using win32::LastError;

// ---- The running executable

SystemResult<WideString> QueryModulePath() {
  // GetModuleFileNameW truncates silently when the buffer is too small, so the
  // buffer grows until the whole path fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return LastError();
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    if (buffer.size() >= 32768) return SystemError{ERROR_INSUFFICIENT_BUFFER};
    buffer.resize(buffer.size() * 2);
  }
}

// The image is mapped as the loader checked it: the DOS header leads to the
// NT headers, whose optional header names the subsystem.
ImageSubsystem OwnImageSubsystem() {
  const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  return nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI ? ImageSubsystem::Console
                                                                     : ImageSubsystem::Windowed;
}

// Asked for no buffer, LoadStringW gives the text where it lies in the image,
// whatever its length.
WideString LoadResourceString(uint32_t id) {
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return {};
  return WideString(text, static_cast<size_t>(length));
}

std::optional<WideString> LoadBuiltinSettingsText() {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC resource = ::FindResourceW(module, TEXT(BUILTIN_SETTINGS_RESOURCE_NAME), RT_RCDATA);
  if (resource == nullptr) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (data == nullptr) return std::nullopt;
  return DecodeText(std::string_view(static_cast<const char*>(data), ::SizeofResource(module, resource)));
}

uint32_t CurrentProcessId() { return ::GetCurrentProcessId(); }

// ---- Its command line

ProcessCommandLine QueryCommandLine() { return {WideString(::GetCommandLineW()), {}}; }

// ---- Its environment

std::optional<WideString> GetEnvironmentValue(const WideString& name) {
  std::wstring buffer(256, L'\0');
  for (;;) {
    ::SetLastError(0);
    DWORD length = ::GetEnvironmentVariableW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return WideString();
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length);  // length includes the terminating NUL here
  }
}

SystemStatus SetEnvironmentValue(const WideString& name, const WideString& value) {
  if (!::SetEnvironmentVariableW(name.c_str(), value.c_str())) return LastError();
  return Done{};
}

SystemStatus UnsetEnvironmentValue(const WideString& name) {
  if (!::SetEnvironmentVariableW(name.c_str(), nullptr)) return LastError();
  return Done{};
}

WideString ExpandEnvironmentReferences(const WideString& text) {
  DWORD size = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (size == 0) return text;
  for (;;) {
    std::wstring buffer(size, L'\0');
    DWORD written = ::ExpandEnvironmentStringsW(text.c_str(), buffer.data(), size);
    if (written == 0) return text;
    if (written <= size) {
      buffer.resize(written - 1);
      return buffer;
    }
    size = written;
  }
}

WideString UserConfigurationFolder() { return GetEnvironmentValue(L"APPDATA").value_or(L""); }

WideString UserCacheFolder() { return GetEnvironmentValue(L"LOCALAPPDATA").value_or(L""); }

WideString UserDataFolder() { return GetEnvironmentValue(L"LOCALAPPDATA").value_or(L""); }

// ---- Its standard streams

namespace {

HANDLE HandleOf(StandardStream stream) {
  switch (stream) {
    case StandardStream::Input:
      return ::GetStdHandle(STD_INPUT_HANDLE);
    case StandardStream::Output:
      return ::GetStdHandle(STD_OUTPUT_HANDLE);
    case StandardStream::Error:
      break;
  }
  return ::GetStdHandle(STD_ERROR_HANDLE);
}

// Only a console handle has a console mode.
bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

bool IsTerminal(StandardStream stream) { return IsConsole(HandleOf(stream)); }

void WriteStandardError(const WideString& text) {
  const HANDLE handle = HandleOf(StandardStream::Error);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
  DWORD written = 0;
  if (IsConsole(handle)) {
    ::WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  // Line ends as a Windows program's text output has them.
  WideString lines;
  for (const wchar_t c : text) {
    if (c == L'\n' && (lines.empty() || lines.back() != L'\r')) lines.push_back(L'\r');
    lines.push_back(c);
  }
  const std::string bytes = ToAnsi(lines);
  ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// A console in line mode hands over whole lines ending in CR LF; the line is
// read until its line feed, in as many pieces as it takes.
std::optional<WideString> ReadStandardInputLine() {
  const HANDLE handle = HandleOf(StandardStream::Input);
  if (!IsConsole(handle)) return std::nullopt;
  WideString line;
  for (;;) {
    wchar_t piece[256];
    DWORD read = 0;
    if (::ReadConsoleW(handle, piece, static_cast<DWORD>(std::size(piece)), &read, nullptr) == 0 || read == 0) {
      return line.empty() ? std::nullopt : std::optional<WideString>(line);
    }
    line.append(piece, read);
    if (line.back() == L'\n') break;
  }
  line.pop_back();
  if (!line.empty() && line.back() == L'\r') line.pop_back();
  return line;
}

// A console made for this process alone lists one process; a shell sharing
// it adds itself.
bool IsAloneOnItsConsole() {
  if (!IsConsole(HandleOf(StandardStream::Input))) return false;
  DWORD processes[2] = {};
  return ::GetConsoleProcessList(processes, 2) == 1;
}

void WaitForKeyPress() {
  const HANDLE input = HandleOf(StandardStream::Input);
  if (!IsConsole(input)) return;
  ::FlushConsoleInputBuffer(input);
  for (;;) {
    INPUT_RECORD record{};
    DWORD read = 0;
    if (::ReadConsoleInputW(input, &record, 1, &read) == 0 || read == 0) return;
    if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
  }
}

// ---- Its place on the desktop

SystemStatus SetAppUserModelId(const WideString& id) {
  const HRESULT result = ::SetCurrentProcessExplicitAppUserModelID(id.c_str());
  if (FAILED(result)) return SystemError{static_cast<uint32_t>(result)};
  return Done{};
}

// ---- The machine it runs on

// GlobalMemoryStatusEx: the older GlobalMemoryStatus reports wrong figures above 4 GB.
MemoryFigures QueryMemoryFigures() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  if (!::GlobalMemoryStatusEx(&status)) return {};
  return {status.ullTotalPhys, status.ullAvailVirtual};
}

uint64_t MonotonicMilliseconds() { return ::GetTickCount64(); }

bool IsNtFamily() {
  // The extended structure first, then the plain one; neither answering means "not NT".
  OSVERSIONINFOEXW extended{};
  extended.dwOSVersionInfoSize = sizeof(extended);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) {
    return extended.dwPlatformId == VER_PLATFORM_WIN32_NT;
  }
  OSVERSIONINFOW plain{};
  plain.dwOSVersionInfoSize = sizeof(plain);
  if (::GetVersionExW(&plain)) return plain.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
  return false;
}

// ---- Programs it starts

struct ChildProcess::Process {
  KernelHandle handle;
};

namespace {

// This process's environment, as "NAME=value" entries in the system's order.
WideStringList CurrentEnvironment() {
  WideStringList environment;
  if (wchar_t* strings = ::GetEnvironmentStringsW()) {
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) environment.emplace_back(entry);
    ::FreeEnvironmentStringsW(strings);
  }
  return environment;
}

// An environment block for CreateProcessW: each entry ended by a null, the
// block by one more (two for a block without entries).
std::vector<wchar_t> EnvironmentBlockOf(const WideStringList& entries) {
  std::vector<wchar_t> block;
  for (const WideString& entry : entries) block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
  if (entries.empty()) block.push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

// Starts program with this process's command line, inheriting no handle, in
// the environment block and folder given (null: this process's); its handle.
SystemResult<KernelHandle> StartWithOwnCommandLineIn(const WideString& program, void* environment,
                                                     const wchar_t* folder) {
  // CreateProcessW may write into the command line: it gets a copy.
  WideString commandLine = ::GetCommandLineW();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment, folder, &startup, &started)) {
    return LastError();
  }
  KernelHandle thread(started.hThread);
  return KernelHandle(started.hProcess);
}

}  // namespace

SystemResult<ChildProcess> ChildProcess::StartWithOwnCommandLine(const WideString& program) {
  SystemResult<KernelHandle> process = StartWithOwnCommandLineIn(program, nullptr, nullptr);
  if (!process) return process.error();
  return ChildProcess(std::make_shared<const Process>(Process{std::move(*process)}));
}

ProcessPlace CurrentProcessPlace() {
  ProcessPlace place;
  const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  if (size != 0) {
    place.workingFolder.resize(size);
    place.workingFolder.resize(::GetCurrentDirectoryW(size, place.workingFolder.data()));
  }
  place.environment = CurrentEnvironment();
  return place;
}

namespace {

// This process's standard handles, duplicated so that a child may inherit them;
// null where there is none.
struct InheritableStandardHandles {
  KernelHandle input, output, error;

  InheritableStandardHandles()
      : input(Duplicate(STD_INPUT_HANDLE)), output(Duplicate(STD_OUTPUT_HANDLE)), error(Duplicate(STD_ERROR_HANDLE)) {}

  std::vector<HANDLE> Present() const {
    std::vector<HANDLE> present;
    for (const KernelHandle* handle : {&input, &output, &error}) {
      if (*handle) present.push_back(handle->Get());
    }
    return present;
  }

 private:
  static KernelHandle Duplicate(DWORD which) {
    HANDLE handle = ::GetStdHandle(which);
    HANDLE copy = nullptr;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
        !::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, TRUE,
                           DUPLICATE_SAME_ACCESS)) {
      return KernelHandle();
    }
    return KernelHandle(copy);
  }
};

}  // namespace

std::optional<int32_t> ChildProcess::WaitForExit() const {
  DWORD exitCode = 0;
  if (::WaitForSingleObject(process_->handle.Get(), INFINITE) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(process_->handle.Get(), &exitCode)) {
    return std::nullopt;
  }
  return static_cast<int32_t>(exitCode);
}

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
    if (!::InitializeProcThreadAttributeList(list, 1, 0, &size)) {
      error_ = LastError();
      return;
    }
    initialized_ = true;
    if (!::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                     handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
      error_ = LastError();
      return;
    }
    list_ = list;
  }
  ~InheritedHandles() {
    if (initialized_) ::DeleteProcThreadAttributeList(reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.get()));
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;

  // The list, or why it could not be made.
  SystemResult<LPPROC_THREAD_ATTRIBUTE_LIST> List() const {
    if (list_ == nullptr) return error_;
    return list_;
  }

 private:
  std::vector<HANDLE> handles_;
  std::unique_ptr<char[]> storage_;
  bool initialized_ = false;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
  SystemError error_;
};

// This process's environment block with further NAME=value entries.
std::vector<wchar_t> EnvironmentBlockWith(const WideStringList& entries) {
  WideStringList environment = CurrentEnvironment();
  environment.insert(environment.end(), entries.begin(), entries.end());
  return EnvironmentBlockOf(environment);
}

// How a process is made: its command line and where it starts.
struct ProcessStart {
  const WideString& program;
  WideString commandLine;
  DWORD flags;
  void* environment;
  const wchar_t* workingFolder;
};

// CreateProcessW with the startup information and the handles to inherit; the
// process handle.
SystemResult<KernelHandle> CreateWithHandles(ProcessStart start, STARTUPINFOEXW& startup,
                                             const InheritedHandles& inherited) {
  const SystemResult<LPPROC_THREAD_ATTRIBUTE_LIST> list = inherited.List();
  if (!list) return list.error();
  startup.StartupInfo.cb = sizeof startup;
  startup.lpAttributeList = *list;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(start.program.c_str(), start.commandLine.data(), nullptr, nullptr, TRUE,
                        start.flags | EXTENDED_STARTUPINFO_PRESENT | CREATE_UNICODE_ENVIRONMENT, start.environment,
                        start.workingFolder, &startup.StartupInfo, &process)) {
    return LastError();
  }
  ::CloseHandle(process.hThread);
  return KernelHandle(process.hProcess);
}

}  // namespace

SystemResult<ChildProcess> ChildProcess::StartAgainIn(const WideString& program, const ProcessPlace& place) {
  std::vector<wchar_t> environment = EnvironmentBlockOf(place.environment);
  const wchar_t* folder = place.workingFolder.empty() ? nullptr : place.workingFolder.c_str();
  const InheritableStandardHandles standard;
  const std::vector<HANDLE> handles = standard.Present();
  SystemResult<KernelHandle> process = SystemError{};
  if (handles.empty()) {
    // Nothing to pass on (a windowed start without streams): nothing inherited.
    process = StartWithOwnCommandLineIn(program, environment.data(), folder);
  } else {
    STARTUPINFOEXW startup{};
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = standard.input.Get();
    startup.StartupInfo.hStdOutput = standard.output.Get();
    startup.StartupInfo.hStdError = standard.error.Get();
    const InheritedHandles inherited(handles);
    process = CreateWithHandles({.program = program,
                                 .commandLine = ::GetCommandLineW(),
                                 .flags = 0,
                                 .environment = environment.data(),
                                 .workingFolder = folder},
                                startup, inherited);
  }
  if (!process) return process.error();
  return ChildProcess(std::make_shared<const Process>(Process{std::move(*process)}));
}

SystemStatus StartBackgroundCopy(const WideString& executable, const WideString& workingFolder,
                                 const WideString& variable, const WideString& value) {
  // The copy waits on a handle of this process that it inherits.
  HANDLE self = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self, SYNCHRONIZE, TRUE,
                         0)) {
    return LastError();
  }
  KernelHandle starter(self);
  std::vector<wchar_t> environment =
      EnvironmentBlockWith({variable + L"=" + value, WideString(kStarterVariable) + L"=" +
                                                         std::to_wstring(reinterpret_cast<uintptr_t>(starter.Get()))});
  const InheritedHandles inherited({starter.Get()});
  // No standard handles: the copy must not keep this process's pipes open.
  STARTUPINFOEXW startup{};
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  ProcessStart start{.program = executable,
                     .commandLine = JoinCommandLine({executable}),
                     .flags = DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP | BELOW_NORMAL_PRIORITY_CLASS,
                     .environment = environment.data(),
                     .workingFolder = workingFolder.c_str()};
  // Outside this process's job, so that closing the job does not end the copy;
  // a job that forbids breaking away keeps it.
  ProcessStart breakingAway = start;
  breakingAway.flags |= CREATE_BREAKAWAY_FROM_JOB;
  SystemResult<KernelHandle> copy = CreateWithHandles(breakingAway, startup, inherited);
  if (!copy) copy = CreateWithHandles(start, startup, inherited);
  if (!copy) return copy.error();
  return Done{};
}

bool WaitForStarterToEnd(uint32_t limitMilliseconds) {
  const std::optional<WideString> value = GetEnvironmentValue(kStarterVariable);
  UnsetEnvironmentValue(kStarterVariable);
  if (!value || value->empty() || value->find_first_not_of(L"0123456789") != WideString::npos) return false;
  KernelHandle starter(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(wcstoull(value->c_str(), nullptr, 10))));
  // The handle came inheritable; the build's own children need not have it.
  ::SetHandleInformation(starter.Get(), HANDLE_FLAG_INHERIT, 0);
  return ::WaitForSingleObject(starter.Get(), limitMilliseconds) == WAIT_OBJECT_0;
}

SystemResult<std::optional<uint32_t>> RunProgramAndWait(const WideString& program, const WideStringList& arguments,
                                                        const WideString& outputFile, uint32_t limitMilliseconds) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  win32::File output(::CreateFileW(win32::LongPathForm(outputFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                   &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!output) return LastError();
  win32::File input(
      ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr));
  if (!input) return LastError();
  const InheritedHandles inherited({output.Get(), input.Get()});
  STARTUPINFOEXW startup{};
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = input.Get();
  startup.StartupInfo.hStdOutput = output.Get();
  startup.StartupInfo.hStdError = output.Get();
  WideStringList commandLine{program};
  commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
  const SystemResult<KernelHandle> process = CreateWithHandles({.program = program,
                                                                .commandLine = JoinCommandLine(commandLine),
                                                                .flags = CREATE_NO_WINDOW,
                                                                .environment = nullptr,
                                                                .workingFolder = nullptr},
                                                               startup, inherited);
  if (!process) return process.error();
  if (::WaitForSingleObject(process->Get(), limitMilliseconds) != WAIT_OBJECT_0) {
    ::TerminateProcess(process->Get(), 1);
    ::WaitForSingleObject(process->Get(), INFINITE);
    return std::optional<uint32_t>();
  }
  DWORD code = 0;
  if (!::GetExitCodeProcess(process->Get(), &code)) return LastError();
  return std::optional<uint32_t>(code);
}

}  // namespace launcher::platform
