#!/usr/bin/env bash
# The progress window and the post list as real windows: tornel.exe under
# Wine on a virtual display (Xvfb), driven with xdotool, their texts read
# with window_texts.exe.  Cancel on a long run deletes the NC file and
# exits 1; the close box ends the run with 1 but delivers what was
# written; without -p the list of posts picks one by keyboard, and a
# message box of that post is owned by the progress window.  Screenshots
# go to SHOTS (docs/images holds the ones the docs show).
# Usage: progress.sh TORNEL_EXE WINDOW_TEXTS_EXE SOURCE_DIR WORK_DIR [SHOTS_DIR]
set -u
exe=$1 texts_exe=$2 src=$3 work=$4 shots=${5:-$4/shots}
rm -rf "$work" && mkdir -p "$work" "$shots" || exit 1
cd "$work" || exit 1

. "$src/tests/wine_gui/lib.sh"

mkdir posts
cp "$src/examples/posts/iso_mill.tr" "$src/tests/wine_gui/second.tr" posts/ || exit 1
cp "$src/tests/wine_gui/spin.tr" "$src/examples/cl/bracket.cl" . || exit 1

# Waits (at most 20 s) for two visible windows titled $1: the progress
# window and the list over it, which has the focus.
both_windows() {
  for _ in $(seq 200); do
    [ "$(xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l)" -ge 2 ] \
      && { sleep 0.8; return 0; }
    sleep 0.1
  done
  bad "no second window '$1'"
  return 1
}
# A screenshot of the whole display, cut to the windows on it.
screen() {
  timeout 20 import -window root "$shots/$1.png" >/dev/null 2>&1 \
    && convert "$shots/$1.png" -trim +repage "$shots/$1.png" >/dev/null 2>&1 \
    || bad "screenshot $1"
}

# texts TITLE FILE: what the windows titled TITLE show.
texts() {
  timeout 30 wine "$texts_exe" "$1" >"$2.crlf" 2>/dev/null </dev/null
  tr -d '\r' <"$2.crlf" >"$2"
}

# 1. The window and its texts; Cancel (the focused default button).
start cancel -p spin -i bracket.cl
if window '^Tornel$'; then
  sleep 1
  shot progress
  texts Tornel cancel.txt
  has cancel.txt "Static|Tornel|"
  has cancel.txt "Static|Postprocessor:|"
  has cancel.txt "Static|spin|"
  has cancel.txt "Static|Filename:|"
  has cancel.txt "Static|bracket.nc|"
  has cancel.txt "Button|Cancel|enabled"
  grep -qE '^  Static\|20[0-9]{2}-[01][0-9]-[0-3][0-9]\|' cancel.txt && ok "build date" \
    || bad "no build date in $(tr '\n' '|' <cancel.txt)"
  grep -qE '^  Static\|[0-9]+%\|' cancel.txt && ok "percentage" || bad "no percentage"
  grep -qE '^  msctls_progress32\|[0-9]+$' cancel.txt && ok "bar" || bad "no bar"
  keys Return
fi
finish cancel 1
[ -e bracket.nc ] && bad "cancel left bracket.nc" || ok "cancel: no NC file"

# 2. The close box (Alt+F4): the run ends with 1, the NC file written so
# far is finished and delivered.
start close -p spin -i bracket.cl
if window '^Tornel$'; then
  sleep 1
  keys alt+F4
fi
finish close 1
[ -s bracket.nc ] && ok "close: NC file delivered" || bad "close: no NC file"
has bracket.nc "(STARTED)"

# 3. No -p: the list of the posts of the current directory.
cd posts
start select -i ../bracket.cl -o ../second.nc
if both_windows '^Tornel$'; then
    screen select_post
    texts Tornel ../select.txt
    has ../select.txt "Static|Please, select a postprocessor to use.|"
    has ../select.txt "Button|OK|enabled"
    has ../select.txt "ListBox"
    keys Down Return  # iso_mill is first; the second is chosen
fi
cd ..
if window '^second$'; then
  shot owned_message
  texts second owned.txt
  has owned.txt "owner|Tornel|"
  keys Return  # Yes
fi
finish select 0
[ -f second.nc ] && has second.nc "(SECOND POST 0)" || bad "no second.nc"

# 4. Cancel in the list ends the run at once.
cd posts
start select_cancel -i ../bracket.cl -o ../cancelled.nc
both_windows '^Tornel$' && keys Escape
cd ..
finish select_cancel 1
[ -e cancelled.nc ] && bad "list cancel left an NC file" || ok "list cancel: no NC file"

echo "progress window under Wine: $([ $fail = 0 ] && echo passed || echo failed)"
exit $fail
