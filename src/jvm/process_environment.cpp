#include "jvm/process_environment.h"

#include "common/split_list.h"
#include "platform/library.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace launcher::jvm {

namespace {

const wchar_t kListSeparator = platform::kPathListSeparator;

WideString SearchPathReference() { return WideString(L"%") + platform::kSearchPathVariable + L"%"; }

void SetVariable(const WideString& name, const WideString& value, Trace& trace) {
  platform::SetEnvironmentValue(name, value);
  TraceLine(trace, "environment").Text("name", name).Text("value", value).Write();
}

// The setting, then the executable's folder, the current folder, the search
// path and the runtime's lib folder.
WideString ComposeLibraryPath(const WideString& setting, const WideString& runtimeHome,
                              const WideString& executableFolder) {
  WideString composed = setting;
  if (composed.back() != kListSeparator) composed += kListSeparator;
  composed += executableFolder + kListSeparator + L"." + kListSeparator + SearchPathReference() + kListSeparator +
              runtimeHome + platform::kPathSeparator + L"lib";
  return platform::ExpandEnvironmentReferences(composed);
}

void ExtendSearchPath(const WideString& systemPath, const WideString& runtimeHome, Trace& trace) {
  WideString path = systemPath;
  if (!path.empty() && path.back() != kListSeparator) path += kListSeparator;
  path += SearchPathReference() + kListSeparator + runtimeHome + platform::kPathSeparator + L"bin";
  path = platform::ExpandEnvironmentReferences(path);
  SetVariable(platform::kSearchPathVariable, path, trace);
}

}  // namespace

WideString ApplyProcessEnvironment(const settings::EnvironmentSettings& settings, const WideString& jvmLibrary,
                                   const WideString& runtimeHome, const WideString& executableFolder, Trace& trace) {
  SetVariable(L"QX_JVM_PATH", jvmLibrary, trace);
  SetVariable(L"QX_JVM_HOME", runtimeHome, trace);
  WideString libraryPath;
  if (!settings.libraryPath.empty())
    libraryPath = ComposeLibraryPath(settings.libraryPath, runtimeHome, executableFolder);
  ExtendSearchPath(settings.systemPath, runtimeHome, trace);
  return libraryPath;
}

WideStringList RuntimeLibrarySearchOrder(const LibrarySearchInputs& inputs) {
  WideStringList order{inputs.executableFolder, inputs.runtimeNativeFolder};
  order.insert(order.end(), inputs.systemFolders.begin(), inputs.systemFolders.end());
  for (const WideString& folder : SplitList(inputs.searchPath, WideString(1, kListSeparator))) {
    if (!folder.empty()) order.push_back(folder);
  }
  return order;
}

void PutRuntimeFirstInLibrarySearch(const WideString& jvmLibrary, const WideString& executableFolder, Trace& trace) {
  const WideString nativeFolder = platform::ParentOf(platform::ParentOf(jvmLibrary));
  const platform::LibrarySearchRule rule = platform::PutFolderFirstInLibrarySearch(nativeFolder);
  TraceLine line(trace, "runtime-library-search");
  line.Flag("runtime-folder-first", rule == platform::LibrarySearchRule::FolderFirst);
  // The order is worked out for the trace alone.
  if (rule == platform::LibrarySearchRule::FolderFirst && trace.Enabled()) {
    const WideString folder = platform::ParentOf(platform::WithTrailingSeparator(executableFolder));
    const WideStringList systemFolders = platform::SystemLibraryFolders();
    const WideString searchPath = platform::GetEnvironmentValue(platform::kSearchPathVariable).value_or(L"");
    const WideStringList order = RuntimeLibrarySearchOrder({folder, nativeFolder, systemFolders, searchPath});
    for (size_t i = 0; i < order.size(); ++i) line.Text("folder-" + std::to_string(i + 1), order[i]);
  }
  line.Write();
}

}  // namespace launcher::jvm
