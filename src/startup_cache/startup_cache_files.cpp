#include "startup_cache/startup_cache_files.h"

#include "platform/paths.h"
#include "platform/text.h"

namespace launcher::startup_cache {

namespace {

bool EndsWith(const WideString& text, const WideString& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

StartupCacheFiles NameCacheFiles(const WideString& folder, const std::string& family, const std::string& key,
                                 CacheMechanism mechanism, uint32_t processId) {
  const WideString base = folder + platform::FromUtf8(family + "-" + key);
  const WideString run = base + L"-" + std::to_wstring(processId);
  return {base + (mechanism == CacheMechanism::AotCache ? L".aot" : L".jsa"),
          base + L".stamp",
          base + L".failed",
          run + L".classlist",
          run + L".tmp",
          run + L".out",
          run + L".job"};
}

bool PathSuitsRuntimeOptions(const WideString& path) {
  return path.find(L'%') == WideString::npos && path.find(platform::kPathListSeparator) == WideString::npos &&
         platform::FromAnsi(platform::ToAnsi(path)) == path;
}

bool IsLastingCacheFile(const WideString& name) {
  return EndsWith(name, L".jsa") || EndsWith(name, L".aot") || EndsWith(name, L".stamp") || EndsWith(name, L".failed");
}

std::string StampText(const platform::FileIdentity& archive) {
  return std::to_string(archive.size) + " " + std::to_string(archive.modified) + "\n";
}

BuildEnding ClassifyBuildEnding(const BuildOutcome& outcome) {
  const std::optional<uint32_t>& exitCode = outcome.exitCode;
  if (exitCode == 0u && outcome.archivePlaced) return BuildEnding::Built;
  if (outcome.diskFull) return BuildEnding::DiskFull;
  if (!exitCode || *exitCode > 128) return BuildEnding::BrokenOff;
  return BuildEnding::Refused;
}

BuildRecord ReadBuildRecord(std::string_view text) {
  const std::string_view line = text.substr(0, text.find('\n'));
  const std::string_view prefix = "attempts ";
  BuildRecord given{kBuildAttempts, true};
  if (line.substr(0, prefix.size()) != prefix) return given;
  std::string_view rest = line.substr(prefix.size());
  int32_t attempts = 0;
  size_t digits = 0;
  while (digits < rest.size() && digits < 4 && rest[digits] >= '0' && rest[digits] <= '9') {
    attempts = attempts * 10 + (rest[digits++] - '0');
  }
  rest.remove_prefix(digits);
  if (digits == 0 || (!rest.empty() && rest != " final")) return given;
  return {attempts, !rest.empty()};
}

std::string BuildRecordText(const BuildRecord& record, std::string_view log) {
  return "attempts " + std::to_string(record.attempts) + (record.final ? " final" : "") + "\n" + std::string(log);
}

}  // namespace launcher::startup_cache
