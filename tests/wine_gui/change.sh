#!/usr/bin/env bash
# change's boxes as real windows: change.exe under Wine on a virtual
# display (Xvfb), driven with xdotool.  Without a file the help box
# ("Ohje") comes up and OK ends the run; with /W a missing file gives the
# "-tiedostoa ei löytynyt" warning, a file that cannot be written the
# "-tiedoston kirjoitusvirhe" one; change ends with status 0 each time and
# leaves the files as they were.  Screenshots go to SHOTS (docs/images
# holds change_help.png from here).
# Usage: change.sh CHANGE_EXE WORK_DIR [SHOTS_DIR]
set -u
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 work=$2 shots=${3:-$2/shots}
rm -rf "$work" && mkdir -p "$work" "$shots" || exit 1
cd "$work" || exit 1

export LC_ALL=C.UTF-8
. "$here/lib.sh"

# Waits (at most 20 s) for a visible window whose title matches $1; sets W.
window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    if [ -n "$id" ]; then
      W=$id
      sleep 0.8  # painted
      return 0
    fi
    sleep 0.1
  done
  bad "no window '$1'"
  return 1
}
shot() { import -window "$W" "$shots/$1.png" >/dev/null 2>&1 || bad "screenshot $1"; }
# The box's OK button has the focus: Return presses it.
press_ok() { xdotool key --delay 80 Return; sleep 0.3; }

# start NAME ARGS...: starts change.exe in the background (pid in P).
start() {
  local name=$1
  shift
  timeout 120 wine "$exe" "$@" >"$name.out" 2>"$name.err" &
  P=$!
}
# finish NAME: waits for the run, which must end with status 0.
finish() {
  local name=$1 rc
  for _ in $(seq 300); do kill -0 "$P" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$P" 2>/dev/null && { bad "$name still running"; kill "$P"; }
  wait "$P"
  rc=$?
  [ "$rc" = 0 ] && ok "$name exit 0" || bad "$name exit $rc ($(tr '\n' '|' <"$name.err"))"
}
# running: the program waits for its box (it has not ended on its own).
running() { kill -0 "$P" 2>/dev/null && ok "$1 waits for OK" || bad "$1 ended before OK"; }

# 1. No file: the help box.
start help
if window '^Ohje$'; then
  shot change_help
  running help
  press_ok
fi
finish help

# 2. /W and a file that is not there.
start missing missing.txt abc xyz /W
if window '^CHANGE$'; then
  shot change_not_found
  running missing
  press_ok
fi
finish missing
[ -e missing.txt ] && bad "missing.txt was made" || ok "missing.txt not made"

# 3. /W and a file that may not be written: it stays as it was.
printf 'abc\r\n' >locked.txt
chmod 444 locked.txt
wine attrib +r locked.txt >attrib.log 2>&1
start locked locked.txt abc xyz /W
if window '^CHANGE$'; then
  shot change_write_error
  press_ok
fi
finish locked
[ "$(cat locked.txt)" = $'abc\r' ] && ok "locked.txt unchanged" || bad "locked.txt changed"
ls locked.txt.change-* >/dev/null 2>&1 && bad "a scratch file was left" || ok "no scratch file"

# 4. Without /W the same failure shows nothing and ends at once.
start silent missing.txt abc xyz
finish silent

echo "change under Wine: $([ $fail = 0 ] && echo passed || echo failed)"
exit $fail
