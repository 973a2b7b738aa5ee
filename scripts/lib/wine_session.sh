# Sourced by the test entry point: a virtual display and one persistent Wine
# server for the whole run, started and stopped the safe way.
#   start_wine_session <folder>   sets DISPLAY, WINEPREFIX and friends
#   stop_wine_session             ends the server and the display

start_wine_session() {
  local folder=$1
  mkdir -p "$folder"
  export WINEPREFIX="$folder/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64

  # Xvfb picks a free display and writes its number to the file on descriptor 3.
  local display_file="$folder/display"
  rm -f "$display_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
  XVFB_PID=$!
  local waited=0
  until [ -s "$display_file" ]; do
    sleep 0.1
    waited=$((waited + 1))
    if [ $waited -gt 100 ]; then echo "Xvfb did not start" >&2; return 1; fi
  done
  export DISPLAY=":$(head -n1 "$display_file")"

  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
  fi
  # Now and then a new prefix comes out without the COM classes of Wine's own
  # DLLs (the process that registers them was lost): the picture decoders,
  # among others, are then missing, and only the splash tests notice.
  local tries=0
  until grep -q 'windowscodecs\.dll' "$WINEPREFIX/system.reg"; do
    tries=$((tries + 1))
    if [ $tries -gt 2 ]; then echo "Wine's COM classes are not registered in $WINEPREFIX" >&2; return 1; fi
    echo "Wine's COM classes are missing from $WINEPREFIX; registering them again" >&2
    wineboot -u </dev/null >/dev/null 2>&1
    wineserver -w
  done
  # The server's helper processes inherit the streams that start it: they must
  # not be a pipe that ctest or a command substitution waits on.
  # (An already running server of this prefix is used as it is.)
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wineboot </dev/null >/dev/null 2>&1
  # Without a window manager Wine draws no captions; let it draw its own frames.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  # A crashing test program must end, not wait in a crash dialog until it times out.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f </dev/null >/dev/null 2>&1
}

stop_wine_session() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
