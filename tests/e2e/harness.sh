# Shared by the end-to-end scripts: arguments, the prefix's Startup folder,
# and running the case_* functions with a summary. Source it after `set -uo
# pipefail`; the script defines reset_case and its cases.
#   SCRIPT PROGRAM.exe TESTDRIVER.exe [CASE...]
PROGRAM=$1 DRIVER=$2
shift 2
ONLY=("$@")

C="$WINEPREFIX/drive_c"
STARTUP=$(wine "$DRIVER" startup-path </dev/null | tr -d '\r')
STARTUP_U=$(winepath -u "$STARTUP" 2>/dev/null)
[ -d "$STARTUP_U" ] || { echo "no Startup folder: $STARTUP"; exit 1; }

passed=0 failed=0 failures=() retried=()
LOGS=$(mktemp -d)
trap 'rm -rf "$LOGS"' EXIT

check() {  # check DESCRIPTION COMMAND...: one assertion about the outcome
  local what=$1
  shift
  if "$@"; then return 0; fi
  echo "    not so: $what"
  case_ok=0
}

attempt() {  # attempt NAME: runs one case from a fresh start, its output kept in $LOGS/NAME
  reset_case
  case_ok=1
  "case_$1" >"$LOGS/$1" 2>&1 || case_ok=0
  cat "$LOGS/$1"
  [ $case_ok -eq 1 ]
}

# A case that fails is run once more from a fresh start: the driver clicks and
# waits on a shared virtual display, where a rare hiccup is not the program's
# fault. A second failure fails the case; a pass on the second attempt is
# reported by name, with the first attempt's output, so it is never hidden.
run_case() {
  local name=$1
  if [ ${#ONLY[@]} -gt 0 ] && [[ ! " ${ONLY[*]} " =~ " $name " ]]; then return; fi
  echo "== $name"
  if attempt "$name"; then
    passed=$((passed + 1)); echo "   ok"; return
  fi
  mv "$LOGS/$name" "$LOGS/$name.first"
  echo "   failed; once more from a fresh start"
  if attempt "$name"; then
    passed=$((passed + 1)); retried+=("$name"); echo "   ok on the second attempt"
  else
    failed=$((failed + 1)); failures+=("$name"); echo "   FAILED"
  fi
}

# Runs every case_* function (or those named on the command line), then
# prints "LABEL: N passed, N failed", after the output of every case that
# failed at first, so that the end of a long log shows what went wrong.
run_all_cases() {
  local label=$1 c
  for c in $(declare -F | awk '{print $3}' | grep '^case_' | sed 's/^case_//'); do run_case "$c"; done
  [ "$(type -t clean_up)" = function ] && clean_up
  for c in "${retried[@]}" "${failures[@]}"; do
    echo "-- first attempt of $c:"; cat "$LOGS/$c.first"
  done
  for c in "${failures[@]}"; do
    echo "-- second attempt of $c:"; cat "$LOGS/$c"
  done
  echo "$label: $passed passed${retried:+ (${#retried[@]} on a second attempt: ${retried[*]})}," \
    "$failed failed${failures:+ (${failures[*]})}"
  [ "$failed" -eq 0 ]
}
