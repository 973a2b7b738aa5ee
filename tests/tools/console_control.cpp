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
//
//   console_control --alone SCREEN_FILE PROGRAM [ARGUMENT...]
//
// Runs the program alone on a console of its own, as Explorer starts a console
// program: every standard stream is the console, and this process leaves it
// before the program starts. What the console shows is copied into SCREEN_FILE
// (UTF-8, one line a row, trailing blanks dropped) whenever it changes; the
// text of a file SCREEN_FILE.keys, once it appears, is typed into the console
// (a line feed as Enter) and the file removed.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/text.h"
#include "platform/windows_api.h"
#include "process_handle.h"

using namespace launcher;

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

Handle OpenConsole(const wchar_t* name) {
  const HANDLE handle = ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
  return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// The console's rows as text, without trailing blanks or trailing empty rows.
std::string ScreenText(HANDLE output) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (::GetConsoleScreenBufferInfo(output, &info) == 0) return {};
  std::string text;
  std::string blankRows;
  std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
  for (SHORT y = 0; y < info.dwSize.Y; ++y) {
    DWORD read = 0;
    ::ReadConsoleOutputCharacterW(output, row.data(), static_cast<DWORD>(row.size()), COORD{0, y}, &read);
    std::wstring line = row.substr(0, read);
    line.erase(line.find_last_not_of(L' ') + 1);
    if (line.empty()) {
      blankRows += "\n";
      continue;
    }
    text += blankRows + platform::ToUtf8(line) + "\n";
    blankRows.clear();
  }
  return text;
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  const std::wstring temporary = path + L".new";
  FILE* file = _wfopen(temporary.c_str(), L"wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::wstring TakeFileText(const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return {};
  std::string bytes;
  char buffer[512];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, read);
  std::fclose(file);
  ::DeleteFileW(path.c_str());
  return platform::FromUtf8(bytes);
}

// Presses and releases a key for each character; a line feed is Enter.
void Type(HANDLE input, const std::wstring& text) {
  std::vector<INPUT_RECORD> records;
  for (const wchar_t c : text) {
    if (c == L'\r') continue;
    const bool enter = c == L'\n';
    for (const BOOL down : {TRUE, FALSE}) {
      INPUT_RECORD record{};
      record.EventType = KEY_EVENT;
      record.Event.KeyEvent.bKeyDown = down;
      record.Event.KeyEvent.wRepeatCount = 1;
      record.Event.KeyEvent.wVirtualKeyCode = enter ? VK_RETURN : 0;
      record.Event.KeyEvent.uChar.UnicodeChar = enter ? L'\r' : c;
      records.push_back(record);
    }
  }
  DWORD written = 0;
  if (!records.empty()) ::WriteConsoleInputW(input, records.data(), static_cast<DWORD>(records.size()), &written);
}

int RunAlone(const std::wstring& screenFile, const std::vector<std::wstring>& program) {
  ::FreeConsole();
  if (::AllocConsole() == 0) return Failed("AllocConsole");
  const Handle input = OpenConsole(L"CONIN$");
  const Handle output = OpenConsole(L"CONOUT$");
  if (!input || !output) return Failed("opening the console");
  std::wstring commandLine = platform::JoinCommandLine(program);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // The program runs only once this process has left the console, so it is
  // alone there from its first instruction.
  if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                       &startup, &process) == 0) {
    return Failed("CreateProcessW");
  }
  const Handle thread(process.hThread);
  const Handle running(process.hProcess);
  ::FreeConsole();
  ::ResumeThread(thread.Get());

  const std::wstring keysFile = screenFile + L".keys";
  std::string shown;
  bool ended = false;
  while (!ended) {
    ended = ::WaitForSingleObject(running.Get(), 20) == WAIT_OBJECT_0;
    if (std::string screen = ScreenText(output.Get()); screen != shown) {
      shown = std::move(screen);
      WriteWholeFile(screenFile, shown);
    }
    if (!ended && FileExists(keysFile)) Type(input.Get(), TakeFileText(keysFile));
  }
  DWORD exitCode = 0;
  ::GetExitCodeProcess(running.Get(), &exitCode);
  return static_cast<int>(exitCode);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"--alone") {
    return RunAlone(argv[2], std::vector<std::wstring>(argv + 3, argv + argc));
  }
  if (argc < 3) {
    std::fputs(
        "usage: console_control WHEN_FILE PROGRAM [ARGUMENT...]\n"
        "       console_control --alone SCREEN_FILE PROGRAM [ARGUMENT...]\n",
        stderr);
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
