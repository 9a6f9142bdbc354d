#!/usr/bin/env bash
# Shortcuts across the two builds: the Windows build (under Wine, through
# the system's shell-link object) makes and changes shortcuts the Linux
# build shows, and the other way round.
# Usage: cross_check.sh LNKEDIT LNKEDIT_EXE WORK_DIR
set -u
native=$(realpath "$1") exe=$(realpath "$2") work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
# The test prefix of the cross build when there is one; no display, so the
# message boxes only write their text to standard error.
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$(dirname "$exe")/../../wineprefix} DISPLAY=
fail=0
ok() { echo "PASS $*"; }
bad() { echo "FAIL $*"; fail=1; }

# run NAME PROGRAM ARGS...: standard error into NAME.err; checks exit 0.
run() {
  local name=$1
  shift
  if timeout 60 "$@" >"$name.out" 2>"$name.err"; then ok "$name"; else bad "$name exit $?"; fi
}
# line FILE TEXT: the file has the line, exactly (Windows line ends too).
line() {
  tr -d '\r' <"$1" | grep -qxF -- "$2" && ok "$1: $2" || bad "$1 lacks: $2 ($(tr '\n' '|' <"$1"))"
}

run wine_new wine "$exe" new w.lnk -t 'C:\windows\notepad.exe' -a '/p readme.txt' \
  -e 'Made under Wine' -k 1620 -i 'C:\windows\system32\shell32.dll' -x 3 -d 'C:\windows' -w 3
run native_dump "$native" dump w.lnk
line native_dump.err 'target file  : "C:\windows\notepad.exe"'
line native_dump.err 'description  : "Made under Wine"'
line native_dump.err 'command line : "/p readme.txt"'
line native_dump.err 'directory    : "C:\windows"'
line native_dump.err 'hotkey       : 1620 (hex 654)'
line native_dump.err 'icon         : "C:\windows\system32\shell32.dll",3'
line native_dump.err 'showcmd      : 3'

run native_new "$native" new l.lnk -t 'C:\windows\system32\cmd.exe' -a '/k dir' \
  -e 'Made on Linux' -k 0x0243 -i 'C:\windows\system32\cmd.exe' -x 1 -d 'C:\users'
run wine_dump wine "$exe" dump l.lnk
line wine_dump.err 'target file  : "C:\windows\system32\cmd.exe"'
line wine_dump.err 'description  : "Made on Linux"'
line wine_dump.err 'command line : "/k dir"'
line wine_dump.err 'directory    : "C:\users"'
line wine_dump.err 'hotkey       : 579 (hex 243)'
line wine_dump.err 'icon         : "C:\windows\system32\cmd.exe",1'

# Each changes the other's file; the fields not given stay.
run native_change "$native" change w.lnk -e 'Changed on Linux'
run wine_dump2 wine "$exe" dump w.lnk
line wine_dump2.err 'description  : "Changed on Linux"'
line wine_dump2.err 'command line : "/p readme.txt"'
line wine_dump2.err 'hotkey       : 1620 (hex 654)'
run wine_change wine "$exe" change l.lnk -a '/c ver'
run native_dump2 "$native" dump l.lnk
line native_dump2.err 'description  : "Made on Linux"'
line native_dump2.err 'command line : "/c ver"'
line native_dump2.err 'target file  : "C:\windows\system32\cmd.exe"'

echo "lnkedit across builds: $([ $fail = 0 ] && echo passed || echo failed)"
exit $fail
