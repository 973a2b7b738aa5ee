# Sourced, after lib.sh, by the splash scenarios: the pictures they show, the
# splash window as the UI driver sees it and its pixels (windows), the stand-in
# for a runtime's splash library (windows), a main that waits to be released
# (windows), and a display of the scenario's own whose screen is read back
# (linux).

SPLASH_PICTURES=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../fixtures/pictures" && pwd)
SPLASH_CLASS=SplashScreenWindow
SPLASH_WINDOW=
MAIN_WAIT_FILE=
SPLASH_DISPLAY_PID=

# The stand-in splash library logs only where a scenario says.
unset STUB_SPLASH_LOG

# Copies a picture of tests/fixtures/pictures into the scenario folder (as AS).
copy_picture() {
  cp "$SPLASH_PICTURES/$1" "$SCENARIO_DIR/${2:-$1}" || fail "cannot copy the picture $1"
}

# Little-endian bytes of a number, as printf escapes: le_bytes VALUE COUNT.
le_bytes() {
  local value=$1 count=$2 i
  for ((i = 0; i < count; i++)); do
    printf '\\x%02x' $(((value >> (8 * i)) & 0xFF))
  done
}

# write_grey_bmp FILE WIDTH HEIGHT: a 24-bit BMP of that size in one grey (80 80 80).
write_grey_bmp() {
  local file=$1 width=$2 height=$3
  local row=$(((width * 3 + 3) / 4 * 4))
  local data=$((row * height))
  {
    printf 'BM%b%b%b' "$(le_bytes $((54 + data)) 4)" "$(le_bytes 0 4)" "$(le_bytes 54 4)"
    printf '%b' "$(le_bytes 40 4)$(le_bytes "$width" 4)$(le_bytes "$height" 4)$(le_bytes 1 2)$(le_bytes 24 2)"
    printf '%b' "$(le_bytes 0 4)$(le_bytes "$data" 4)$(le_bytes 2835 4)$(le_bytes 2835 4)$(le_bytes 0 4)$(le_bytes 0 4)"
    head -c "$data" /dev/zero | tr '\0' '\200'
  } >"$file" || fail "cannot write $file"
}

# The pixels of a PPM (P6, 255) as lines "x y RRGGBB", row by row.
ppm_pixels() {
  local file=$1
  od -An -v -tu1 "$file" | awk '
    { for (i = 1; i <= NF; i++) byte[n++] = $i }
    END {
      # The header: "P6", width, height and the largest value, separated by white space.
      p = 0; field = 0
      while (field < 4) {
        while (byte[p] == 9 || byte[p] == 10 || byte[p] == 13 || byte[p] == 32) p++
        value = ""
        while (!(byte[p] == 9 || byte[p] == 10 || byte[p] == 13 || byte[p] == 32)) value = value sprintf("%c", byte[p++])
        header[field++] = value
      }
      p++
      width = header[1] + 0; height = header[2] + 0
      for (y = 0; y < height; y++)
        for (x = 0; x < width; x++) {
          printf "%d %d %02X%02X%02X\n", x, y, byte[p], byte[p + 1], byte[p + 2]
          p += 3
        }
    }'
}

# The pixels of an uncompressed 24-bit BMP, as ppm_pixels shows a PPM.
bmp_pixels() {
  od -An -v -tu1 "$1" | awk '
    { for (i = 1; i <= NF; i++) byte[n++] = $i }
    function number(at, count,   value, i) {
      value = 0
      for (i = count - 1; i >= 0; i--) value = value * 256 + byte[at + i]
      return value
    }
    END {
      offset = number(10, 4); width = number(18, 4); height = number(22, 4)
      row = int((width * 3 + 3) / 4) * 4
      # Rows are stored bottom-up, each pixel blue, green, red.
      for (y = 0; y < height; y++)
        for (x = 0; x < width; x++) {
          p = offset + (height - 1 - y) * row + x * 3
          printf "%d %d %02X%02X%02X\n", x, y, byte[p + 2], byte[p + 1], byte[p]
        }
    }'
}

