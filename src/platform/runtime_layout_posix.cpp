#include "platform/runtime_layout.h"

namespace launcher::platform {

// Java 9 and later keep their libraries in lib/, Java 8 in lib/amd64/.
WideStringList JvmLibrarySubPaths(const WideString& vmFolder) {
  return {L"lib/" + vmFolder + L"/libjvm.so", L"lib/amd64/" + vmFolder + L"/libjvm.so"};
}

WideStringList JavaLibraryMarkers() { return {L"lib/libjava.so", L"lib/amd64/libjava.so"}; }

const wchar_t* const kCompilerFile = L"bin/javac";
const wchar_t* const kRuntimeHomeVariable = L"JAVA_HOME";
const wchar_t* const kJdkRuntimeFolder = L"jre/";
const bool kPreloadRuntimeDependencies = false;
const wchar_t* const kJavaProgram = L"bin/java";
const wchar_t* const kPrivateRuntimeFolder = L"jre64/";
const wchar_t* const kSplashLibraryName = L"libsplashscreen.so";

}  // namespace launcher::platform
