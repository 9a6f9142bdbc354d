#!/bin/bash
# Kysy's dialogs in text form at a real terminal: kysy runs in a tmux pane,
# keys are typed as a user would, and the answer file is checked.
#
#   tests/terminal/kysy.sh path/to/kysy work-dir
set -euo pipefail
kysy=$(realpath "$1")
work=$2
session="kysy-terminal-$$"

rm -rf "$work"
mkdir -p "$work/tmp"
printf 'Surfcam 2023\nSurfcam 2024\nEdgecam\n' > "$work/Dlg_List.lst"
cleanup() { tmux kill-session -t "$session" 2>/dev/null || true; }
trap cleanup EXIT

wait_for() {
  for _ in $(seq 100); do
    if tmux capture-pane -p -t "$session" | grep -qF -- "$1"; then return 0; fi
    sleep 0.1
  done
  echo "the terminal never showed: $1" >&2
  tmux capture-pane -p -t "$session" >&2
  exit 1
}

# run ARGS...: kysy in a new pane with temp set.
run() {
  local line="temp='$work/tmp' '$kysy'"
  for a in "$@"; do line="$line '$a'"; done
  rm -f "$work/tmp/Dlg_Ret.bat"
  tmux new-session -d -s "$session" -x 120 -y 30 -c "$work" "$line; echo \"status \$?\"; sleep 30"
}

expect_answer() {
  local want got
  want=$(printf "$1")
  got=$(cat "$work/tmp/Dlg_Ret.bat")
  if [ "$got" != "$want" ]; then
    echo "answer file: $(tr '\r\n' '||' <"$work/tmp/Dlg_Ret.bat"), want $(echo "$want" | tr '\r\n' '||')" >&2
    exit 1
  fi
}

# LISTBOX: the second item marked; a wrong number is asked again, 3 picks.
run LISTBOX 2 Asennus "Valitse CAM~ohjelma"
wait_for ">  2  Surfcam 2024"
wait_for "Valitse CAM"
tmux send-keys -t "$session" "7" Enter
tmux send-keys -t "$session" "3" Enter
wait_for "status 0"
cleanup
expect_answer 'set Dlg_Ret1=Edgecam\r\n\r\nset Dlg_Ret2=3\r'

# EDITBOX: a new text, then OK.
run EDITBOX 'C:\Surfcam' "" "Anna kansio:"
wait_for "[C:\\Surfcam]"
tmux send-keys -t "$session" "D:\\CAM" Enter
wait_for "<Surfcam 2024>"
tmux send-keys -t "$session" Enter
wait_for "status 0"
cleanup
expect_answer 'set Dlg_Ret1=D:\\CAM\r'

# CHECKBOX: box 2 ticked, then OK; RADIOBOX cancelled with q.
run CHECKBOX 1
wait_for "[x]  1  Surfcam 2023"
tmux send-keys -t "$session" "2" Enter
wait_for "[x]  2  Surfcam 2024"
tmux send-keys -t "$session" Enter
wait_for "status 0"
cleanup
expect_answer 'set Dlg_Ret1=1\r\nset Dlg_Ret2=1\r\nset Dlg_Ret3=0\r\nset Dlg_Ret4=0\r\nset Dlg_Ret5=0\r'

run RADIOBOX 1
wait_for "(*)  1  Surfcam 2023"
tmux send-keys -t "$session" "q" Enter
wait_for "status 0"
cleanup
expect_answer 'set Dlg_Ret1=@WR_ERR\r\n\r\nset Dlg_Ret2=-1\r'

# MSGBOX at the terminal: N answers No.
run MSGBOX QUESTION YESNO "" Asennus "Jatketaanko?"
wait_for "Jatketaanko?"
tmux send-keys -t "$session" "n" Enter
wait_for "status 0"
cleanup
expect_answer 'set Dlg_Ret1=MB_NO\r\n\r\nset Dlg_Ret2=2\r'
echo "kysy at a terminal: ok"
