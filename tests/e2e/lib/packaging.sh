# Packaging a branded launcher with the host build's launcher-package
# (E2E_HOST_PACKAGE) and installing the package with Wine's msiexec (windows).

PACKAGE_EXIT=

# Skips the scenario when the host build has no launcher-package (it needs
# libmsi; scripts/test.sh builds the host tree first).
require_package_tool() {
  if [ ! -x "${E2E_HOST_PACKAGE:-}" ]; then
    log "no host build of launcher-package at [${E2E_HOST_PACKAGE:-}]: skipped"
    exit 77
  fi
}

# package_application ARG...: runs launcher-package in the scenario folder;
# its output goes to package.out and package.err there, its exit code to
# PACKAGE_EXIT.
package_application() {
  PACKAGE_EXIT=0
  (cd "$SCENARIO_DIR" && exec "$E2E_HOST_PACKAGE" "$@") \
    </dev/null >"$SCENARIO_DIR/package.out" 2>"$SCENARIO_DIR/package.err" || PACKAGE_EXIT=$?
  log "launcher-package $* -> $PACKAGE_EXIT"
  [ "$PACKAGE_EXIT" -eq 0 ] || log "launcher-package's standard error: $(cat "$SCENARIO_DIR/package.err")"
}

# msiexec_quiet /i|/x FILE: installs or removes the package at FILE (in the
# scenario folder) without a user interface; fails unless msiexec ends with 0.
# An installed package is removed again when the scenario ends, whatever its
# outcome.
msiexec_quiet() {
  local action=$1 package
  package=$(win_path "$SCENARIO_DIR/$2")
  local status=0
  "$E2E_WINE" msiexec "$action" "$package" /qn </dev/null >"$SCENARIO_DIR/msiexec.txt" 2>&1 || status=$?
  log "msiexec $action $2 -> $status"
  [ "$status" -eq 0 ] || fail "msiexec $action $2 ended with $status: $(cat "$SCENARIO_DIR/msiexec.txt")"
  [ "$action" = /i ] && UNDO_COMMANDS+=("wine_quiet msiexec /x '$package' /qn")
  return 0
}

# The Windows path of a folder the system names by a variable (LOCALAPPDATA, APPDATA).
windows_folder() {
  "$E2E_WINE" cmd /c echo "%$1%" </dev/null 2>/dev/null | tr -d '\r'
}

# unix_path WINDOWS_PATH: where a C: path of the Wine prefix lies.
unix_path() {
  local path=${1#C:}
  printf '%s/drive_c%s' "$WINEPREFIX" "${path//\\//}"
}

# registry_value KEY NAME: the data of a value (an empty NAME: the default
# value), or nothing (status 1) when it is not there.
registry_value() {
  local value=(/v "$2")
  [ -n "$2" ] || value=(/ve)
  "$E2E_WINE" reg query "$1" "${value[@]}" </dev/null 2>/dev/null | tr -d '\r' |
    sed -n 's/^    [^ ].*    REG_[A-Z_]*    //p' | grep .
}

# The uninstall entries whose DisplayName is NAME, one line each: their
# DisplayVersion and Publisher. Wine files a per-user package's entry under
# HKLM, as a per-machine one's.
uninstall_entries() {
  local root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' key
  "$E2E_WINE" reg query "$root" </dev/null 2>/dev/null | tr -d '\r' | grep '^HKEY' | while read -r key; do
    [ "$(registry_value "$key" DisplayName)" = "$1" ] || continue
    printf '%s %s\n' "$(registry_value "$key" DisplayVersion)" "$(registry_value "$key" Publisher)"
  done
}
