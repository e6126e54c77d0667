# Shared by the project's scripts: installing what is missing, building, and
# setting up Wine and a virtual display. Source it; don't run it.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PACKAGES=(wine64 wine fonts-wine xvfb xauth g++-mingw-w64-x86-64-posix cmake googletest clang libclang-rt-14-dev imagemagick zip x11-utils)

# Installs the packages that are not there yet (as root, with apt-get).
ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Configures and builds both trees: build/windows (the program and its
# Windows tests) and build/native (the portable core and its tests).
build_all() {
  cmake -S "$ROOT" -B "$ROOT/build/windows" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$ROOT/build/windows" -j"$(nproc)"
  cmake -S "$ROOT" -B "$ROOT/build/native" >/dev/null
  cmake --build "$ROOT/build/native" -j"$(nproc)"
}

# A throwaway Wine prefix and home under $1; starts Wine's services detached
# so that nothing reading our output waits on them.
start_wine() {
  local base=$1
  rm -rf "$base"
  mkdir -p "$base/home"
  export HOME="$base/home" WINEPREFIX="$base/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
  wineboot -i </dev/null >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 || true
  # Wine's own TrueType fonts (Tahoma, Marlett for the title-bar buttons, ...)
  # from fonts-wine: this Wine build does not find its data folder, so they
  # go into the prefix's Fonts folder, where every Wine looks.
  ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wine() { wineserver -k >/dev/null 2>&1 || true; }

# A virtual display, unless one is there already.
start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  done
  echo "could not start a virtual display" >&2
  return 1
}

stop_display() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=; }
