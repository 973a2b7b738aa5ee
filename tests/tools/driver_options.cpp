#include "driver_options.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <vector>

namespace ui_driver {

const wchar_t* const kUsage =
    L"usage: ui_driver COMMAND [FILTERS] [OPTIONS]\n"
    L"commands:\n"
    L"  list [--geometry]       wait for matching dialogs and print them (with placement and styles)\n"
    L"  click --id N            press button N, then wait until its dialog has gone\n"
    L"        [--via button|command] [--keep-open]\n"
    L"  set-text --id N --text T  set the text of control N and read it back\n"
    L"  absent [--until-file P] succeed when no matching dialog shows during the time\n"
    L"  work-area               print the primary monitor's work area and screen size\n"
    L"  windows --class NAME [--absent]\n"
    L"                          wait for top-level windows of the class and print them\n"
    L"                          (--absent: succeed when none shows during the time)\n"
    L"  capture --out FILE.ppm (--id N | --class NAME | --rect L,T,R,B)\n"
    L"                          save the pixels on screen there as a binary PPM\n"
    L"  pixels (--id N | --class NAME | --rect L,T,R,B)\n"
    L"                          print the 16 most frequent colours there\n"
    L"  click-at --id N --x X --y Y [--release-x X --release-y Y]\n"
    L"                          post a left click at a client point of control N\n"
    L"  key --vk RETURN|ESCAPE|SPACE|TAB [--id N]\n"
    L"                          post the key to the focused control (or control N)\n"
    L"  close [--keep-open]     post the close box's command, then wait until the dialog has gone\n"
    L"  size --width W --height H  resize the dialog and print it with --geometry\n"
    L"  show --state maximize|restore|minimize\n"
    L"                          what the system menu does; print the dialog as size does\n"
    L"  browse (--path P | --cancel)\n"
    L"                          select folder P in the shell's folder picker and press OK\n"
    L"                          (or press Cancel), then wait until the picker has gone\n"
    L"  hover --id N --x X --y Y  move the real pointer to a client point of control N\n"
    L"  drag --id N --x X --y Y --dx DX --dy DY\n"
    L"                          press the real left button there, move by DX,DY, release;\n"
    L"                          print the dialog as size does\n"
    L"  icon --id N             which system icon control N shows (hand, question,\n"
    L"                          exclamation, asterisk, application, none, other)\n"
    L"filters:  --pid N  --process NAME|PATH  --caption TEXT\n"
    L"options:  --timeout MS (default 5000)\n"
    L"exit: 0 done, 1 no window in time (absent: one appeared), 2 usage, 3 action failed\n";

namespace {

const std::map<std::wstring, Command> kCommands = {
    {L"list", Command::List},       {L"click", Command::Click},        {L"set-text", Command::SetText},
    {L"absent", Command::Absent},   {L"work-area", Command::WorkArea}, {L"windows", Command::Windows},
    {L"capture", Command::Capture}, {L"pixels", Command::Pixels},      {L"click-at", Command::ClickAt},
    {L"key", Command::Key},         {L"close", Command::Close},        {L"size", Command::Size},
    {L"show", Command::Show},       {L"browse", Command::Browse},      {L"help", Command::Help},
    {L"hover", Command::Hover},     {L"drag", Command::Drag},          {L"icon", Command::Icon},
    {L"--help", Command::Help}};

// The options each command accepts besides the filters and --timeout.
const std::map<Command, std::set<std::wstring>> kCommandOptions = {
    {Command::List, {L"--geometry"}},
    {Command::Click, {L"--id", L"--via", L"--keep-open"}},
    {Command::SetText, {L"--id", L"--text"}},
    {Command::Absent, {L"--until-file"}},
    {Command::WorkArea, {}},
    {Command::Windows, {L"--class", L"--absent"}},
    {Command::Capture, {L"--out", L"--id", L"--class", L"--rect"}},
    {Command::Pixels, {L"--id", L"--class", L"--rect"}},
    {Command::ClickAt, {L"--id", L"--x", L"--y", L"--release-x", L"--release-y"}},
    {Command::Key, {L"--vk", L"--id"}},
    {Command::Close, {L"--keep-open"}},
    {Command::Size, {L"--width", L"--height"}},
    {Command::Show, {L"--state"}},
    {Command::Browse, {L"--path", L"--cancel"}},
    {Command::Hover, {L"--id", L"--x", L"--y"}},
    {Command::Drag, {L"--id", L"--x", L"--y", L"--dx", L"--dy"}},
    {Command::Icon, {L"--id"}},
    {Command::Help, {}}};

// The options each command cannot do without.
const std::map<Command, std::vector<std::wstring>> kRequiredOptions = {
    {Command::Click, {L"--id"}},
    {Command::SetText, {L"--id", L"--text"}},
    {Command::Windows, {L"--class"}},
    {Command::Capture, {L"--out"}},
    {Command::ClickAt, {L"--id", L"--x", L"--y"}},
    {Command::Key, {L"--vk"}},
    {Command::Size, {L"--width", L"--height"}},
    {Command::Show, {L"--state"}},
    {Command::Hover, {L"--id", L"--x", L"--y"}},
    {Command::Drag, {L"--id", L"--x", L"--y", L"--dx", L"--dy"}},
    {Command::Icon, {L"--id"}}};

// Options of which a command takes exactly one: the ways to name what it works on.
const std::map<Command, std::vector<std::wstring>> kOneOfOptions = {
    {Command::Capture, {L"--id", L"--class", L"--rect"}},
    {Command::Pixels, {L"--id", L"--class", L"--rect"}},
    {Command::Browse, {L"--path", L"--cancel"}}};

const std::set<std::wstring> kCommonOptions = {L"--pid", L"--process", L"--caption", L"--timeout"};

const std::set<std::wstring> kFlags = {L"--keep-open", L"--geometry", L"--absent", L"--cancel"};

std::optional<long long> ParseInteger(const std::wstring& text, long long lowest, long long highest) {
  if (text.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  errno = 0;
  long long value = std::wcstoll(text.c_str(), &end, 10);
  if (*end != L'\0' || errno == ERANGE || value < lowest || value > highest) return std::nullopt;
  return value;
}

// Four decimal numbers separated by commas, the right and bottom edges beyond the left and top.
std::optional<RECT> ParseRect(const std::wstring& text) {
  long values[4] = {};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    size_t comma = i < 3 ? text.find(L',', start) : text.size();
    if (comma == std::wstring::npos) return std::nullopt;
    std::optional<long long> value = ParseInteger(text.substr(start, comma - start), -32768, 32767);
    if (!value) return std::nullopt;
    values[i] = static_cast<long>(*value);
    start = comma + 1;
  }
  if (values[2] <= values[0] || values[3] <= values[1]) return std::nullopt;
  return RECT{values[0], values[1], values[2], values[3]};
}

// Where each numeric option goes and which values it takes.
struct NumberOption {
  long long lowest;
  long long highest;
  std::function<void(Options&, long long)> store;
};

const std::map<std::wstring, NumberOption> kNumberOptions = {
    {L"--id", {INT_MIN, INT_MAX, [](Options& o, long long v) { o.controlId = static_cast<int>(v); }}},
    {L"--pid",
     {0, std::numeric_limits<DWORD>::max(),
      [](Options& o, long long v) { o.filter.processId = static_cast<DWORD>(v); }}},
    {L"--timeout",
     {0, std::numeric_limits<DWORD>::max(), [](Options& o, long long v) { o.timeoutMs = static_cast<DWORD>(v); }}},
    {L"--x", {-32768, 32767, [](Options& o, long long v) { o.pressX = static_cast<int>(v); }}},
    {L"--y", {-32768, 32767, [](Options& o, long long v) { o.pressY = static_cast<int>(v); }}},
    {L"--release-x", {-32768, 32767, [](Options& o, long long v) { o.releaseX = static_cast<int>(v); }}},
    {L"--release-y", {-32768, 32767, [](Options& o, long long v) { o.releaseY = static_cast<int>(v); }}},
    {L"--dx", {-32768, 32767, [](Options& o, long long v) { o.deltaX = static_cast<int>(v); }}},
    {L"--dy", {-32768, 32767, [](Options& o, long long v) { o.deltaY = static_cast<int>(v); }}},
    {L"--width", {1, 32767, [](Options& o, long long v) { o.width = static_cast<int>(v); }}},
    {L"--height", {1, 32767, [](Options& o, long long v) { o.height = static_cast<int>(v); }}}};

std::wstring ApplyNumber(Options& options, const std::wstring& name, const std::wstring& value) {
  const NumberOption& option = kNumberOptions.at(name);
  std::optional<long long> number = ParseInteger(value, option.lowest, option.highest);
  if (!number) return name + L" takes a decimal number in range, not \"" + value + L"\"";
  option.store(options, *number);
  return L"";
}

const std::map<std::wstring, KeyName> kKeyNames = {
    {L"RETURN", KeyName::Return}, {L"ESCAPE", KeyName::Escape}, {L"SPACE", KeyName::Space}, {L"TAB", KeyName::Tab}};

const std::map<std::wstring, ShowState> kShowStates = {
    {L"maximize", ShowState::Maximize}, {L"restore", ShowState::Restore}, {L"minimize", ShowState::Minimize}};

// Options whose value is one of a few words.
std::wstring ApplyChoice(Options& options, const std::wstring& name, const std::wstring& value) {
  if (name == L"--via") {
    if (value != L"button" && value != L"command") return L"--via takes button or command";
    options.press = value == L"button" ? PressMethod::ButtonClick : PressMethod::DialogCommand;
  } else if (name == L"--vk") {
    auto key = kKeyNames.find(value);
    if (key == kKeyNames.end()) return L"--vk takes RETURN, ESCAPE, SPACE or TAB";
    options.key = key->second;
  } else {
    auto state = kShowStates.find(value);
    if (state == kShowStates.end()) return L"--state takes maximize, restore or minimize";
    options.showState = state->second;
  }
  return L"";
}

const std::map<std::wstring, std::optional<std::wstring> Options::*> kTextOptions = {
    {L"--text", &Options::text},
    {L"--until-file", &Options::untilFile},
    {L"--class", &Options::className},
    {L"--out", &Options::outFile},
    {L"--path", &Options::path}};

// Stores one option's value; returns an error text, empty when it is accepted.
std::wstring Apply(Options& options, const std::wstring& name, const std::wstring& value) {
  if (name == L"--process") {
    options.filter.process = value;
  } else if (name == L"--caption") {
    options.filter.caption = value;
  } else if (auto text = kTextOptions.find(name); text != kTextOptions.end()) {
    options.*(text->second) = value;
  } else if (name == L"--rect") {
    options.area = ParseRect(value);
    if (!options.area) return L"--rect takes L,T,R,B with R > L and B > T, not \"" + value + L"\"";
  } else if (name == L"--via" || name == L"--vk" || name == L"--state") {
    return ApplyChoice(options, name, value);
  } else {
    return ApplyNumber(options, name, value);
  }
  return L"";
}

void ApplyFlag(Options& options, const std::wstring& name) {
  if (name == L"--keep-open")
    options.keepOpen = true;
  else if (name == L"--geometry")
    options.geometry = true;
  else if (name == L"--absent")
    options.absent = true;
  else if (name == L"--cancel")
    options.cancel = true;
}

std::wstring CheckCombination(const std::wstring& command, Command which, const std::set<std::wstring>& given) {
  if (auto required = kRequiredOptions.find(which); required != kRequiredOptions.end()) {
    for (const std::wstring& name : required->second) {
      if (!given.contains(name)) return command + L" needs " + name;
    }
  }
  if (auto oneOf = kOneOfOptions.find(which); oneOf != kOneOfOptions.end()) {
    size_t count = 0;
    std::wstring names;
    for (const std::wstring& name : oneOf->second) {
      count += given.contains(name) ? 1 : 0;
      names += (names.empty() ? L"" : L" or ") + name;
    }
    if (count != 1) return command + L" takes exactly one of " + names;
  }
  if (given.contains(L"--release-x") != given.contains(L"--release-y")) {
    return L"--release-x and --release-y go together";
  }
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
  std::set<std::wstring> given;
  for (int i = 2; i < argc; ++i) {
    std::wstring name = argv[i];
    if (!own.contains(name) && !kCommonOptions.contains(name)) {
      return {std::nullopt, L"unknown option " + name + L" for " + argv[1]};
    }
    given.insert(name);
    if (kFlags.contains(name)) {
      ApplyFlag(options, name);
      continue;
    }
    if (i + 1 == argc) return {std::nullopt, name + L" needs a value"};
    std::wstring error = Apply(options, name, argv[++i]);
    if (!error.empty()) return {std::nullopt, error};
  }
  std::wstring error = CheckCombination(argv[1], options.command, given);
  if (!error.empty()) return {std::nullopt, error};
  return {options, L""};
}

}  // namespace ui_driver
