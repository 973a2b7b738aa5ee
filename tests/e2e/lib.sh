# Sourced by every end-to-end scenario. A scenario works in a folder of its
# own: it puts a copy of the launcher and a settings file there, runs the
# launcher, drives its dialogs and checks how it ended. On exit, whatever the
# outcome, the processes it started are ended, the registry keys it made are
# deleted and (when it passed) its folder is removed.
#
# Set by tests/e2e/CMakeLists.txt:
#   E2E_PLATFORM   windows or linux
#   E2E_LAUNCHER   the launcher that was built
#   E2E_WORK_DIR   the folder that holds the scenario folders
#   E2E_UI_DRIVER  ui_driver.exe (windows)
#   E2E_WINE       the Wine loader (windows); the caller has started the Wine
#                  session (DISPLAY, WINEPREFIX, a persistent wineserver)
#   E2E_STUB_JVM, E2E_STUB_JVM_NO_DEFAULT_ARGS
#                  the stub runtime's two jvm.dll builds (windows; see
#                  tests/fixtures/stub_jvm/README.md)
#   E2E_STUB_JVM_WITH_DEPENDENCY, E2E_STUB_DEPENDENCY, E2E_STUB_DEPENDENCY_PLANTED
#                  a stub jvm.dll that imports jvmdep140.dll from its runtime's
#                  bin folder, and two builds of that DLL (windows)
#   E2E_STUB_SPLASH, E2E_STUB_SPLASH_NO_JAR_NAME
#                  stand-ins for a runtime's splashscreen.dll (windows)
#   E2E_JNI_LIBRARY, E2E_JNI_LIBRARY_DEPENDENCY
#                  a JNI library and the DLL it imports, side by side (windows)
#   E2E_AVIAN_FOLDER  a real JVM for Windows (its source, classpath.jar), when the
#                  machine has one; a scenario that needs it is skipped (exit 77) without it
#   E2E_AVIAN_JVM  its jvm.dll, built with tests/fixtures/avian-patches
#   E2E_PROBE_JAR  the probe application compiled for it (tests/fixtures/java)
#   E2E_CONSOLE_LAUNCHER  launcher-console.exe, the console launcher (windows)
#   E2E_CONSOLE_CONTROL   console_control.exe, which presses Ctrl+C in a console (windows)
#   E2E_COMPANION_RECORDER  a program that records its command line (windows)
#   E2E_JVM_I686   a 32-bit x86 jvm.dll image (windows)
#   E2E_INSTALL_TOOL  runtime_install_tool: the runtime install library from the
#                  command line (tests/tools)
#   E2E_ARCHIVE_SERVER  archive_server.py, a loopback server of archives (tests/tools)
#   E2E_BRAND      launcher-brand (host build on linux, launcher-brand.exe on windows)
#   E2E_BRAND_INPUT  the image it brands: launcher.exe (windows), a fixture image
#                  with the launcher's resources (linux)
#   E2E_RESOURCE_PROBE  reads a file's resources as Windows does (windows)
#   E2E_HOST_PACKAGE  the host build's launcher-package, which the packaging
#                  scenarios run (windows); they are skipped without it
#   E2E_ARGV_RECORDER  a program that records its argument vector (linux)
#   E2E_DESKTOP_DIR  the built desktop sample: desktop.jar, splash.png (linux)
#   E2E_WINDOW_FIXTURE  windows for testing the UI driver (windows)
#   E2E_READDIR_FAULT
#                  a library to preload that ends the listing of the folder
#                  named by READDIR_FAULT_FOLDER with a read error (linux)
#   E2E_NO_JNI_LIBRARY
#                  a shared library without JNI entry points (linux)
#   (tests/fixtures/README.md and tests/tools/README.md describe them)
# Optional:
#   E2E_KEEP=1     keep the folder of a scenario that passed
#   E2E_DIALOG_TIMEOUT_MS, E2E_EXIT_TIMEOUT (seconds): how long to wait
#
# The functions live in lib/, one concern a file; the order below only matters
# for readers, since every function is looked up when it is called.

set -u -o pipefail

e2e_lib=$(dirname "${BASH_SOURCE[0]}")/lib
source "$e2e_lib/scenario.sh"
source "$e2e_lib/wine.sh"
source "$e2e_lib/files.sh"
source "$e2e_lib/running.sh"
source "$e2e_lib/dialogs.sh"
source "$e2e_lib/reports.sh"
source "$e2e_lib/registry.sh"
source "$e2e_lib/stub_runtime.sh"
source "$e2e_lib/assertions.sh"
source "$e2e_lib/trace.sh"
source "$e2e_lib/branding.sh"
source "$e2e_lib/packaging.sh"
unset e2e_lib
