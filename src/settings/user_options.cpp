#include "settings/user_options.h"

#include <algorithm>

#include "common/split_list.h"
#include "common/text.h"
#include "platform/files.h"
#include "platform/text.h"

namespace launcher::settings {

namespace {

const char* PolicyWord(UserOptionsPolicy policy) {
  switch (policy) {
    case UserOptionsPolicy::All:
      return "all";
    case UserOptionsPolicy::Memory:
      return "memory";
    case UserOptionsPolicy::Off:
      return "off";
  }
  return "memory";
}

// Sizes follow these directly (-Xmx2g); the RAM options take "=" (an option
// such as -XX:MaxRAMFraction, which merely starts like one, is not among them).
constexpr const wchar_t* kSizeOptions[] = {L"-Xmx", L"-Xms", L"-Xss"};
constexpr const wchar_t* kRamOptions[] = {L"-XX:MaxRAMPercentage", L"-XX:InitialRAMPercentage", L"-XX:MaxRAM"};

bool IsMemoryOption(const WideString& option) {
  if (std::any_of(std::begin(kSizeOptions), std::end(kSizeOptions),
                  [&](const wchar_t* name) { return option.starts_with(name); })) {
    return true;
  }
  const WideString name = option.substr(0, option.find(L'='));
  return name.size() < option.size() &&
         std::any_of(std::begin(kRamOptions), std::end(kRamOptions), [&](const wchar_t* ram) { return name == ram; });
}

}  // namespace

UserOptionsPolicy ParseUserOptionsPolicy(const WideString& value) {
  if (EqualsIgnoringCase(value, L"all")) return UserOptionsPolicy::All;
  if (EqualsIgnoringCase(value, L"off")) return UserOptionsPolicy::Off;
  return UserOptionsPolicy::Memory;
}

UserOptions ParseUserOptions(std::string_view bytes, UserOptionsPolicy policy) {
  UserOptions options;
  if (policy == UserOptionsPolicy::Off) return options;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  for (const WideString& line : SplitList(platform::FromUtf8(bytes), L"\n")) {
    const WideString option = TrimWhiteSpace(line);
    if (option.empty() || option.front() == L'#') continue;
    if (option.front() != L'-') {
      options.dropped.push_back({option, "not an option"});
    } else if (policy == UserOptionsPolicy::Memory && !IsMemoryOption(option)) {
      options.dropped.push_back({option, "not a memory option"});
    } else {
      options.kept.push_back(option);
    }
  }
  return options;
}

WideString UserOptionsPathBeside(const WideString& perUserSettingsPath) {
  const size_t dot = perUserSettingsPath.rfind(L'.');
  return perUserSettingsPath.substr(0, dot) + L".options";
}

WideStringList ReadUserOptions(const WideString& path, UserOptionsPolicy policy, Trace& trace) {
  TraceLine line(trace, "user-options");
  line.Text("path", path).Word("policy", PolicyWord(policy));
  if (policy == UserOptionsPolicy::Off) {
    line.Sentence("not read").Write();
    return {};
  }
  // One byte more than the limit tells a file that is too large.
  const platform::SystemResult<std::string> bytes = platform::ReadFileStart(path, kLargestUserOptionsFileBytes + 1);
  if (!bytes && platform::IsNotFound(bytes.error())) {
    line.Flag("found", false).Write();
    return {};
  }
  if (!bytes) {
    line.Flag("found", true).Number("error", bytes.error().code).Sentence("unreadable: no options taken").Write();
    return {};
  }
  if (bytes->size() > kLargestUserOptionsFileBytes) {
    line.Flag("found", true).Sentence("larger than 64 KB: no options taken").Write();
    return {};
  }
  UserOptions options = ParseUserOptions(*bytes, policy);
  line.Flag("found", true).Write();
  for (const WideString& option : options.kept) TraceLine(trace, "user-option").Text("taken", option).Write();
  for (const DroppedUserOption& option : options.dropped) {
    TraceLine(trace, "user-option").Text("dropped", option.option).Sentence(option.reason).Write();
  }
  return std::move(options.kept);
}

}  // namespace launcher::settings
