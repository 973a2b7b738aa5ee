# Sourced by the entry points: installs the Debian packages the builds and tests
# need, when any is missing (one apt-get update, then one install).

REQUIRED_PACKAGES=(
  cmake ninja-build g++ googletest
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix
  wine wine64 xvfb imagemagick
  openjdk-17-jdk-headless
  icoutils python3-pefile osslsigncode openssl
  clang libclang-rt-14-dev
  # The runtime install: zlib linked in; libcurl (OpenSSL flavour) and libcrypto
  # loaded at their first use, their headers for the types.
  zlib1g-dev libcurl4-openssl-dev libssl-dev curl unzip
  # The real JVM of the Windows scenarios, built from its source beside the project.
  make patch zlib1g-dev binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  # launcher-package: wixl builds the installer, libmsi fixes its stamps,
  # msitools' readers show its tables.
  wixl msitools libmsi-dev libglib2.0-dev pkg-config
)

# What scripts/release.sh builds with: both compilers, no test tools.
RELEASE_PACKAGES=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix openjdk-17-jdk-headless zlib1g-dev
  libz-mingw-w64-dev libcurl4-openssl-dev libssl-dev wixl msitools libmsi-dev libglib2.0-dev pkg-config)

# What the fuzz targets need (scripts/fuzz.sh): clang with libFuzzer and the
# sanitizers' run-time libraries, and what every build needs.
FUZZ_PACKAGES=(cmake ninja-build clang libclang-rt-14-dev openjdk-17-jdk-headless zlib1g-dev libcurl4-openssl-dev libssl-dev)

missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || echo "$package"
  done
}

ensure_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: $missing"
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
}
