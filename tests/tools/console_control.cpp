// console_control: runs a program in a console and, once a file exists,
// sends that console Ctrl+C, as a user's keys do.
//
//   console_control WHEN_FILE PROGRAM [ARGUMENT...]
//
// The program shares the console and this process's standard streams. The
// console is a new one: the one Wine gives a program started with pipes takes
// no control events. This process lets the event pass and ends with the
// program's exit code; 2 for a usage error, 3 when something failed (the
// reason on standard error).
#include <cstdio>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/windows_api.h"
#include "process_handle.h"

namespace {

// Any kernel handle this program closes with CloseHandle (invalid: null).
using Handle = ui_driver::ProcessHandle;

int Failed(const char* what) {
  std::fprintf(stderr, "console_control: %s failed (error %lu)\n", what, ::GetLastError());
  return 3;
}

// Lets the event pass on to the program; this process stays to report.
BOOL WINAPI IgnoreEvent(DWORD) { return TRUE; }

// An inheritable copy of a standard handle; none when there is none.
Handle InheritableCopy(DWORD which) {
  const HANDLE handle = ::GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return Handle();
  HANDLE copy = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS);
  return Handle(copy);
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: console_control WHEN_FILE PROGRAM [ARGUMENT...]\n", stderr);
    return 2;
  }
  const std::wstring whenFile = argv[1];

  // The streams as given, before a new console could take their place.
  const Handle input = InheritableCopy(STD_INPUT_HANDLE);
  const Handle output = InheritableCopy(STD_OUTPUT_HANDLE);
  const Handle error = InheritableCopy(STD_ERROR_HANDLE);
  ::FreeConsole();
  if (::AllocConsole() == 0) return Failed("AllocConsole");
  if (::SetConsoleCtrlHandler(&IgnoreEvent, TRUE) == 0) return Failed("SetConsoleCtrlHandler");

  std::wstring commandLine = platform::JoinCommandLine(std::vector<std::wstring>(argv + 2, argv + argc));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.Get();
  startup.hStdOutput = output.Get();
  startup.hStdError = error.Get();
  PROCESS_INFORMATION process{};
  if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process) ==
      0) {
    return Failed("CreateProcessW");
  }
  const Handle thread(process.hThread);
  const Handle program(process.hProcess);

  while (!FileExists(whenFile)) {
    if (::WaitForSingleObject(program.Get(), 20) == WAIT_OBJECT_0) break;
  }
  if (::WaitForSingleObject(program.Get(), 0) != WAIT_OBJECT_0 && ::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) == 0) {
    return Failed("GenerateConsoleCtrlEvent");
  }
  ::WaitForSingleObject(program.Get(), INFINITE);
  DWORD exitCode = 0;
  ::GetExitCodeProcess(program.Get(), &exitCode);
  return static_cast<int>(exitCode);
}
