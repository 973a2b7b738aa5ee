#!/usr/bin/env bash
# Builds the Linux launcher and starts the sample application in examples/
# through it: the launcher finds the installed Java runtime as a registered one.
# The build leaves the tests out, so neither GoogleTest nor MinGW-w64 is needed;
# it has a folder of its own so that the host preset's build keeps its tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages cmake ninja-build g++ openjdk-17-jdk-headless

cmake --preset host -B build/demo -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
cmake --build build/demo --target launcher sample_application
cd build/demo/examples
./sample "$@"
