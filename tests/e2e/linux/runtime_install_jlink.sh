#!/usr/bin/env bash
# A real runtime made with jlink, as a .tar.gz (GNU tar) and as a .zip, is
# installed from each and runs: its programs keep their execute bits.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

"$JDK_HOME/bin/jlink" --add-modules java.base --strip-debug --no-header-files --no-man-pages \
  --output "$SCENARIO_DIR/small-jre" || fail "jlink failed"
mkdir -p "$SCENARIO_DIR/www"
(cd "$SCENARIO_DIR" && tar czf www/small-jre.tar.gz small-jre) || fail "tar failed"
make_archive zip "$SCENARIO_DIR/small-jre" "$SCENARIO_DIR/small-jre.zip"
start_archive_server

for source in "$SERVER_URL/small-jre.tar.gz" "file://$SCENARIO_DIR/small-jre.zip"; do
  archive=$SCENARIO_DIR/www/small-jre.tar.gz
  [[ "$source" == file:* ]] && archive=$SCENARIO_DIR/small-jre.zip
  run_install_tool install --store "$SCENARIO_DIR/store" --sha256 "$(sha256_of "$archive")" --minimum 17 \
    --maximum 17 "$source"
  assert_equals 0 "$INSTALL_STATUS" "status of the install from $source"
  home=$(sed -n 's/^installed home=\(.*\) version=.*/\1/p' <<<"$INSTALL_OUTPUT")
  "$home/bin/java" -XshowSettings:properties -version 2>&1 | grep -qx "    java.home = $home" ||
    fail "the runtime installed from $source does not run as $home"
done
assert_equals 2 "$(store_contents "$SCENARIO_DIR/store" | wc -l)" "runtimes in the store"