# The colour (RRGGBB) at X Y of a pixel listing.
colour_at() {
  awk -v x="$2" -v y="$3" '$1 == x && $2 == y { print $3; exit }' "$1"
}

# Each channel of ACTUAL within TOLERANCE of EXPECTED (both RRGGBB).
colour_near() {
  local actual=$1 expected=$2 tolerance=$3 i a e
  [[ $actual =~ ^[0-9A-F]{6}$ ]] || return 1
  for i in 0 2 4; do
    a=$((16#${actual:i:2}))
    e=$((16#${expected:i:2}))
    [ $((a > e ? a - e : e - a)) -le "$tolerance" ] || return 1
  done
}

# assert_colours LISTING TOLERANCE X Y RRGGBB...: the listing's colour at each point.
assert_colours() {
  local listing=$1 tolerance=$2 actual
  shift 2
  while [ $# -ge 3 ]; do
    actual=$(colour_at "$listing" "$1" "$2")
    colour_near "${actual:-none}" "$3" "$tolerance" ||
      fail "colour at $1,$2: expected $3 (within $tolerance), got ${actual:-none}"
    shift 3
  done
}

# ---- Windows: the stub's main, the splash window and its pixels ----

# The stub's main waits, once called, until release_main (needs use_stub_log).
main_waits() {
  MAIN_WAIT_FILE="$SCENARIO_DIR/main-go"
  rm -f "$MAIN_WAIT_FILE"
  export STUB_JVM_MAIN_WAIT_FILE
  STUB_JVM_MAIN_WAIT_FILE=$(win_path "$MAIN_WAIT_FILE")
}

# Waits until the stub's main is waiting.
wait_for_main() {
  local deadline=$((SECONDS + E2E_EXIT_TIMEOUT))
  until grep -q '^main-waiting ' "$STUB_LOG" 2>/dev/null; do
    launcher_running || fail "the launcher ended before main waited"
    [ "$SECONDS" -lt "$deadline" ] || fail "main did not start within $E2E_EXIT_TIMEOUT s"
    sleep 0.05
  done
}

release_main() {
  : >"$MAIN_WAIT_FILE"
  log "released main"
}

# Waits for the launcher's splash window and keeps its line (ui_driver windows).
expect_splash_window() {
  local output="$SCENARIO_DIR/splash-window.txt"
  ui_driver "$output" windows --class "$SPLASH_CLASS" --process "$LAUNCHER_WIN" --timeout "$E2E_DIALOG_TIMEOUT_MS" ||
    { cat "$output"; fail "no splash window of the launcher appeared"; }
  SPLASH_WINDOW=$(head -n1 "$output" | tr -d '\r')
  log "$SPLASH_WINDOW"
}

# No splash window of the launcher exists for SECONDS.
expect_no_splash_window() {
  local output="$SCENARIO_DIR/splash-absent.txt"
  ui_driver "$output" windows --class "$SPLASH_CLASS" --process "$LAUNCHER_WIN" --absent --timeout $(($1 * 1000)) ||
    { cat "$output"; fail "the launcher has a splash window"; }
}

# Waits until the launcher, still running, has no splash window.
wait_for_splash_gone() {
  local deadline=$((SECONDS + E2E_EXIT_TIMEOUT))
  until ui_driver "$SCENARIO_DIR/splash-absent.txt" windows --class "$SPLASH_CLASS" --process "$LAUNCHER_WIN" \
    --absent --timeout 0; do
    launcher_running || fail "the launcher ended"
    [ "$SECONDS" -lt "$deadline" ] || fail "the splash window did not go within $E2E_EXIT_TIMEOUT s"
    sleep 0.1
  done
}

# assert_splash KEY=VALUE...: fields of the kept window line (rect, style,
# exstyle, class-style, visible).
assert_splash() {
  local pair key actual
  [ -n "$SPLASH_WINDOW" ] || fail "expect_splash_window first"
  for pair in "$@"; do
    key=${pair%%=*}
    [[ " $SPLASH_WINDOW " =~ \ $key=([^ ]*)\  ]] || fail "no $key in [$SPLASH_WINDOW]"
    actual=${BASH_REMATCH[1]}
    assert_equals "${pair#*=}" "$actual" "$key of the splash window"
  done
}

# What the screen shows over the splash window, as a pixel listing in FILE.
capture_splash() {
  local file=$1 output="$SCENARIO_DIR/capture.txt"
  ui_driver "$output" capture --out "$(win_path "$file.ppm")" --class "$SPLASH_CLASS" --process "$LAUNCHER_WIN" ||
    { cat "$output"; fail "could not capture the splash window"; }
  ppm_pixels "$file.ppm" >"$file"
}

# What the screen shows at the rectangle L,T,R,B, as a pixel listing in FILE.
capture_screen() {
  local file=$1 output="$SCENARIO_DIR/capture.txt"
  ui_driver "$output" capture --out "$(win_path "$file.ppm")" --rect "$2" ||
    { cat "$output"; fail "could not read the screen at $2"; }
  ppm_pixels "$file.ppm" >"$file"
}

# The splash library stand-in as RUNTIME\bin\splashscreen.dll (--no-jar-name:
# the build without SplashSetFileJarName).
install_splash_library() {
  local library=$E2E_STUB_SPLASH
  if [ "$1" = --no-jar-name ]; then library=$E2E_STUB_SPLASH_NO_JAR_NAME; shift; fi
  cp "$library" "$SCENARIO_DIR/$1/bin/splashscreen.dll" || fail "cannot install the splash library in $1"
}

# The stand-in logs into the stub runtime's log, so that one log tells the order.
use_splash_log() {
  [ -n "$STUB_LOG" ] || fail "use_stub_log first"
  export STUB_SPLASH_LOG=$STUB_JVM_LOG
}

# The number of threads of the launcher's process (Wine runs each Windows
# thread of it as a thread of that Linux process).
launcher_threads() {
  find "/proc/$LAUNCHER_PID/task" -mindepth 1 -maxdepth 1 | wc -l
}

# ---- Linux: a display of the scenario's own ----

# Starts Xvfb (1024x768) for this scenario alone and points DISPLAY at it; it
# ends with the scenario.
start_display() {
  local number_file="$SCENARIO_DIR/display-number"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" </dev/null >/dev/null 2>&1 &
  SPLASH_DISPLAY_PID=$!
  trap end_scenario_and_display EXIT
  local deadline=$((SECONDS + 10))
  until [ -s "$number_file" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "Xvfb did not start"
    sleep 0.05
  done
  DISPLAY=":$(head -n1 "$number_file")"
  export DISPLAY
  log "display $DISPLAY"
}

# The scenario's end, and then its display's.
end_scenario_and_display() {
  local status=$?
  stop_process SPLASH_DISPLAY_PID
  (exit "$status")
  end_scenario
}

# screen_pixels FILE X Y WIDTH HEIGHT: what the screen shows there, as a pixel
# listing with coordinates relative to X Y.
screen_pixels() {
  local file=$1
  import -window root -crop "$4x$5+$2+$3" +repage -depth 8 "ppm:$file.ppm" 2>/dev/null ||
    fail "could not read the screen"
  ppm_pixels "$file.ppm" >"$file"
}

# Waits until the screen shows the given colours at the points (as
# assert_colours has them, exactly), reading the area X Y WIDTH HEIGHT.
# wait_for_screen X Y WIDTH HEIGHT POINTS...
wait_for_screen() {
  local area=("$1" "$2" "$3" "$4") deadline=$((SECONDS + E2E_EXIT_TIMEOUT)) points
  shift 4
  points=("$@")
  while :; do
    screen_pixels "$SCENARIO_DIR/screen.txt" "${area[@]}"
    (assert_colours "$SCENARIO_DIR/screen.txt" 0 "${points[@]}") 2>/dev/null && return 0
    [ "$SECONDS" -lt "$deadline" ] || assert_colours "$SCENARIO_DIR/screen.txt" 0 "${points[@]}"
    sleep 0.1
  done
}
