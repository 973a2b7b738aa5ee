#include "platform/runtime_layout.h"

namespace launcher::platform {

WideStringList JvmLibrarySubPaths(const WideString& vmFolder) { return {L"bin\\" + vmFolder + L"\\jvm.dll"}; }

WideStringList JavaLibraryMarkers() { return {L"bin\\java.dll"}; }

const wchar_t* const kCompilerFile = L"bin\\javac.exe";
const wchar_t* const kRuntimeHomeVariable = L"";
const wchar_t* const kJdkRuntimeFolder = L"jre\\";
const bool kPreloadRuntimeDependencies = true;
const wchar_t* const kJavaProgram = L"bin\\java.exe";
const wchar_t* const kPrivateRuntimeFolder = L"jre64\\";
const wchar_t* const kSplashLibraryName = L"splashscreen.dll";

}  // namespace launcher::platform
