# Registry values a scenario sets (windows), in the Wine prefix's registry;
# every key made here is deleted again when the scenario ends.

CREATED_KEYS=()

# reg_add [--32] KEY NAME DATA [TYPE]: sets a value under HKLM or HKCU in the
# 64-bit view, or the 32-bit one with --32; an empty NAME is the default
# value, TYPE is REG_SZ unless given. Keys made here are deleted at the end.
reg_add() {
  local view=/reg:64
  if [ "$1" = --32 ]; then view=/reg:32; shift; fi
  local key=$1 name=$2 data=$3 type=${4:-REG_SZ}
  remember_new_key "$key" "$view"
  local value=(/v "$name")
  [ -n "$name" ] || value=(/ve)
  # Into a file, not a pipe: a process Wine starts on the way may hold it open.
  local output="$SCENARIO_DIR/reg-add.txt" status attempt
  # Now and then Wine cannot start a program at all ("ShellExecuteEx failed");
  # reg is then started once more.
  for attempt in 1 2; do
    status=0
    "$E2E_WINE" reg add "$key" "${value[@]}" /t "$type" /d "$data" /f "$view" </dev/null >"$output" 2>&1 || status=$?
    [ "$status" -ne 0 ] && grep -q "ShellExecuteEx failed" "$output" || break
    log "Wine could not start reg (try $attempt): $(tr '\n' ' ' <"$output")"
  done
  [ "$status" -eq 0 ] ||
    fail "could not set $key\\$name in the registry ($view): reg ended with status $status, saying [$(cat "$output")]"
}

# reg_delete [--32] KEY: deletes a key with everything below it.
reg_delete() {
  local view=/reg:64
  if [ "$1" = --32 ]; then view=/reg:32; shift; fi
  wine_quiet reg delete "$1" /f "$view" || fail "could not delete $1 from the registry ($view)"
}

# Notes the outermost key on KEY's way that does not exist yet.
remember_new_key() {
  local key=$1 view=$2 parts prefix i
  IFS='\' read -r -a parts <<<"$key"
  prefix=${parts[0]}
  for ((i = 1; i < ${#parts[@]}; i++)); do
    prefix+="\\${parts[i]}"
    if ! wine_quiet reg query "$prefix" "$view"; then
      CREATED_KEYS+=("$view|$prefix")
      return
    fi
  done
}

# Deletes the keys that reg_add made, the last made first.
delete_created_keys() {
  local i
  for ((i = ${#CREATED_KEYS[@]} - 1; i >= 0; i--)); do
    wine_quiet reg delete "${CREATED_KEYS[i]#*|}" /f "${CREATED_KEYS[i]%%|*}" ||
      printf 'e2e: could not delete registry key %s\n' "${CREATED_KEYS[i]}" >&2
  done
}

# register_runtime [--32] [--jdk] VERSION FOLDER: registers the runtime in
# FOLDER (inside the scenario folder) under HKLM\Software\JavaSoft\Java Runtime
# Environment\VERSION, or Java Development Kit with --jdk, as its JavaHome.
register_runtime() {
  local view=() kind="Java Runtime Environment"
  while [ $# -gt 2 ]; do
    case $1 in
      --32) view=(--32) ;;
      --jdk) kind="Java Development Kit" ;;
      *) fail "register_runtime: unknown option $1" ;;
    esac
    shift
  done
  reg_add "${view[@]}" "HKLM\\Software\\JavaSoft\\$kind\\$1" JavaHome "$(win_path "$SCENARIO_DIR/$2")"
}

# register_current_runtime [--user] SUBKEY VALUE FOLDER: registers the runtime
# in FOLDER (inside the scenario folder, or "" for none) as today's installers
# do: VALUE (JavaHome, Path or InstallationPath) of HKLM\Software\SUBKEY, or
# HKCU with --user, in the 64-bit view. SUBKEY is the whole path below
# Software, e.g. 'Eclipse Adoptium\JDK\17.0.2.8\hotspot\MSI'.
register_current_runtime() {
  local hive=HKLM
  if [ "$1" = --user ]; then hive=HKCU; shift; fi
  reg_add "$hive\\Software\\$1" "$2" "$(win_path "$SCENARIO_DIR/$3")"
}
