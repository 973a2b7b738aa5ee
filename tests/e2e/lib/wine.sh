# How the scenarios reach Wine: paths as Windows programs see them and Wine
# commands whose output nobody reads.

# Wine decodes the command line of a Windows program with the locale's
# character set: one UTF-8 locale everywhere keeps non-ASCII arguments intact.
export LC_ALL=C.UTF-8

# The Windows path under which Wine shows a Unix path (drive Z: is the root).
# Computed, not asked of winepath: winepath cuts paths longer than MAX_PATH.
win_path() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

# A path as the launched program sees it: win_path on Windows, as it is on Linux.
native_path() {
  if [ "$E2E_PLATFORM" = windows ]; then win_path "$1"; else printf '%s' "$1"; fi
}

wine_quiet() { "$E2E_WINE" "$@" </dev/null >/dev/null 2>&1; }
