# Shared by the tests of real windows: sourced with the working folder
# current and $exe set.  Starts a display of our own and a Wine prefix of
# our own, and defines the helpers that find windows, press keys, take
# screenshots and check runs.  fail is 1 once a check failed.
export WINEDEBUG=-all WINEPREFIX="$work/prefix" WINEDLLOVERRIDES="mscoree,mshtml="
fail=0
ok() { echo "PASS $*"; }
bad() { echo "FAIL $*"; fail=1; }

# A display of our own: Xvfb picks a free number and tells it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>display.txt >xvfb.log 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s display.txt ] && break; sleep 0.1; done
[ -s display.txt ] || { echo "FAIL Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -1 display.txt)
cleanup() {
  timeout 20 wineserver -k >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT

timeout 180 wineboot -i >wineboot.log 2>&1 || bad "wineboot"
timeout 60 wineserver -w
# No window manager on Xvfb: Wine draws the frames itself (no stall at close).
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >reg.log 2>&1 || bad "reg"

# Waits (at most 20 s) for a visible window whose title matches $1 and
# whose id is not $2 (a page shown anew is a new window); sets W.
window() {
  local skip=${2:-} id
  for _ in $(seq 200); do
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
      if [ "$id" != "$skip" ]; then
        W=$id
        sleep 0.8  # painted
        return 0
      fi
    done
    sleep 0.1
  done
  bad "no window '$1'"
  return 1
}
shot() { timeout 20 import -window "$W" "$shots/$1.png" >/dev/null 2>&1 || bad "screenshot $1"; }
keys() { xdotool key --delay 80 "$@"; sleep 0.3; }
text() { xdotool type --delay 60 "$1"; sleep 0.3; }

# run NAME ARGS...: starts tornel.exe in the background (pid in P).
start() {
  local name=$1
  shift
  timeout 120 wine "$exe" "$@" >"$name.out" 2>"$name.err" &
  P=$!
}
# finish NAME WANT: waits for the run and checks its exit code.
finish() {
  local name=$1 want=$2 rc
  for _ in $(seq 300); do kill -0 "$P" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$P" 2>/dev/null && { bad "$name still running"; kill "$P"; }
  wait "$P"
  rc=$?
  [ "$rc" = "$want" ] && ok "$name exit $rc" || bad "$name exit $rc, want $want ($(tr '\n' '|' <"$name.err"))"
}
has() { grep -qF -- "$2" "$1" && ok "$1 has $2" || bad "$1 lacks $2"; }

