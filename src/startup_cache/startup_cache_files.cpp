#include "startup_cache/startup_cache_files.h"

#include "platform/paths.h"
#include "platform/text.h"

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
