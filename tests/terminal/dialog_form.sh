#!/bin/bash
# The dialog of examples/posts/iso_mill_dialog.tr at a real terminal: tornel
# runs in a tmux pane, keys are sent as a user would type them, and the
# screen and the NC file are checked.  The second run of the part shows
# the remembered program number.
#
#   tests/terminal/dialog_form.sh path/to/tornel source-dir work-dir [capture-file]
set -euo pipefail
tornel=$(realpath "$1")
src=$2
work=$3
capture=${4:-}
session="tornel-dialog-$$"

rm -rf "$work"
mkdir -p "$work"
cp "$src/examples/posts/iso_mill_dialog.tr" "$src/examples/posts/iso_mill.tr" \
   "$src/examples/cl/bracket.cl" "$work/"
cleanup() { tmux kill-session -t "$session" 2>/dev/null || true; }
trap cleanup EXIT

# Waits until the pane shows `text` (at most 10 s).
wait_for() {
  for _ in $(seq 100); do
    if tmux capture-pane -p -t "$session" | grep -qF -- "$1"; then return 0; fi
    sleep 0.1
  done
  echo "the terminal never showed: $1" >&2
  tmux capture-pane -p -t "$session" >&2
  exit 1
}

run_form() {
  tmux new-session -d -s "$session" -x 100 -y 40 -c "$work" \
    "'$tornel' -p iso_mill_dialog -i bracket.cl; echo \"status \$?\"; sleep 30"
}

run_form
wait_for "Program number (1 - 9999): 1000"
tmux send-keys -t "$session" "1" Enter
wait_for "Program number:"
tmux send-keys -t "$session" "12000" Enter
tmux send-keys -t "$session" "n" Enter
wait_for "! Please enter an integer between 1 and 9999."
tmux send-keys -t "$session" "1" Enter "4711" Enter "2" Enter "3" Enter
wait_for "Work offset: G56"
tmux send-keys -t "$session" "n" Enter
wait_for "[x] Write a tool list"
[ -n "$capture" ] && tmux capture-pane -p -t "$session" > "$capture"
tmux send-keys -t "$session" "1" Enter "o" Enter
wait_for "status 0"
cleanup
grep -q "^N10 O4711" "$work/bracket.nc" || { echo "no O4711 in the NC file" >&2; exit 1; }
grep -q "G56" "$work/bracket.nc" || { echo "no G56 in the NC file" >&2; exit 1; }
if grep -q "(T1)" "$work/bracket.nc"; then echo "the tool list was not turned off" >&2; exit 1; fi

# The part's second run starts from what was entered; Cancel ends it.
run_form
wait_for "Program number (1 - 9999): 4711"
tmux send-keys -t "$session" "c" Enter
wait_for "status 1"
echo "dialog form: ok"
