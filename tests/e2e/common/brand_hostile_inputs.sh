#!/usr/bin/env bash
# launcher-brand refuses launcher images and icons made to break it, each
# with exit code 2, a message naming the file and the fault, and nothing
# written: headers that do not lie at the file's start, a certificate table
# inside the sections, resource trees that share tables or data, pointers
# that would go stale when the resources move, icon images numbered to the
# top, icon files whose images share bytes or number more than 256, and PNG
# images that are not 8-bit RGBA. A read-only output is refused and stays
# read-only.
source "$(dirname "$0")/../lib.sh"
begin_scenario
require_variables E2E_BRAND_INPUT

cp "$E2E_BRAND_INPUT" "$SCENARIO_DIR/launcher.exe"
make_png 48 app.png
make_hostile_inputs launcher.exe app.png hostile

while IFS='|' read -r message arguments; do
  # shellcheck disable=SC2086
  brand_refused "$message" $arguments out.exe
done <<'CASES'
headers_after_sections.exe: not a Windows executable (its headers do not lie at the start|hostile/headers_after_sections.exe
section .text begins inside the headers|hostile/headers_overlapping_sections.exe
certificate table that is not at the end of the file, after its sections|--strip-signature hostile/certificate_inside_sections.exe
resource section is corrupt (a directory table reached twice)|hostile/shared_subtable.exe
resource section is corrupt (a data entry used twice)|hostile/shared_data_entry.exe
it carries a COFF symbol table|hostile/symbol_table.exe
its debug data lies after the resources|hostile/debug_data_after_resources.exe
data directory 9 points into the resources or after them|hostile/directory_into_resources.exe
leaves no numbers for the new icon's images|--icon app.png hostile/icon_numbered_last.exe
image_listed_twice.ico: not a usable icon (image 2 shares its bytes with image 1)|--icon hostile/image_listed_twice.ico launcher.exe
images_overlapping.ico: not a usable icon (image 2 shares its bytes with image 1)|--icon hostile/images_overlapping.ico launcher.exe
too_many_images.ico: not a usable icon (more than 256 images)|--icon hostile/too_many_images.ico launcher.exe
image 1 is a PNG of another kind than 8-bit RGBA|--icon hostile/rgb_image.ico launcher.exe
the picture is a PNG of another kind than 8-bit RGBA|--icon hostile/palette.png launcher.exe
CASES

brand --show hostile/shared_subtable.exe
assert_equals 2 "$BRAND_EXIT" "exit code of launcher-brand --show on a tree that shares a table"

cp "$SCENARIO_DIR/launcher.exe" "$SCENARIO_DIR/readonly.exe"
chmod a-w "$SCENARIO_DIR/readonly.exe"
permissions=$(stat -c %a "$SCENARIO_DIR/readonly.exe")
brand_refused "readonly.exe: is read-only" --file-version 1.2.3.4 launcher.exe readonly.exe
assert_equals "$permissions" "$(stat -c %a "$SCENARIO_DIR/readonly.exe")" "the read-only output's permissions"
chmod u+w "$SCENARIO_DIR/readonly.exe"
