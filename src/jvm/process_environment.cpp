#include "jvm/process_environment.h"

#include <set>

#include "common/split_list.h"
#include "platform/environment.h"
#include "platform/library_search.h"
#include "platform/path_syntax.h"

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

WideString ExtendSearchPath(const WideString& systemPath, const WideString& runtimeHome, Trace& trace) {
  WideString path = systemPath;
  if (!path.empty() && path.back() != kListSeparator) path += kListSeparator;
  path += SearchPathReference() + kListSeparator + runtimeHome + platform::kPathSeparator + L"bin";
  path = platform::ExpandEnvironmentReferences(path);
  SetVariable(platform::kSearchPathVariable, path, trace);
  return path;
}

// Where the system keeps a list of library folders (once the current
// directory is out of its search), the search path's folders join it, so that
// the libraries the application loads still find theirs there, the runtime's
// bin folder among them. A relative folder would be found from the current
// directory: it is left out.
void SearchLibrariesInFoldersOf(const WideString& searchPath, Trace& trace) {
  std::set<WideString> added;
  for (const WideString& folder : SplitList(searchPath, WideString(1, kListSeparator))) {
    if (!platform::IsAbsolutePath(folder) || !added.insert(folder).second) continue;
    if (platform::AddLibrarySearchFolder(folder))
      TraceLine(trace, "library-search-folder").Text("path", folder).Write();
  }
}

}  // namespace

WideString ApplyProcessEnvironment(const EnvironmentSettings& settings, const WideString& jvmLibrary,
                                   const WideString& runtimeHome, const WideString& executableFolder, Trace& trace) {
  SetVariable(L"QX_JVM_PATH", jvmLibrary, trace);
  SetVariable(L"QX_JVM_HOME", runtimeHome, trace);
  WideString libraryPath;
  if (!settings.libraryPath.empty())
    libraryPath = ComposeLibraryPath(settings.libraryPath, runtimeHome, executableFolder);
  SearchLibrariesInFoldersOf(ExtendSearchPath(settings.systemPath, runtimeHome, trace), trace);
  return libraryPath;
}
