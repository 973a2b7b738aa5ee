#include "jvm/jvm_options.h"

#include <optional>

#include "jvm/memory_options.h"
#include "launcher/command_line.h"
#include "launcher/launcher.h"
#include "launcher/messages.h"
#include "launcher/module_location.h"
#include "launcher/settings_file.h"
#include "launcher/settings_paths.h"
#include "launcher/split_list.h"
#include "launcher/text.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/memory_status.h"
#include "platform/path_syntax.h"

namespace {

const WideString kApplication = L"Application";

bool NeedsResolution(const WideString& entry) {
  return entry.find(L'*') != WideString::npos || entry.size() < 2 || !platform::IsAbsolutePath(entry);
}

WideString BuildClassPath(const LayeredReader& settings, const WideString& modulePath) {
  const WideString folder = modulePath.substr(0, modulePath.rfind(platform::kPathSeparator));
  WideString classPath;
  for (const WideString& item : SplitList(settings.ReadLayered(L"Class Path", L"Class Path"), L";")) {
    // An empty item would name the executable's folder itself: it is skipped.
    if (item.empty()) continue;
    WideString entry = platform::ExpandEnvironmentReferences(item);
    if (NeedsResolution(entry)) {
      ResolveClassPathEntry(entry, folder, classPath);
    } else {
      classPath += entry + platform::kPathListSeparator;
    }
  }
  if (EqualsIgnoringCase(settings.ReadLayered(kApplication, L"Embedded Jar"), L"Yes")) {
    classPath = modulePath + platform::kPathListSeparator + classPath;
  }
  return classPath;
}

void ReadStreamFile(const LayeredReader& settings, const WideString& fileKey, const WideString& appendKey,
                    WideString& file, bool& append) {
  file = settings.ReadLayered(kApplication, fileKey);
  if (!file.empty()) file = platform::ExpandEnvironmentReferences(file);
  append = settings.ReadLayered(kApplication, appendKey) == L"yes";
}

void AppendCmdArguments(const LayeredReader& settings, Launcher& launcher) {
  launcher.extraArguments = settings.ReadLayered(kApplication, L"Cmd");
  if (launcher.extraArguments.empty()) return;
  WideStringList pieces;
  SplitArguments(platform::ExpandEnvironmentReferences(launcher.extraArguments), pieces);
  for (const WideString& piece : pieces) {
    if (!piece.empty()) launcher.arguments.push_back(piece);
  }
}

}  // namespace

void ResolveClassPathEntry(const WideString& entry, const WideString& executableFolder, WideString& classPath) {
  WideString pattern = entry;
  if (!platform::IsAbsolutePath(entry)) {
    // Entries written with a leading separator ("\lib\*.jar") join the folder
    // as they are; others get one, so "lib\*.jar" means the same.
    const bool leadingSeparator = !entry.empty() && entry[0] == platform::kPathSeparator;
    pattern = executableFolder + (leadingSeparator ? L"" : WideString(1, platform::kPathSeparator)) + entry;
  }
  const WideString prefix = pattern.substr(0, pattern.rfind(platform::kPathSeparator) + 1);
  std::optional<WideStringList> names = platform::FindFiles(pattern);
  if (!names) return;
  for (const WideString& name : *names) classPath += prefix + name + platform::kPathListSeparator;
}

WideStringList SplitVmParameters(const WideString& value) {
  WideStringList tokens;
  const size_t n = value.size();
  // A layered value may start with the blank that joined its layers.
  size_t position = value.find_first_not_of(L' ');
  while (position < n) {
    size_t blank = value.find(L' ', position);
    size_t quote = value.find(L'"', position);
    while (blank != WideString::npos && quote != WideString::npos && quote < blank) {
      size_t close = value.find(L'"', quote + 1);
      if (close == WideString::npos) break;
      if (close + 1 < n && value[close + 1] == L'"') ++close;
      quote = value.find(L'"', close + 1);
      blank = value.find(L' ', close + 1);
    }
    const size_t end = blank == WideString::npos ? n : blank;
    tokens.push_back(value.substr(position, end - position));
    position = value.find_first_not_of(L' ', end);
    if (position == WideString::npos) break;
  }
  return tokens;
}

bool AssembleJvmOptions(Launcher& launcher) {
  WideString modulePath;
  if (!GetModulePath(launcher, modulePath)) return false;
  std::optional<WideString> settingsPath = SettingsPathFor(modulePath);
  if (!settingsPath) return false;
  LayeredReader settings = MakeLayeredReader(launcher, *settingsPath);

  WideString classPath = BuildClassPath(settings, modulePath);
  if (classPath.empty()) {
    ShowError(launcher.host.ui, launcher.splashWindow, StringId::kClassPathMissing);
    return false;
  }
  WideStringList options{L"-Djava.class.path=" + classPath};
  for (const WideString& token : SplitVmParameters(settings.ReadLayered(L"Java Runtime Environment",
                                                                         L"Virtual Machine Parameters"))) {
    AddVmParameter(token, options, launcher.jvmThreadStackSize, &platform::QueryMemoryFigures);
  }
  for (const WideString& option : options) {
    launcher.jvmOptions.push_back(platform::ToAnsi(platform::ExpandEnvironmentReferences(option)));
  }
  ReadStreamFile(settings, L"Output File", L"Output Append", launcher.outputFile, launcher.outputAppend);
  ReadStreamFile(settings, L"Error File", L"Error Append", launcher.errorFile, launcher.errorAppend);
  AppendCmdArguments(settings, launcher);
  return true;
}
