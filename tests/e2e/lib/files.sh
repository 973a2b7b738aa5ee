# The files a scenario puts in its folder: the launcher and its settings.

LAUNCHER=
LAUNCHER_WIN=

# Copies the launcher to a path inside the scenario folder (default: its own
# name); folders on the way are made.
install_launcher() {
  local relative=${1:-$(basename "$E2E_LAUNCHER")}
  LAUNCHER="$SCENARIO_DIR/$relative"
  mkdir -p "$(dirname "$LAUNCHER")" || fail "cannot make the folder of $LAUNCHER"
  cp "$E2E_LAUNCHER" "$LAUNCHER" || fail "cannot copy the launcher to $LAUNCHER"
  LAUNCHER_WIN=$(win_path "$LAUNCHER")
}

# NAME as the platform names an executable: NAME.exe on Windows, NAME on Linux.
launcher_file() {
  if [ "$E2E_PLATFORM" = windows ]; then printf '%s.exe' "$1"; else printf '%s' "$1"; fi
}

# Copies the console launcher to a path inside the scenario folder (default:
# its own name); from then on it is the launcher that scenario steps start.
install_console_launcher() {
  require_variables E2E_CONSOLE_LAUNCHER
  E2E_LAUNCHER=$E2E_CONSOLE_LAUNCHER install_launcher "$@"
}

# set_image_subsystem FILE NUMBER: rewrites the subsystem field of an
# executable's optional header in place (2 windowed, 3 console), as a
# branding tool would: the field lies 92 bytes after the "PE" signature, whose
# offset is at 0x3C.
set_image_subsystem() {
  local file=$1 subsystem=$2 header
  header=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ') || fail "cannot read the header of $file"
  printf "\\x$(printf '%02x' "$subsystem")\\x00" |
    dd of="$file" bs=1 seek=$((header + 92)) conv=notrunc status=none || fail "cannot write the header of $file"
}

# The settings file the launcher reads: its path with the extension replaced by
# "ini", or with ".ini" added when it has none.
settings_path_of() {
  local path=$1 name=${1##*/}
  if [[ $name == *.* ]]; then printf '%s.ini' "${path%.*}"; else printf '%s.ini' "$path"; fi
}

# Writes standard input (a here-doc) to a settings file: the launcher's own by
# default, or the given path inside the scenario folder. CRLF line ends on Windows.
write_settings() {
  local file
  if [ $# -gt 0 ]; then file="$SCENARIO_DIR/$1"; else file=$(settings_path_of "$LAUNCHER"); fi
  mkdir -p "$(dirname "$file")"
  if [ "$E2E_PLATFORM" = windows ]; then sed 's/\r*$/\r/' >"$file"; else cat >"$file"; fi
}
