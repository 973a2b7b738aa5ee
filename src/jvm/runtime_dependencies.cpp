#include "jvm/runtime_dependencies.h"

#include <algorithm>
#include <memory>

#include "jvm/library_imports.h"
#include "platform/files.h"
#include "platform/library.h"
#include "platform/paths.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"

namespace launcher::jvm {

namespace {

// A name that can only mean a file of the folder: printable, no path in it.
bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return c >= 0x20 && c < 0x7F && c != '\\' && c != '/' && c != ':'; });
}

}  // namespace

WideStringList RuntimeDependencies(const std::vector<std::string>& imported, const WideString& folder) {
  WideStringList paths;
  for (const std::string& name : imported) {
    if (!IsPlainFileName(name)) continue;
    const WideString path = folder + platform::FromUtf8(name);
    if (platform::FileExists(path)) paths.push_back(path);
  }
  return paths;
}

void LoadRuntimeDependencies(const WideString& jvmLibrary, Trace& trace) {
  if (!platform::kPreloadRuntimeDependencies) return;
  const platform::SystemResult<platform::MappedFile> image = platform::MappedFile::Open(jvmLibrary);
  if (!image) return;
  // bin\server\jvm.dll: the runtime's native folder is bin\.
  const WideString folder = platform::WithTrailingSeparator(platform::ParentOf(platform::ParentOf(jvmLibrary)));
  for (const WideString& path : RuntimeDependencies(ImportedLibraries(image->Bytes()), folder)) {
    const platform::SystemResult<void*> loaded = platform::LoadRuntimeLibraryForever(path);
    TraceLine line(trace, "runtime-dependency");
    line.Text("path", path).Flag("loaded", loaded.has_value());
    if (!loaded) line.Number("error", loaded.error().code);
    line.Write();
  }
}

}  // namespace launcher::jvm
