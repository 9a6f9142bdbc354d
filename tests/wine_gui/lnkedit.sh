#!/usr/bin/env bash
# lnkedit's message boxes as real windows: lnkedit.exe under Wine on a
# virtual display (Xvfb), driven with xdotool.  A shortcut made by the
# Linux build is shown in the "Notification" box (its text also on
# standard error), the box is closed with Return and the run ends with 0;
# a usage error shows its box and ends with 1 and makes nothing; create on
# an existing shortcut shows its box, ends with 0 and leaves the file.
# A screenshot of each box goes to SHOTS (docs/images holds the dump box).
# Usage: lnkedit.sh LNKEDIT_EXE SOURCE_DIR WORK_DIR [SHOTS_DIR]
set -u
exe=$1 src=$2 work=$3 shots=${4:-$3/shots}
rm -rf "$work" && mkdir -p "$work" "$shots" || exit 1
cd "$work" || exit 1

. "$src/tests/wine_gui/lib.sh"

cp "$src/tests/tools/lnkedit/data/linux_notepad.lnk" . || exit 1

# Waits (at most 20 s) for a visible window titled $1; sets W.
window() {
  local id
  for _ in $(seq 200); do
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
      W=$id
      sleep 0.8  # painted
      return 0
    done
    sleep 0.1
  done
  bad "no window '$1'"
  return 1
}
# shot, keys, start, finish and has are the shared ones.

# 1. The dump box: the contents of a shortcut made on Linux.
start dump dump linux_notepad.lnk
if window '^Notification$'; then
  shot lnkedit_dump
  keys Return
fi
finish dump 0
has dump.err 'target file  : "C:\windows\notepad.exe"'
has dump.err 'hotkey       : 1620 (hex 654)'

# 2. A usage error: its box, then exit code 1; nothing is made.
start usage new made.lnk -t 'C:\windows\notepad.exe' -k 0
if window '^Notification$'; then
  shot lnkedit_usage_error
  keys Return
fi
finish usage 1
has usage.err "ERROR: invalid hotkey"
[ -e made.lnk ] && bad "a shortcut was made" || ok "no shortcut made"

# 3. Create on an existing link: the box, exit code 0, the file untouched.
start exists new linux_notepad.lnk -t 'C:\other.exe'
if window '^Notification$'; then
  keys Return
fi
finish exists 0
has exists.err "Cannot overwrite existing link file"
cmp -s linux_notepad.lnk "$src/tests/tools/lnkedit/data/linux_notepad.lnk" \
  && ok "existing link untouched" || bad "existing link changed"

echo "lnkedit under Wine: $([ $fail = 0 ] && echo passed || echo failed)"
exit $fail
