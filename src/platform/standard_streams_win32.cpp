#include "platform/standard_streams.h"

#include "platform/text.h"
#include "platform/windows_api.h"

namespace platform {

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

}  // namespace platform
