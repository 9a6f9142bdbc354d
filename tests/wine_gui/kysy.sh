#!/usr/bin/env bash
# Kysy's dialogs as real windows: kysy.exe under Wine on a virtual display
# (Xvfb), driven with xdotool by keyboard as a user would; each answer is
# read back from the answer file "Dlg_Ret.bat".  A screenshot of each kind
# of dialog goes to SHOTS (docs/images holds the ones the README shows).
# Usage: kysy.sh KYSY_EXE SOURCE_DIR WORK_DIR [SHOTS_DIR]
set -u
exe=$(realpath "$1") src=$2 work=$3 shots=${4:-$3/shots}
rm -rf "$work" && mkdir -p "$work/tmp" "$shots" || exit 1
cd "$work" || exit 1

. "$src/tests/wine_gui/lib.sh"

# Wine sets TEMP from its registry; a batch file sets it as the user's
# install batch files do, and calls kysy.exe.
winwork="Z:$(echo "$work" | tr / '\\')"
winexe="Z:$(echo "$exe" | tr / '\\')"

printf 'Surfcam 2023\r\nSurfcam 2024\r\nSurfcam 2025\r\nEdgecam\r\nMastercam\r\nNX\r\nCreo\r\n' >Dlg_List.lst

W=""
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
keys() { xdotool key --delay 80 "$@"; sleep 0.3; }
text() { xdotool type --delay 60 "$1"; sleep 0.3; }

# start NAME ARGS...: a batch file that sets temp and runs kysy.exe with
# ARGS (each quoted), in the background (pid in P).
start() {
  local name=$1 line
  shift
  line="\"$winexe\""
  for a in "$@"; do line="$line \"$a\""; done
  printf '@echo off\r\nset "temp=%s\\tmp"\r\n%s\r\n' "$winwork" "$line" >"$name.bat"
  rm -f tmp/Dlg_Ret.bat
  timeout 120 wine cmd /c "$name.bat" >"$name.out" 2>"$name.err" </dev/null &
  P=$!
}
finish() {
  local name=$1
  for _ in $(seq 300); do kill -0 "$P" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$P" 2>/dev/null && { bad "$name still running"; kill "$P"; }
  wait "$P"
}
# answer NAME TEXT: the answer file is exactly TEXT (lines as printf takes them).
answer() {
  local want
  want=$(printf "$2")
  if [ -f tmp/Dlg_Ret.bat ] && [ "$(cat tmp/Dlg_Ret.bat)" = "$want" ]; then
    ok "$1 answered"
  else
    bad "$1: answer file '$(cat tmp/Dlg_Ret.bat 2>/dev/null | tr '\r\n' '||')', want '$(echo "$want" | tr '\r\n' '||')'"
  fi
}

# 1. LISTBOX: the second item preselected, Down twice, Return presses OK.
start listbox LISTBOX 2 "" "Valitse CAM-ohjelma~(nuolinappaimet ja Enter)"
if window '^Valinta$'; then
  shot kysy_listbox
  keys Down Down Return
fi
finish listbox
answer listbox 'set Dlg_Ret1=Edgecam\r\n\r\nset Dlg_Ret2=4\r'

# 2. LISTBOX cancelled with Escape.
start listbox_cancel LISTBOX
window '^Valinta$' && keys Escape
finish listbox_cancel
answer "listbox cancel" 'set Dlg_Ret1=@WR_ERR\r\n\r\nset Dlg_Ret2=-1\r'

# 3. EDITBOX: the default text selected, typing replaces it, Return is OK.
printf 'Selaa...\r\n\r\nOhje\r\n' >Dlg_List.lst.edit
cp Dlg_List.lst Dlg_List.lst.keep
cp Dlg_List.lst.edit Dlg_List.lst
start editbox EDITBOX 'C:\Surfcam' "Asennus" "Anna Surfcamin kansio:"
if window '^Asennus$'; then
  shot kysy_editbox
  text 'D:\CAM\Surfcam'
  keys Return
fi
finish editbox
answer editbox 'set Dlg_Ret1=D:\\CAM\\Surfcam\r'

# 4. EDITBOX: an extra button (the third, "Ohje"; the second is hidden).
start editbox_button EDITBOX 'C:\Surfcam' "Asennus" "Anna kansio:"
if window '^Asennus$'; then
  keys Tab Tab space  # from the edit field past "Selaa..." to "Ohje"
