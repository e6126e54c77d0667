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

passed=0 failed=0 failures=()

check() {  # check DESCRIPTION COMMAND...: one assertion about the outcome
  local what=$1
  shift
  if "$@"; then return 0; fi
  echo "    not so: $what"
  case_ok=0
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

# Runs every case_* function (or those named on the command line), then
# prints "LABEL: N passed, N failed".
run_all_cases() {
  local label=$1 c
  for c in $(declare -F | awk '{print $3}' | grep '^case_' | sed 's/^case_//'); do run_case "$c"; done
  [ "$(type -t clean_up)" = function ] && clean_up
  echo "$label: $passed passed, $failed failed${failures:+ (${failures[*]})}"
  [ "$failed" -eq 0 ]
}
