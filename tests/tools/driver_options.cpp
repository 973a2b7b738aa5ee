#include "driver_options.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <limits>
#include <map>
#include <set>

namespace ui_driver {

const wchar_t* const kUsage =
    L"usage: ui_driver COMMAND [FILTERS] [OPTIONS]\n"
    L"commands:\n"
    L"  list                    wait for matching dialogs and print them\n"
    L"  click --id N            press button N, then wait until its dialog has gone\n"
    L"        [--via button|command] [--keep-open]\n"
    L"  set-text --id N --text T  set the text of control N and read it back\n"
    L"  absent [--until-file P] succeed when no matching dialog shows during the time\n"
    L"filters:  --pid N  --process NAME|PATH  --caption TEXT\n"
    L"options:  --timeout MS (default 5000)\n"
    L"exit: 0 done, 1 no dialog in time (absent: one appeared), 2 usage, 3 action failed\n";

namespace {

const std::map<std::wstring, Command> kCommands = {{L"list", Command::List},        {L"click", Command::Click},
                                                   {L"set-text", Command::SetText}, {L"absent", Command::Absent},
                                                   {L"help", Command::Help},        {L"--help", Command::Help}};

// The options each command accepts besides the filters and --timeout.
const std::map<Command, std::set<std::wstring>> kCommandOptions = {
    {Command::List, {}},
    {Command::Click, {L"--id", L"--via", L"--keep-open"}},
    {Command::SetText, {L"--id", L"--text"}},
    {Command::Absent, {L"--until-file"}},
    {Command::Help, {}}};

const std::set<std::wstring> kCommonOptions = {L"--pid", L"--process", L"--caption", L"--timeout"};

std::optional<long long> ParseInteger(const std::wstring& text, long long lowest, long long highest) {
  if (text.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  errno = 0;
  long long value = std::wcstoll(text.c_str(), &end, 10);
  if (*end != L'\0' || errno == ERANGE || value < lowest || value > highest) return std::nullopt;
  return value;
}

std::wstring ApplyNumber(Options& options, const std::wstring& name, const std::wstring& value) {
  const bool isId = name == L"--id";
  std::optional<long long> number =
      isId ? ParseInteger(value, INT_MIN, INT_MAX) : ParseInteger(value, 0, std::numeric_limits<DWORD>::max());
  if (!number) return name + L" takes a decimal number in range, not \"" + value + L"\"";
  if (isId)
    options.controlId = static_cast<int>(*number);
  else if (name == L"--pid")
    options.filter.processId = static_cast<DWORD>(*number);
  else
    options.timeoutMs = static_cast<DWORD>(*number);
  return L"";
}

// Stores one option's value; returns an error text, empty when it is accepted.
std::wstring Apply(Options& options, const std::wstring& name, const std::wstring& value) {
  if (name == L"--process") {
    options.filter.process = value;
  } else if (name == L"--caption") {
    options.filter.caption = value;
  } else if (name == L"--text") {
    options.text = value;
  } else if (name == L"--until-file") {
    options.untilFile = value;
  } else if (name == L"--via") {
    if (value != L"button" && value != L"command") return L"--via takes button or command";
    options.press = value == L"button" ? PressMethod::ButtonClick : PressMethod::DialogCommand;
  } else {
    return ApplyNumber(options, name, value);
  }
  return L"";
}

std::wstring CheckRequired(const Options& options) {
  bool needsId = options.command == Command::Click || options.command == Command::SetText;
  if (needsId && !options.controlId) return L"this command needs --id";
  if (options.command == Command::SetText && !options.text) return L"set-text needs --text";
  return L"";
}

}  // namespace

ParsedOptions ParseOptions(int argc, wchar_t** argv) {
  if (argc < 2) return {std::nullopt, L"no command given"};
  auto command = kCommands.find(argv[1]);
  if (command == kCommands.end()) return {std::nullopt, std::wstring(L"unknown command ") + argv[1]};
  Options options;
  options.command = command->second;
  const std::set<std::wstring>& own = kCommandOptions.at(options.command);
  for (int i = 2; i < argc; ++i) {
    std::wstring name = argv[i];
    if (!own.contains(name) && !kCommonOptions.contains(name)) {
      return {std::nullopt, L"unknown option " + name + L" for " + argv[1]};
    }
    if (name == L"--keep-open") {
      options.keepOpen = true;
      continue;
    }
    if (i + 1 == argc) return {std::nullopt, name + L" needs a value"};
    std::wstring error = Apply(options, name, argv[++i]);
    if (!error.empty()) return {std::nullopt, error};
  }
  std::wstring error = CheckRequired(options);
  if (!error.empty()) return {std::nullopt, error};
  return {options, L""};
}

}  // namespace ui_driver
