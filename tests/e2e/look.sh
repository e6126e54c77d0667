#!/usr/bin/env bash
# The main window's look under Wine, checked on screen through the test
# driver: its geometry and the layout rule, the gradient and the button's
# colours pixel by pixel, the keyboard, and the same window at 144 DPI.
# Screenshots of each case land in build/windows/look/ to be looked at.
# Needs WINEPREFIX and DISPLAY set up (scripts/test does that).
#   look.sh PROGRAM.exe TESTDRIVER.exe [CASE...]
set -uo pipefail
source "$(dirname "$0")/harness.sh"

APP='C:\look\app'
APP_U="$C/look/app"
EXPECT_U="$C/look/expect"
SHOTS="$(cd "$(dirname "$PROGRAM")/.." && pwd)/look"
mkdir -p "$SHOTS"

reset_case() {
  rm -rf "$STARTUP_U"/* "$C/look"
  mkdir -p "$APP_U" "$EXPECT_U"
  cp "$PROGRAM" "$APP_U/RemoveMolvane.exe"
  printf 'MZ' >"$STARTUP_U/Molvane.exe"
  printf '1\r\n2\r\n3\r\n4\r\na\r\nb\r\nc\r\nTRUE\r\n' | tee "$EXPECT_U/Options.ini" >"$APP_U/Options.ini"
}

drive() {  # runs the driver with the given steps: program started, Startup folder chosen, main window open
  wine "$DRIVER" "start=$APP\\RemoveMolvane.exe" chooser select= chooser-ok main "$@" </dev/null 2>&1 |
    tr -d '\r' | sed 's/^/    /'
  return "${PIPESTATUS[0]}"
}

shot() {  # shot NAME: a driver step saving the main window as build/windows/look/NAME.bmp
  echo "shot=main:$(winepath -w "$SHOTS" 2>/dev/null)\\$1.bmp"
}

to_png() {
  command -v convert >/dev/null && convert "$SHOTS/$1.bmp" "$SHOTS/$1.png" && rm -f "$SHOTS/$1.bmp"
  return 0
}

unchanged() {
  check "Molvane.exe kept" test -f "$STARTUP_U/Molvane.exe"
  check "Options.ini untouched" cmp -s "$APP_U/Options.ini" "$EXPECT_U/Options.ini"
}

removed() {
  check "Molvane.exe deleted" test ! -e "$STARTUP_U/Molvane.exe"
  check "Options.ini says FALSE on line 8" grep -q '^FALSE' "$APP_U/Options.ini"
}

# Restarts Wine with another DPI for the prefix (Wine reads it at start).
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  wineserver -k </dev/null >/dev/null 2>&1
  wineserver -w </dev/null >/dev/null 2>&1
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

# --- cases -------------------------------------------------------------------

# Client area, controls where the definition puts them, Label1 as high as its
# text in Tahoma -11, and Label2 as wide as the window minus 80 pixels, also
# after the window grows by 100 pixels, while nothing else moves.
case_layout() {
  drive client=363,186 'bounds=Frame1:0,0,363,186' 'bounds=Label1:26,30,306,*' 'font=Label1:Tahoma,-11' \
    'bounds=Label2:30,86,*,85' 'outer-minus=Label2:80' 'bounds=OKBtn:151,146,65,25' \
    resize=100,0 client=463,186 'bounds=Frame1:0,0,463,186' 'outer-minus=Label2:80' 'bounds=Label2:30,86,*,85' \
    'bounds=Label1:26,30,306,*' 'bounds=OKBtn:151,146,65,25' "$(shot wider)" close exited || return 1
  to_png wider
  unchanged
}

# The gradient: cream at the top and bottom edges, sky blue across the middle
# (the last band of the upper half is #A7CAF0: 127/128 of the way), seen also
# through both labels; the button's own colours, normal and under the mouse,
# also after Label2 (which reaches down over the button) repaints itself.
case_colours() {
  drive mouse=0,0 'pixel=0,0:FFFBF0' 'pixel=362,0:FFFBF0' 'pixel=10,92:A7CAF0' 'pixel=10,93:A6CAF0' \
    'pixel=10,185:FEFBF0' 'pixel=362,185:FEFBF0' 'pixel=Label1@1,1:E1EBF0' 'pixel=Label2@5,60:D9E6F0' \
    deactivate 'pixel=OKBtn@32,0:9BB9E0' 'pixel=OKBtn@32,1:C8DBEE' 'pixel=OKBtn@32,23:D0E1F7' \
    repaint=Label2 'pixel=OKBtn@32,1:C8DBEE' "$(shot main-96)" \
    'mouse=OKBtn@30,20' 'pixel=OKBtn@32,0:DBCE99' 'pixel=OKBtn@32,1:FFFDEB' 'pixel=OKBtn@32,23:FFE9A4' \
    "$(shot hot-96)" mouse=0,0 'pixel=OKBtn@32,0:9BB9E0' activate close exited || return 1
  to_png main-96
  to_png hot-96
  unchanged
}

# Held down, the button shows its down colours; released away from it, it
# clicks nothing.
case_pressed_and_let_go_elsewhere() {
  drive 'mouse=OKBtn@30,20' button-down 'pixel=OKBtn@32,0:7B6645' 'pixel=OKBtn@32,1:F1AF76' \
    'pixel=OKBtn@32,23:FD9F4C' "$(shot down-96)" mouse=0,0 'pixel=OKBtn@32,0:!7B6645' button-up running \
    close exited || return 1
  to_png down-96
  unchanged
}

case_escape_closes() {
  drive key=ESC exited || return 1
  unchanged
}

case_enter_presses_ok() {
  drive key=ENTER exited || return 1
  removed
}

case_space_presses_focused_ok() {
  drive focus=OKBtn key=SPACE exited || return 1
  removed
}

# At 144 DPI every figure is scaled by 1.5: client area, controls, font (-17),
# glyph, and the layout rule (outer width minus 120).
case_dpi_144() {
  set_dpi 144
  drive client=545,279 'bounds=Frame1:0,0,545,279' 'bounds=Label1:39,45,459,*' 'font=Label1:Tahoma,-17' \
    'bounds=Label2:45,129,*,128' 'outer-minus=Label2:120' 'bounds=OKBtn:227,219,98,38' \
    mouse=0,0 'pixel=0,0:FFFBF0' 'pixel=10,138:A7CAF0' 'pixel=10,139:A6CAF0' 'pixel=10,278:FEFBF0' \
    deactivate 'pixel=OKBtn@49,0:9BB9E0' 'pixel=OKBtn@49,1:C8DBEE' "$(shot main-144)" close exited
  local result=$?
  set_dpi 96
  [ $result -eq 0 ] || return 1
  to_png main-144
  unchanged
}

# --- run ---------------------------------------------------------------------

clean_up() { rm -rf "$C/look"; }

run_all_cases look
