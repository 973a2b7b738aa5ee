#include "jvm/process_environment.h"

#include "platform/paths.h"
#include "platform/process.h"

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

WideString ApplyProcessEnvironment(const EnvironmentSettings& settings, const WideString& jvmLibrary,
                                   const WideString& runtimeHome, const WideString& executableFolder, Trace& trace) {
  SetVariable(L"QX_JVM_PATH", jvmLibrary, trace);
  SetVariable(L"QX_JVM_HOME", runtimeHome, trace);
  WideString libraryPath;
  if (!settings.libraryPath.empty())
    libraryPath = ComposeLibraryPath(settings.libraryPath, runtimeHome, executableFolder);
  ExtendSearchPath(settings.systemPath, runtimeHome, trace);
  return libraryPath;
}
