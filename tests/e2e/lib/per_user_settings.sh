# Sourced, after lib.sh, by the scenarios in which the launcher remembers the
# runtime the user chose ("JRE Path" in the per-user settings file). Each such
# scenario has a product of its own, so that no other start finds its files.
#
# The per-user files lie in "<configuration folder>/<Product Name>/<Product
# Code>/<executable name>.ini". On Linux the configuration folder is
# XDG_CONFIG_HOME, pointed into the scenario folder. Wine sets APPDATA itself,
# so on Windows they lie in the prefix and are removed at the end.

PRODUCT_NAME="Launcher Tests"
PRODUCT_CODE=
PER_USER_DIR=

use_per_user_settings() {
  PRODUCT_CODE="$SCENARIO_NAME-$$"
  if [ "$E2E_PLATFORM" = linux ]; then
    export XDG_CONFIG_HOME="$SCENARIO_DIR/config"
    PER_USER_DIR="$XDG_CONFIG_HOME/$PRODUCT_NAME/$PRODUCT_CODE"
    return
  fi
  local appdata
  appdata=$("$E2E_WINE" cmd /c 'echo %APPDATA%' </dev/null 2>/dev/null | tr -d '\r')
  appdata=$("$E2E_WINE" winepath -u "$appdata" </dev/null 2>/dev/null)
  [ -d "$appdata" ] || fail "cannot find the folder of APPDATA"
  PER_USER_DIR="$appdata/$PRODUCT_NAME/$PRODUCT_CODE"
  trap 'remove_per_user_settings; end_scenario' EXIT
}

# Keeps the exit status for end_scenario.
remove_per_user_settings() {
  local status=$?
  if [ -n "$PER_USER_DIR" ]; then
    rm -rf "$PER_USER_DIR"
    rmdir "${PER_USER_DIR%/*}" 2>/dev/null
  fi
  return "$status"
}

# The [Product Information] lines of the scenario's settings files.
product_information() {
  printf '[Product Information]\nProduct Name=%s\nProduct Code=%s\n' "$PRODUCT_NAME" "$PRODUCT_CODE"
}

# write_runtime_not_found_settings [APPLICATION_LINES [RUNTIME_LINES]]: the
# scenario's product with version bounds (1.6 to 1.6) that no runtime meets,
# so that the start asks for one ("JRE Not Found"); app.jar on the class path.
write_runtime_not_found_settings() {
  local application_lines=${1:+$'\n'$1} runtime_lines=${2:+$'\n'$2}
  write_settings <<INI
$(product_information)
[Java Runtime Environment]
Minimum Version=1.6
Maximum Version=1.6${runtime_lines}
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main${application_lines}
INI
}

# The per-user settings file of the executable NAME (without extension).
per_user_file() { printf '%s/%s.ini' "$PER_USER_DIR" "$1"; }
