#!/usr/bin/env bash
# End-to-end runs of RemoveMolvane.exe under Wine, driven by the test driver
# the way a user would click, with the files checked byte for byte afterwards.
# Needs WINEPREFIX and DISPLAY set up (scripts/test does that).
#   e2e.sh PROGRAM.exe TESTDRIVER.exe [CASE...]
set -uo pipefail
PROGRAM=$1 DRIVER=$2
shift 2
ONLY=("$@")

C="$WINEPREFIX/drive_c"
APP='C:\e2e\app'                 # the program runs from here, so this is its fallback data folder
APP_U="$C/e2e/app"
FIXED_U="$C/windows/system32/Molvane2"
EXPECT_U="$C/e2e/expect"
STARTUP=$(wine "$DRIVER" startup-path </dev/null | tr -d '\r')
STARTUP_U=$(winepath -u "$STARTUP" 2>/dev/null)
[ -d "$STARTUP_U" ] || { echo "no Startup folder: $STARTUP"; exit 1; }

passed=0 failed=0 failures=()

ini() {  # the eight lines given, each ended by CR LF
  local line
  for line in "$@"; do printf '%s\r\n' "$line"; done
}

reset_case() {
  rm -rf "$STARTUP_U"/* "$FIXED_U" "$C/e2e"
  mkdir -p "$APP_U" "$EXPECT_U"
  cp "$PROGRAM" "$APP_U/RemoveMolvane.exe"
}

drive() {  # runs the driver with the given steps, program first
  wine "$DRIVER" "start=$APP\\RemoveMolvane.exe" "$@" </dev/null 2>&1 | tr -d '\r' | sed 's/^/    /'
  return "${PIPESTATUS[0]}"
}

check() {  # check DESCRIPTION COMMAND...: one assertion about the files
  local what=$1
  shift
  if "$@"; then return 0; fi
  echo "    not so: $what"
  case_ok=0
}

same() { cmp -s "$1" "$2"; }
absent() { [ ! -e "$1" ]; }
only_files() {  # only_files FOLDER NAME...: nothing else (no temporary files) in FOLDER
  local folder=$1
  shift
  [ "$(cd "$folder" && ls -A | sort)" = "$(printf '%s\n' "$@" | sort)" ]
}

run_case() {
  local name=$1
  if [ ${#ONLY[@]} -gt 0 ] && [[ ! " ${ONLY[*]} " =~ " $name " ]]; then return; fi
  echo "== $name"
  reset_case
  case_ok=1
  "case_$name" || case_ok=0
  if [ $case_ok -eq 1 ]; then
    passed=$((passed + 1)); echo "   ok"
  else
    failed=$((failed + 1)); failures+=("$name"); echo "   FAILED"
  fi
}

# --- cases -------------------------------------------------------------------

case_typical() {
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  printf '  42 words\r\n-7\r\n$1F\r\n0\r\nsome text\r\n\r\nC:\\Molvane\\data\r\ntrue\r\nline nine\r\n\x1Aafter end' >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main "label2=$STARTUP\\Molvane.exe" ok exited || return 1
  { ini 42 -7 31 0 'some text' '' 'C:\Molvane\data' FALSE; printf 'line nine\r\n'; } >"$EXPECT_U/Options.ini"
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini rewritten with FALSE, lines 1-7 and what follows line 8 kept" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

case_subfolder() {
  mkdir -p "$STARTUP_U/Tools"
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  printf 'MZ' >"$STARTUP_U/Tools/Molvane.exe"
  ini 1 2 3 4 a b c TRUE >"$APP_U/Options.ini"
  drive chooser select=Tools chooser-ok main "label2=$STARTUP\\Tools\\Molvane.exe" ok exited || return 1
  ini 1 2 3 4 a b c FALSE >"$EXPECT_U/Options.ini"
  check "the subfolder's Molvane.exe deleted" absent "$STARTUP_U/Tools/Molvane.exe"
  check "the Startup folder's own Molvane.exe kept" test -f "$STARTUP_U/Molvane.exe"
  check "Options.ini rewritten" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_cancel() {
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  drive chooser chooser-cancel main "label2=" ok exited || return 1
  check "Molvane.exe kept" test -f "$STARTUP_U/Molvane.exe"
  check "Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_close_box() {
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main "label2=$STARTUP\\Molvane.exe" close exited || return 1
  check "Molvane.exe kept" test -f "$STARTUP_U/Molvane.exe"
  check "Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_file_absent() {
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main "label2=$STARTUP\\Molvane.exe" ok exited || return 1
  check "Options.ini untouched though line 8 says TRUE" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_options_absent() {
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  drive chooser select= chooser-ok main ok exited || return 1
  ini 0 0 0 0 '' '' '' FALSE >"$EXPECT_U/Options.ini"
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini created from the values held" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

case_directory_named_like_target() {
  mkdir -p "$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main ok exited || return 1
  check "the directory kept" test -d "$STARTUP_U/Molvane.exe"
  check "Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_fixed_data_folder() {
  mkdir -p "$FIXED_U"
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 5 6 7 8 x y z TRUE >"$FIXED_U/Options.ini"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/app.ini" >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main ok exited || return 1
  ini 5 6 7 8 x y z FALSE >"$EXPECT_U/fixed.ini"
  check "the fixed folder's Options.ini rewritten" same "$FIXED_U/Options.ini" "$EXPECT_U/fixed.ini"
  check "the program folder's Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/app.ini"
}

case_delete_fails_then_retry() {
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/before.ini" >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main \
    "hold=$STARTUP\\Molvane.exe" ok "box=Molvane.exe could not be removed" box-ok running \
    "same=$APP\\Options.ini|C:\\e2e\\expect\\before.ini" \
    release ok exited || return 1
  ini 1 2 3 4 a b c FALSE >"$EXPECT_U/after.ini"
  check "Molvane.exe deleted on the second OK" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini rewritten once the file was gone" same "$APP_U/Options.ini" "$EXPECT_U/after.ini"
}

case_unreadable_options() {
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  printf '1\r\nabc\r\n3\r\n4\r\na\r\nb\r\nc\r\nTRUE\r\n' | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main ok "box=$APP\\Options.ini" box-ok exited || return 1
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini left exactly as it was" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

case_non_ascii_folder() {
  local sub='Ünïcödé Папка 文件'
  mkdir -p "$STARTUP_U/$sub"
  printf 'MZ' >"$STARTUP_U/$sub/Molvane.exe"
  printf '1\r\n2\r\n3\r\n4\r\ncaf\xe9 \x80\xff\r\nb\r\nc\r\nTRUE\r\n' >"$APP_U/Options.ini"
  drive chooser "select=$sub" chooser-ok main "label2=$STARTUP\\$sub\\Molvane.exe" ok exited || return 1
  printf '1\r\n2\r\n3\r\n4\r\ncaf\xe9 \x80\xff\r\nb\r\nc\r\nFALSE\r\n' >"$EXPECT_U/Options.ini"
  check "Molvane.exe deleted" absent "$STARTUP_U/$sub/Molvane.exe"
  check "Options.ini rewritten, its ANSI bytes unchanged" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

# --- run ---------------------------------------------------------------------

for c in $(declare -F | awk '{print $3}' | grep '^case_' | sed 's/^case_//'); do run_case "$c"; done
rm -rf "$C/e2e" "$FIXED_U"
echo "end-to-end: $passed passed, $failed failed${failures:+ (${failures[*]})}"
[ "$failed" -eq 0 ]
