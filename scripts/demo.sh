#!/usr/bin/env bash
# Builds the Linux launcher and starts the sample application in examples/
# through it: the launcher finds the installed Java runtime as a registered one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages cmake ninja-build g++ googletest openjdk-17-jdk-headless g++-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix

cmake --preset host >/dev/null
cmake --build --preset host --target launcher sample_application
cd build/host/examples
./sample "$@"