fi
finish editbox_button
answer "editbox button" 'set Dlg_Ret1=@BUTTON3\r'
cp Dlg_List.lst.keep Dlg_List.lst

# 5. CHECKBOX: boxes 1 and 3 ticked at first; space clears box 1, Tab and
# space tick box 2.
start checkbox CHECKBOX 101 "" "Asennettavat postit:"
if window '^Dialogi$'; then
  shot kysy_checkbox
  keys space Tab space Return
fi
finish checkbox
answer checkbox 'set Dlg_Ret1=0\r\nset Dlg_Ret2=1\r\nset Dlg_Ret3=1\r\nset Dlg_Ret4=0\r\nset Dlg_Ret5=0\r'

# 6. RADIOBOX: the second preselected; Down moves the choice to the third.
start radiobox RADIOBOX 2 "Versio" "Valitse versio:"
if window '^Versio$'; then
  shot kysy_radiobox
  keys Down Return
fi
finish radiobox
answer radiobox 'set Dlg_Ret1=Surfcam 2025\r\n\r\nset Dlg_Ret2=3\r'

# 7. COMBOBOX: a text typed over the selected item's.
start combobox COMBOBOX 1 "" "Valitse tai kirjoita:"
if window '^Dialogi$'; then
  shot kysy_combobox
  text 'Fusion'
  keys Return
fi
finish combobox
answer combobox 'set Dlg_Ret1=Fusion\r\n\r\nset Dlg_Ret2=-1\r'

# 8. COMBOBOX: Down chooses the next item.
start combobox_item COMBOBOX 0
window '^Dialogi$' && keys Down Return
finish combobox_item
answer "combobox item" 'set Dlg_Ret1=Surfcam 2024\r\n\r\nset Dlg_Ret2=2\r'

# 9. MSGBOX YESNOCANCEL: Return takes the default (the third, Cancel);
# then No by its key.
start msgbox MSGBOX QUESTION YESNOCANCEL DEFBUTTON3 "Asennus" "Korvataanko vanhat postit?~Vanhat tallennetaan."
if window '^Asennus$'; then
  shot kysy_msgbox
  keys Return
fi
finish msgbox
answer msgbox 'set Dlg_Ret1=MB_CANCEL\r\n\r\nset Dlg_Ret2=3\r'
start msgbox_no MSGBOX QUESTION YESNOCANCEL "" "Asennus" "Korvataanko?"
window '^Asennus$' && keys Tab space  # from Yes to No
finish msgbox_no
answer "msgbox no" 'set Dlg_Ret1=MB_NO\r\n\r\nset Dlg_Ret2=2\r'

# 10. LISTBOX FILES: the files of a folder; the start text preselects.
mkdir -p posts/sub && touch posts/mill.tr posts/lathe.tr posts/notes.txt
start listbox_files LISTBOX FILES mill "${winwork}\\posts" "*.tr" "Postit" "Valitse posti:"
if window '^Postit$'; then
  shot kysy_listbox_files
  keys Return
fi
finish listbox_files
answer "listbox files" 'set Dlg_Ret1=mill.tr\r\n\r\nset Dlg_Ret2=2\r'

# 11. FILEDLG and FOLDERDLG: the system's choosers.
start filedlg FILEDLG SAVE "part.nc" "${winwork}\\posts" "NC|*.nc" "nc"
if window '^Save As$'; then
  shot kysy_filedlg
  keys Return
fi
finish filedlg
answer filedlg "set Dlg_Ret1=${winwork//\\/\\\\}\\\\posts\\\\part.nc\r\nset Dlg_Ret2=part.nc\r\nset Dlg_Ret3=${winwork//\\/\\\\}\\\\posts\r\nset Dlg_Ret4=part\r\nset Dlg_Ret5=nc\r"
start folderdlg FOLDERDLG "${winwork}\\posts"
if window '^Browse for Folder$'; then
  shot kysy_folderdlg
  keys Return
fi
finish folderdlg
answer folderdlg "set Dlg_Ret1=${winwork//\\/\\\\}\\\\posts\r"

echo "kysy under Wine: $([ $fail = 0 ] && echo passed || echo failed)"
exit $fail
