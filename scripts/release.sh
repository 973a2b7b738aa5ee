#!/usr/bin/env bash
# Builds what a publisher ships from the commit checked out, into dist/:
# launcher.exe, launcher-console.exe and launcher-brand.exe (MinGW-w64), the
# Linux launcher-brand and launcher-package, and SHA256SUMS. Tests are left
# out and optimisation is on. Two runs from the same commit, in any folders,
# give the same bytes: build paths are mapped away, the Windows linker writes
# no time stamp, nothing else is stamped, and no compiler cache is used, so
# that the bytes are the compiler's own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages "${RELEASE_PACKAGES[@]}"

unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
# Anything a tool stamps gets the commit's time, never the build's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH
flags="-ffile-prefix-map=$root=."
common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_BUILD_TESTS=OFF
  "-DCMAKE_C_FLAGS=$flags" "-DCMAKE_CXX_FLAGS=$flags")

cmake -S . -B build/release-host "${common[@]}" >/dev/null
cmake --build build/release-host --target launcher-brand launcher-package
cmake -S . -B build/release-windows "${common[@]}" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp >/dev/null
cmake --build build/release-windows --target launcher launcher-console launcher-brand

rm -rf dist
mkdir dist
cp build/release-windows/launcher.exe build/release-windows/launcher-console.exe \
  build/release-windows/launcher-brand.exe build/release-host/launcher-brand build/release-host/launcher-package dist/
(cd dist && sha256sum launcher.exe launcher-console.exe launcher-brand.exe launcher-brand launcher-package >SHA256SUMS)
echo "dist/ holds the release of $(git describe --always --dirty 2>/dev/null || echo "an unknown commit"):"
cat dist/SHA256SUMS
