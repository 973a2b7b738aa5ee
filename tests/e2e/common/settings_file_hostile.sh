#!/usr/bin/env bash
# Settings files no one should write: a folder, a FIFO, an unreadable file,
# 100 MB, binary garbage, UTF-16 cut in the middle of a character, a line of a
# million characters. Each ends quickly with a clear message, or starts the
# application when the settings it needs are there.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/application.sh"
begin_scenario

install_application
settings=$(settings_path_of "$LAUNCHER")
no_main_class="Main class was not specified in INI file."

# expect_message TEXT: the launcher reports the message and ends with -1 within 10 s.
expect_message() {
  start_launcher
  expect_start_failure "$1" 10
  rm -rf "$settings"
}

mkdir "$settings"
expect_message "$no_main_class"

mkfifo "$settings"
expect_message "$no_main_class"

if [ "$(id -u)" -eq 0 ]; then
  log "skipped the unreadable settings file: the superuser reads every file"
else
  write_application_settings
  chmod 000 "$settings"
  expect_message "$no_main_class"
fi

# 100 MB: a valid start followed by comment lines.
write_application_settings
yes $'; a comment line that repeats until the file holds a hundred megabytes\r' | head -c 100M >>"$settings"
expect_message "The settings file $(native_path "$settings") is too large: a settings file holds at most 2 MB."

# Binary garbage: the start of the launcher itself.
head -c 65536 "$LAUNCHER" >"$settings"
expect_message "$no_main_class"

# UTF-16 with its last character cut: what comes before it counts.
write_application_settings
printf '; the last line ends with a euro sign €' >>"$settings"
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$settings"; } | head -c -1 >"$settings.utf16"
mv "$settings.utf16" "$settings"
expect_application_runs 10

# A line of a million characters before the keys, and a value of a million.
long=$(head -c 1000000 /dev/zero | tr '\0' 'x')
write_application_settings "Unknown Key=$long"
{ printf '; %s\r\n' "$long"; cat "$settings"; } >"$settings.long"
mv "$settings.long" "$settings"
expect_application_runs 10
