#include "runtime_files.h"

#include "platform/runtime_layout.h"
#include "test_support.h"

namespace launcher {

namespace test {

WideString JvmLibraryPath(const WideString& home, const WideString& vm) {
  return home + platform::JvmLibrarySubPaths(vm).front();
}

void AddJvmLibrary(const WideString& home, const WideString& vm) { Touch(JvmLibraryPath(home, vm)); }

void AddJavaLibrary(const WideString& folder) { Touch(folder + platform::JavaLibraryMarkers().front()); }

}  // namespace test

}  // namespace launcher
