#include "settings/builtin_settings_check.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "common/text.h"
#include "platform/text.h"
#include "settings/builtin_settings.h"
#include "settings/settings_keys.h"
#include "settings/settings_values.h"

namespace launcher::settings {

namespace {

// The keys read_settings.cpp reads through the layered reader, the only
// reader that consults the built-in layer.
const BuiltinLayerSection kLayeredSections[] = {
    {keys::kRuntimeSection,
     {keys::kMinimumVersion, keys::kMaximumVersion, keys::kPreferredVersions, keys::kJrePath, keys::kJvmType,
      keys::kJvmSource, keys::kVmProvider, keys::kSystemPath, keys::kLibraryPath, keys::kVmParameters,
      keys::kStartupCache, keys::kUserOptions}},
    {keys::kApplicationSection,
     {keys::kApplicationType, keys::kSingleInstance, keys::kMainClass, keys::kFailureCheck, keys::kOverrideWorkingDir,
      keys::kPairProduct, keys::kPairReturnCode, keys::kEmbeddedJar, keys::kOutputFile, keys::kOutputAppend,
      keys::kErrorFile, keys::kErrorAppend, keys::kCmd, keys::kAppUserModelId, keys::kRestartExitCodes}},
    {keys::kClassPathSection, {keys::kClassPath}},
    {keys::kDownloadSection,
     {keys::kArchiveUrl, keys::kArchiveSha256, keys::kArchiveSize, keys::kRuntimeName, keys::kOffer},
     keys::kArchiveUrl},
};

const wchar_t* const kUserOptionsWords[] = {L"all", L"memory", L"off"};

// Sections read only from the settings file beside the executable.
const wchar_t* const kFileOnlySections[] = {keys::kProductSection, keys::kDisplaySection};

const BuiltinLayerSection* FindSection(const WideString& name) {
  for (const BuiltinLayerSection& section : kLayeredSections) {
    if (name == section.name) return &section;
  }
  return nullptr;
}

// The spelling the launcher reads, when the name differs from it only in letter case.
const wchar_t* SpellingOf(const WideString& name, std::initializer_list<const wchar_t*> known) {
  for (const wchar_t* each : known) {
    if (EqualsIgnoringCase(name, each)) return each;
  }
  return nullptr;
}

WideString CaseHint(const wchar_t* spelling) {
  return spelling ? WideString(L" (the launcher reads \"") + spelling + L"\", letter case included)" : WideString();
}

// "<numbered> N" with N a number from 2 on, written without leading zeros.
bool IsNumberedKey(const WideString& key, const wchar_t* numbered) {
  if (numbered == nullptr) return false;
  const WideString prefix = WideString(numbered) + L" ";
  if (!key.starts_with(prefix) || key.size() == prefix.size()) return false;
  const WideString number = key.substr(prefix.size());
  if (number[0] == L'0' || number == L"1") return false;
  return std::all_of(number.begin(), number.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The first entry of the key in the section, as the launcher reads it; null when there is none.
const BuiltinSettings::Entry* EntryOf(const BuiltinSettings::Section& section, const wchar_t* key) {
  for (const BuiltinSettings::Entry& entry : section.entries) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

// A [Runtime Download] that the launcher would ignore as a whole.
void CheckDownloadSection(const BuiltinSettings::Section& section, std::vector<SettingsNotice>& notices) {
  const BuiltinSettings::Entry* sha256 = EntryOf(section, keys::kArchiveSha256);
  if (sha256 == nullptr || !ParseSha256Text(sha256->value)) {
    notices.push_back({sha256 ? sha256->line : section.line,
                       L"[" + section.name +
                           L"] has no well-formed \"Archive SHA-256\" (64 hexadecimal digits): the launcher ignores "
                           L"the section and offers no runtime"});
  }
  if (EntryOf(section, keys::kArchiveUrl) == nullptr) {
    notices.push_back(
        {section.line, L"[" + section.name + L"] has no \"Archive URL\": the launcher ignores the section"});
  }
  const BuiltinSettings::Entry* size = EntryOf(section, keys::kArchiveSize);
  if (size != nullptr && !ParseByteCount(size->value)) {
    notices.push_back({size->line, L"\"Archive Size\" is not a number of bytes: the launcher does not use it"});
  }
}

// A value the launcher would not take as meant: the "App User Model ID" it
// ignores, a "User Options" word it does not know. Empty when it would.
WideString ValueNotice(const BuiltinSettings::Entry& entry) {
  if (entry.key == keys::kAppUserModelId && !entry.value.empty()) {
    if (const char* fault = AppUserModelIdFault(entry.value)) {
      return L"\"" + entry.value + L"\" " + platform::FromUtf8(fault) +
             L": the launcher ignores this App User Model ID";
    }
  }
  if (entry.key == keys::kUserOptions && !entry.value.empty() &&
      !std::any_of(std::begin(kUserOptionsWords), std::end(kUserOptionsWords),
                   [&](const wchar_t* word) { return EqualsIgnoringCase(entry.value, word); })) {
    return L"User Options=" + entry.value + L" is not all, memory or off: the launcher takes memory";
  }
  return {};
}

void CheckEntries(const BuiltinSettings::Section& section, const BuiltinLayerSection& known,
                  std::vector<SettingsNotice>& notices) {
  for (const BuiltinSettings::Entry& entry : section.entries) {
    if (std::any_of(known.keys.begin(), known.keys.end(), [&](const wchar_t* key) { return entry.key == key; })) {
      if (WideString notice = ValueNotice(entry); !notice.empty()) notices.push_back({entry.line, notice});
      continue;
    }
    if (IsNumberedKey(entry.key, known.numberedKey)) continue;
    notices.push_back({entry.line, L"unknown key \"" + entry.key + L"\" in [" + section.name + L"]" +
                                       CaseHint(SpellingOf(entry.key, known.keys))});
  }
}

// A lower bound without an upper one leaves the upper bound at 0.0.0.0, so no
// installed runtime qualifies: the user who installs the Java the dialog asks
// for is asked again.
void CheckVersionBounds(const BuiltinSettings& settings, std::vector<SettingsNotice>& notices) {
  // The first section of the name is the one the launcher reads.
  const auto runtime = std::find_if(settings.sections.begin(), settings.sections.end(),
                                    [](const BuiltinSettings::Section& s) { return s.name == keys::kRuntimeSection; });
  if (runtime == settings.sections.end()) return;
  const BuiltinSettings::Entry* minimum = EntryOf(*runtime, keys::kMinimumVersion);
  const BuiltinSettings::Entry* maximum = EntryOf(*runtime, keys::kMaximumVersion);
  if (minimum == nullptr || minimum->value.empty() || (maximum != nullptr && !maximum->value.empty())) return;
  notices.push_back({minimum->line,
                     L"\"Minimum Version\" is set but \"Maximum Version\" is not, so the upper bound is "
                     L"0.0.0.0 and no installed runtime qualifies: users who install Java are still asked "
                     L"for it; add \"Maximum Version=any\" (or the highest version the application "
                     L"supports)"});
}

}  // namespace

std::span<const BuiltinLayerSection> BuiltinLayerSections() { return kLayeredSections; }

std::vector<SettingsNotice> CheckBuiltinSettings(const WideString& text) {
  std::vector<SettingsNotice> notices;
  const BuiltinSettings settings = ParseBuiltinSettings(text);
  CheckVersionBounds(settings, notices);
  std::initializer_list<const wchar_t*> sectionNames{keys::kRuntimeSection, keys::kApplicationSection,
                                                     keys::kClassPathSection, keys::kDownloadSection};
  for (size_t i = 0; i < settings.sections.size(); ++i) {
    const BuiltinSettings::Section& section = settings.sections[i];
    const auto first = std::find_if(settings.sections.begin(), settings.sections.begin() + i,
                                    [&](const BuiltinSettings::Section& other) { return other.name == section.name; });
    if (first != settings.sections.begin() + i) {
      notices.push_back({section.line, L"[" + section.name + L"] repeats the section of line " +
                                           std::to_wstring(first->line) + L"; only the first is read"});
      continue;
    }
    if (const BuiltinLayerSection* known = FindSection(section.name)) {
      CheckEntries(section, *known, notices);
      if (section.name == keys::kDownloadSection) CheckDownloadSection(section, notices);
    } else if (std::any_of(std::begin(kFileOnlySections), std::end(kFileOnlySections),
                           [&](const wchar_t* name) { return section.name == name; })) {
      notices.push_back({section.line, L"[" + section.name +
                                           L"] is read only from the settings file beside the executable, "
                                           L"not from the built-in settings"});
    } else {
      notices.push_back({section.line, L"unknown section [" + section.name + L"]" +
                                           CaseHint(SpellingOf(section.name, sectionNames))});
    }
  }
  std::stable_sort(notices.begin(), notices.end(),
                   [](const SettingsNotice& a, const SettingsNotice& b) { return a.line < b.line; });
  return notices;
}

}  // namespace launcher::settings
