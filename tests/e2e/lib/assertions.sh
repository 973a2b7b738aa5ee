# Checks of values and of the files a scenario leaves; each fails the scenario
# with what it expected and what it found.

assert_equals() {
  local expected=$1 actual=$2 what=$3
  [ "$expected" = "$actual" ] || fail "$what: expected [$expected], got [$actual]"
}

# The file holds exactly TEXT and a line end, or nothing when TEXT is empty.
assert_file_is() {
  local file=$1 text=$2 expected actual
  if [ -n "$text" ]; then expected="$text"$'\n'; else expected=; fi
  actual=$(cat "$file"; printf x)
  assert_equals "$expected" "${actual%x}" "content of ${file##*/}"
}

# The file's lines, each ended by a line feed or by a carriage return and line
# feed (as Windows programs write them), are exactly the lines of TEXT.
assert_lines_are() {
  local file=$1 text=$2 actual
  actual=$(sed 's/\r$//' "$file" && printf x) || fail "cannot read ${file##*/}"
  assert_equals "$text"$'\n' "${actual%x}" "lines of ${file##*/}"
}

# No line of the file holds TEXT.
assert_file_lacks() {
  local file=$1 text=$2
  if grep -qF -- "$text" "$file"; then fail "${file##*/} holds [$text]"; fi
}

assert_stderr_lacks() { assert_file_lacks "$SCENARIO_DIR/stderr.txt" "$1"; }
assert_stderr_is() { assert_file_is "$SCENARIO_DIR/stderr.txt" "$1"; }
assert_stdout_is() { assert_file_is "$SCENARIO_DIR/stdout.txt" "$1"; }

assert_stdout_has() {
  grep -qF -- "$1" "$SCENARIO_DIR/stdout.txt" || fail "stdout: expected a line with [$1], got [$(cat "$SCENARIO_DIR/stdout.txt")]"
}

assert_stderr_has() {
  grep -qF -- "$1" "$SCENARIO_DIR/stderr.txt" || fail "stderr: expected a line with [$1], got [$(cat "$SCENARIO_DIR/stderr.txt")]"
}
