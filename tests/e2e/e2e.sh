#!/usr/bin/env bash
# End-to-end runs of RemoveMolvane.exe under Wine, driven by the test driver
# the way a user would click, with the files checked byte for byte afterwards.
# Needs WINEPREFIX and DISPLAY set up (scripts/test does that).
#   e2e.sh PROGRAM.exe TESTDRIVER.exe [CASE...]
# The stand-in for a running Molvane (standin.exe) is taken from the driver's folder.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
STANDIN=$(dirname "$DRIVER")/standin.exe

APP='C:\e2e\app'                 # the program runs from here, so this is its fallback data folder
APP_U="$C/e2e/app"
FIXED_U="$C/windows/system32/Molvane2"
EXPECT='C:\e2e\expect' EXPECT_U="$C/e2e/expect"
ini() {  # the eight lines given, each ended by CR LF
  local line
  for line in "$@"; do printf '%s\r\n' "$line"; done
}

reset_case() {
  chmod -R u+w "$STARTUP_U" "$C/e2e" "$FIXED_U" 2>/dev/null
  rm -rf "$STARTUP_U"/* "$FIXED_U" "$C/e2e"
  mkdir -p "$STARTUP_U" "$EXPECT_U"
  place_program app
}

place_program() {  # place_program SUB/DIR: run the program from C:\e2e\SUB\DIR, its fallback data folder
  APP="C:\\e2e\\${1//\//\\}" APP_U="$C/e2e/$1"
  mkdir -p "$APP_U"
  cp "$PROGRAM" "$APP_U/RemoveMolvane.exe"
}

drive_steps() {  # runs the driver with the given steps as they are
  wine "$DRIVER" "$@" </dev/null 2>&1 | tr -d '\r' | sed 's/^/    /'
  return "${PIPESTATUS[0]}"
}

drive() { drive_steps "start=$APP\\RemoveMolvane.exe" "$@"; }  # the program first, then the steps

same() { cmp -s "$1" "$2"; }
absent() { [ ! -e "$1" ]; }
only_files() {  # only_files FOLDER NAME...: nothing else (no temporary files) in FOLDER
  local folder=$1
  shift
  [ "$(cd "$folder" && ls -A | sort)" = "$(printf '%s\n' "$@" | sort)" ]
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

case_startup_folder_missing() {  # the chooser would open at the Desktop: say so instead, remove nothing
  rmdir "$STARTUP_U"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  drive "box=Your Startup folder could not be found" "box=nothing to remove" box-ok main label2= ok exited || return 1
  check "Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

# --- faults: Molvane.exe cannot be deleted -----------------------------------
# Nothing may change, the user must be told why, and a second OK once the
# cause is gone must finish the job.

case_delete_fails_then_retry() {  # Molvane.exe open elsewhere without delete sharing
  printf 'MZ' | tee "$EXPECT_U/Molvane.exe" >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/before.ini" >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main \
    "hold=$STARTUP\\Molvane.exe" ok "box=Molvane.exe could not be removed" "box=$STARTUP\\Molvane.exe" \
    box-why=32 "box=Another program has the file open" box-ok running \
    "same=$STARTUP\\Molvane.exe|$EXPECT\\Molvane.exe" "same=$APP\\Options.ini|$EXPECT\\before.ini" \
    release ok exited || return 1
  ini 1 2 3 4 a b c FALSE >"$EXPECT_U/after.ini"
  check "Molvane.exe deleted on the second OK" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini rewritten once the file was gone" same "$APP_U/Options.ini" "$EXPECT_U/after.ini"
}

case_target_read_only() {
  printf 'MZ' | tee "$EXPECT_U/Molvane.exe" >"$STARTUP_U/Molvane.exe"
  chmod a-w "$STARTUP_U/Molvane.exe"  # Wine shows this as the read-only attribute
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/before.ini" >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main \
    ok "box=Molvane.exe could not be removed" "box=$STARTUP\\Molvane.exe" box-why=5 \
    "box=The file is read-only. Clear its Read-only attribute" box-ok running \
    "same=$STARTUP\\Molvane.exe|$EXPECT\\Molvane.exe" "same=$APP\\Options.ini|$EXPECT\\before.ini" \
    "attrib=$STARTUP\\Molvane.exe|-r" ok exited || return 1
  ini 1 2 3 4 a b c FALSE >"$EXPECT_U/after.ini"
  check "Molvane.exe deleted once it was no longer read-only" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini rewritten" same "$APP_U/Options.ini" "$EXPECT_U/after.ini"
}

case_target_running() {  # Molvane.exe is a running program (a stand-in started from the Startup folder)
  cp "$STANDIN" "$STARTUP_U/Molvane.exe"
  cp "$STANDIN" "$EXPECT_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/before.ini" >"$APP_U/Options.ini"
  drive "launch=$STARTUP\\Molvane.exe" chooser select= chooser-ok main \
    ok "box=Molvane.exe could not be removed" "box=$STARTUP\\Molvane.exe" box-why=5 \
    "box=Molvane may be running from this file" box-ok running \
    "same=$STARTUP\\Molvane.exe|$EXPECT\\Molvane.exe" "same=$APP\\Options.ini|$EXPECT\\before.ini" \
    end-launched ok exited || return 1
  ini 1 2 3 4 a b c FALSE >"$EXPECT_U/after.ini"
  check "Molvane.exe deleted once Molvane had ended" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini rewritten" same "$APP_U/Options.ini" "$EXPECT_U/after.ini"
}

# --- faults: Options.ini cannot be read or written ----------------------------
# Molvane.exe is removed; Options.ini is never left half-written or replaced by
# guesses, and the user is told that Molvane's own setting may need turning off.

not_updated_box() {  # sets NOT_UPDATED: steps that check the message after a removal whose save failed
  NOT_UPDATED=("box=Molvane was removed from start-up, but its settings file could not be updated"
    "box=$APP\\Options.ini" "box=turn that off in Molvane's own settings")
}

case_options_locked_at_show() {  # held open, sharing nothing, from before the start until after OK
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  not_updated_box
  drive_steps "lock=$APP\\Options.ini" "start=$APP\\RemoveMolvane.exe" chooser select= chooser-ok main ok \
    "${NOT_UPDATED[@]}" box-why=32 "box=could not be read, so it was left exactly as it was" box-ok exited \
    release || return 1
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

case_options_locked_at_show_released_before_ok() {  # read again at OK, so the update goes through
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini -1 2 3 4 a b c TRUE >"$APP_U/Options.ini"
  drive_steps "lock=$APP\\Options.ini" "start=$APP\\RemoveMolvane.exe" chooser select= chooser-ok main \
    release ok exited || return 1
  ini -1 2 3 4 a b c FALSE >"$EXPECT_U/Options.ini"
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini rewritten" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_options_held_at_save() {  # open elsewhere without delete sharing when OK is pressed: the replace is refused
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  not_updated_box
  drive chooser select= chooser-ok main "hold=$APP\\Options.ini" ok \
    "${NOT_UPDATED[@]}" box-why=5 "box=may have the file open" "box=The file was left as it was" box-ok exited \
    release || return 1
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

case_options_read_only() {  # Windows refuses to replace a read-only file; so does the program, on Wine too
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  chmod a-w "$APP_U/Options.ini"
  not_updated_box
  drive chooser select= chooser-ok main ok \
    "${NOT_UPDATED[@]}" box-why=5 "box=The file is read-only" "box=The file was left as it was" box-ok exited || return 1
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "Options.ini still read-only" [ "$(stat -c %A "$APP_U/Options.ini" | cut -c3)" = - ]
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

case_options_is_directory() {
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  mkdir "$APP_U/Options.ini"
  not_updated_box
  drive chooser select= chooser-ok main ok \
    "${NOT_UPDATED[@]}" "box=There is a folder of that name, not a file" box-ok exited || return 1
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "the folder Options.ini kept, empty" [ -d "$APP_U/Options.ini" -a -z "$(ls -A "$APP_U/Options.ini")" ]
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

case_data_folder_gone_at_save() {  # the fixed data folder is removed while the window is open
  mkdir -p "$FIXED_U"
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 5 6 7 8 x y z TRUE >"$FIXED_U/Options.ini"
  ini 1 2 3 4 a b c TRUE | tee "$EXPECT_U/app.ini" >"$APP_U/Options.ini"
  local fixed='C:\Windows\System32\Molvane2'
  drive chooser select= chooser-ok main "delete=$fixed\\Options.ini" "delete=$fixed" ok \
    "box=could not be updated" "box=$fixed\\Options.ini" box-why=3 "box=Nothing was written" box-ok exited || return 1
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "the data folder not made again" absent "$FIXED_U"
  check "the program folder's Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/app.ini"
}

case_data_folder_read_only() {
  # The read-only attribute of a folder does not stop files being made in it
  # (on Windows neither). A folder the account may not write to is refused
  # with access denied, which Wine (running as administrator) cannot show: the
  # Windows unit tests inject that error instead.
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE >"$APP_U/Options.ini"
  chmod a-w "$APP_U"
  drive chooser select= chooser-ok main ok exited || return 1
  chmod u+w "$APP_U"
  ini 1 2 3 4 a b c FALSE >"$EXPECT_U/Options.ini"
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini rewritten" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

case_options_changed_while_open() {  # Molvane rewrote its settings while the window was open: keep its values
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE >"$APP_U/Options.ini"
  ini 10 20 30 40 new values here TRUE >"$EXPECT_U/changed.ini"
  drive chooser select= chooser-ok main "copy=$EXPECT\\changed.ini|$APP\\Options.ini" ok exited || return 1
  ini 10 20 30 40 new values here FALSE >"$EXPECT_U/Options.ini"
  check "Options.ini holds the new values with FALSE" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_stale_temporary_files() {  # left by a save that crashed: not read, not in the way, not touched
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE >"$APP_U/Options.ini"
  ini 9 9 9 9 stale stale stale TRUE | tee "$EXPECT_U/stale.tmp" >"$APP_U/Options.ini.0123456789ab.tmp"
  printf 'half' | tee "$EXPECT_U/half.tmp" >"$APP_U/Options.ini.tmp"
  drive chooser select= chooser-ok main ok exited || return 1
  ini 1 2 3 4 a b c FALSE >"$EXPECT_U/Options.ini"
  check "Options.ini rewritten from itself" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "the stale files left as they were" same "$APP_U/Options.ini.0123456789ab.tmp" "$EXPECT_U/stale.tmp"
  check "the stale files left as they were" same "$APP_U/Options.ini.tmp" "$EXPECT_U/half.tmp"
  check "nothing else left" only_files "$APP_U" Options.ini Options.ini.0123456789ab.tmp Options.ini.tmp RemoveMolvane.exe
}

case_stale_temporary_file_without_options() {  # a temporary file is never taken for Options.ini
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 9 9 9 9 stale stale stale TRUE >"$APP_U/Options.ini.0123456789ab.tmp"
  drive chooser select= chooser-ok main ok exited || return 1
  ini 0 0 0 0 '' '' '' FALSE >"$EXPECT_U/Options.ini"
  check "Options.ini created from the values held, not from the stale file" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_options_too_large() {  # far larger than any settings file: not read, so never rewritten
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  { ini 1 2 3 4 a b c TRUE; head -c $((17 << 20)) /dev/zero; } | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  not_updated_box
  drive chooser select= chooser-ok main ok \
    "${NOT_UPDATED[@]}" "box=larger than 16 MB" "box=left exactly as it was" box-ok exited || return 1
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini untouched" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_unreadable_options() {
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  printf '1\r\nabc\r\n3\r\n4\r\na\r\nb\r\nc\r\nTRUE\r\n' | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main ok "box=$APP\\Options.ini" box-ok exited || return 1
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini left exactly as it was" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

# --- paths and bytes ------------------------------------------------------------

case_non_ascii_paths_and_bytes() {
  # Startup subfolders and a data folder named in Cyrillic, CJK and accented
  # Latin; Options.ini texts holding every byte from 0x80 to 0xFF and NUL
  # bytes, which must come back byte for byte.
  local sub='Папка/文件夹/Crème brûlée'
  place_program 'Данные Molvane/数据/Café Ünïcödé'
  mkdir -p "$STARTUP_U/$sub"
  printf 'MZ' >"$STARTUP_U/$sub/Molvane.exe"
  local high1 high2 c
  for c in $(seq 128 191); do high1+=$(printf '\\x%02x' "$c"); done
  for c in $(seq 192 255); do high2+=$(printf '\\x%02x' "$c"); done
  printf "1\r\n2\r\n3\r\n4\r\n$high1\r\n$high2\r\na\0b\0\r\nTRUE\r\ntail \xe9\0\r\n" >"$APP_U/Options.ini"
  drive chooser "select=${sub//\//\\}" chooser-ok main "label2=$STARTUP\\${sub//\//\\}\\Molvane.exe" ok exited || return 1
  printf "1\r\n2\r\n3\r\n4\r\n$high1\r\n$high2\r\na\0b\0\r\nFALSE\r\ntail \xe9\0\r\n" >"$EXPECT_U/Options.ini"
  check "Molvane.exe deleted" absent "$STARTUP_U/$sub/Molvane.exe"
  check "Options.ini rewritten in the non-ASCII data folder, its bytes unchanged" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

# Folders whose paths end just short of MAX_PATH (260 characters), so that a
# file in them lies past it. Deeper is not reachable: neither the folder
# chooser's tree nor starting a program goes past MAX_PATH, on Windows as on
# Wine. long_subfolder BASE LENGTH prints a relative path of three folders
# that makes BASE\PATH exactly LENGTH characters long.
long_subfolder() {
  local base=$1 length=$2 name='A folder with a long name to take the path near the limit '
  local rest=$((length - ${#base} - 3 - 2 * ${#name} - 2))
  local last=$(printf '%s' "$name"; printf 'x%.0s' $(seq 1 $((rest - ${#name}))))
  printf '%s/%s/%s' "${name}1" "${name}2" "${last:0:rest}"
}

case_long_startup_path() {  # the target, in a deep Startup subfolder, has more than 260 characters
  local sub
  sub=$(long_subfolder "$STARTUP" 255)
  local target="$STARTUP\\${sub//\//\\}\\Molvane.exe"
  echo "    target: ${#target} characters"
  check "the target is longer than MAX_PATH" [ ${#target} -gt 260 ]
  mkdir -p "$STARTUP_U/$sub"
  printf 'MZ' >"$STARTUP_U/$sub/Molvane.exe"
  ini 1 2 3 4 a b c TRUE >"$APP_U/Options.ini"
  drive chooser "select=${sub//\//\\}" chooser-ok main "label2=$target" ok exited || return 1
  ini 1 2 3 4 a b c FALSE >"$EXPECT_U/Options.ini"
  check "Molvane.exe deleted" absent "$STARTUP_U/$sub/Molvane.exe"
  check "Options.ini rewritten" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

case_long_data_folder() {  # the program lies so deep that its data folder's temporary file is past MAX_PATH
  place_program "$(long_subfolder 'C:\e2e' 240)"
  local temporary=$((${#APP} + 29))  # \Options.ini.<12 hex digits>.tmp
  echo "    program: $((${#APP} + 18)), Options.ini: $((${#APP} + 12)), its temporary file: $temporary characters"
  check "the temporary file's path is longer than MAX_PATH" [ "$temporary" -gt 260 ]
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  ini 1 2 3 4 a b c TRUE >"$APP_U/Options.ini"
  drive chooser select= chooser-ok main ok exited || return 1
  ini 1 2 3 4 a b c FALSE >"$EXPECT_U/Options.ini"
  check "Molvane.exe deleted" absent "$STARTUP_U/Molvane.exe"
  check "Options.ini rewritten" same "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
  check "no temporary file left" only_files "$APP_U" Options.ini RemoveMolvane.exe
}

# --- run ---------------------------------------------------------------------

clean_up() {
  chmod -R u+w "$STARTUP_U" "$C/e2e" 2>/dev/null
  rm -rf "$STARTUP_U"/* "$C/e2e" "$FIXED_U"
  mkdir -p "$STARTUP_U"
}

run_all_cases end-to-end
