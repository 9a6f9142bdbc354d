#!/usr/bin/env bash
# setup.exe under Wine on a virtual display (Xvfb), driven with xdotool:
# a registry prepared with regedit from a .reg file, a package folder with
# an "install" batch file that writes the menu file (and then one that
# does not), folders with blanks; the dialog's texts read with
# window_texts.exe.  The main dialog's screenshot goes to SHOTS.
# Usage: setup.sh SETUP_EXE WINDOW_TEXTS_EXE SOURCE_DIR WORK_DIR [SHOTS_DIR]
set -u
exe=$(realpath "$1") texts_exe=$(realpath "$2") src=$(realpath "$3") work=$4 shots=${5:-$4/shots}
rm -rf "$work" && mkdir -p "$work" "$shots" || exit 1
work=$(realpath "$work") shots=$(realpath "$shots")
cd "$work" || exit 1

. "$src/tests/wine_gui/lib.sh"

win() { echo "Z:$(echo "$1" | tr / '\\')"; }
caption='^Surfcam postprosessorin asennus$'
title='Surfcam postprosessorin asennus'
texts() {
  timeout 30 wine "$texts_exe" "$title" >"$1.ansi" 2>/dev/null </dev/null
  tr -d '\r' <"$1.ansi" | iconv -f WINDOWS-1252 -t UTF-8 >"$1"
}
# press KEY: to window $W, which then closes.  A click in it first: after
# the batch file's console closed, Wine gives the keyboard to no window
# of its own until one is clicked (there is no window manager).
press() {
  xdotool mousemove --window "$W" 20 40 click 1 >/dev/null 2>&1
  sleep 0.4
  keys "$1"
  sleep 0.5
  xdotool search --onlyvisible --name "$caption" 2>/dev/null | grep -qx "$W" && bad "window $W did not take $1"
  return 0
}

# Surfcam 7 in the registry, with blanks in both folders; Surfcam 6 only
# in the 32-bit view, where the 64-bit program looks when its own has no key.
prog="$work/Program Files/Surfcam" data="$work/Surfcam Data"
mkdir -p "$prog" "$data/Config" "$data/Template" "$data/sdnc" "$work/pkg/Template" "$work/pkg/DNC"
wprog=$(win "$prog") wdata=$(win "$data")
{
  printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\TornelSetupTest\\Surfcam 7]\r\n'
  printf '"InstallPath"="%s"\r\n' "$(echo "$wprog" | sed 's/\\/\\\\/g')"
  printf '"DataPath"="%s"\r\n' "$(echo "$wdata" | sed 's/\\/\\\\/g')"
} >surfcam.reg
timeout 60 wine regedit /s "$(win "$work/surfcam.reg")" >regedit.log 2>&1 || bad "regedit import"
timeout 60 wine reg add 'HKLM\SOFTWARE\TornelSetupTest\Surfcam 6' /v InstallPath /d 'C:\windows' /reg:32 /f \
  >>regedit.log 2>&1 || bad "reg add 32-bit view"
timeout 60 wineserver -w

cd pkg || exit 1
printf '; test package\r\n6;;SOFTWARE\\TornelSetupTest\\Surfcam 6\r\n7;;SOFTWARE\\TornelSetupTest\\Surfcam 7\r\n8;;SOFTWARE\\TornelSetupTest\\Surfcam 8\r\n' >Surfvers.lst
# The batch file notes its arguments and writes the menu file.
printf '@echo off\r\necho %%*> args.txt\r\necho new menu> "%%~2\\Config\\PostMenu.cfg"\r\n' >install.bat
printf 'old menu\r\n' >"$data/Config/PostMenu.cfg"

# 1. The main dialog with the detected version; Return installs.  The
#    first start of a fresh prefix may take longer than window() waits.
start install
for _ in $(seq 400); do
  xdotool search --onlyvisible --name "$caption" >/dev/null 2>&1 && break
  sleep 0.1
done
if window "$caption"; then
  main=$W
  shot setup_main
  texts main.txt
  has main.txt "Edit|$wprog|"
  has main.txt "Edit|$wdata|"
  has main.txt "|7|"
  keys Return  # the focused button installs; the dialog stays
  if window "$caption" "$main"; then
    texts installed.txt
    has installed.txt "Surfcam 7 postprosessori asennettu"
    press Return
  fi
  sleep 0.5
  window "$caption" && press Escape  # Lopeta
fi
finish install 0
has args.txt "\"$wprog\" \"$wdata\""
has "$data/Config/PostMenu.cfg" "new menu"
has "$data/Config/PostMenu.cfg_renamed" "old menu"

# 2. A batch file that leaves no menu file: the old one comes back.
printf '@echo off\r\ndel "%%~2\\Config\\PostMenu.cfg"\r\n' >install.bat
printf 'old menu\r\n' >"$data/Config/PostMenu.cfg"
start failing
if window "$caption"; then
  main=$W
  keys Return
  if window "$caption" "$main"; then
    texts failed.txt
    has failed.txt "Mahdollisia syitä siihen ovat:"
    press Return
  fi
  sleep 0.5
  window "$caption" && press Escape
fi
finish failing 0
has "$data/Config/PostMenu.cfg" "old menu"

# 3. Browsing: Cancel leaves the field as it was; OK puts the chosen
#    folder in it.  (Wine's browser opens its tree towards the start
#    folder but does not reliably end with it selected, so which folder
#    comes back is not checked.)
typed=$(win "$work/pkg/Template")
start browse
if window "$caption"; then
  main=$W
  xdotool mousemove --window "$W" 265 42 click 1 >/dev/null 2>&1  # the program folder field
  keys Home shift+End
  text "$typed"
  xdotool mousemove --window "$W" 425 42 click 1 >/dev/null 2>&1  # its "Selaa..."
  if window '^Browse for Folder$'; then
    keys Escape
    if window "$caption" "$main"; then
      main=$W
      texts browse_cancel.txt
      has browse_cancel.txt "Edit|$typed|"
      xdotool mousemove --window "$W" 425 42 click 1 >/dev/null 2>&1
      if window '^Browse for Folder$'; then
        sleep 2
        shot setup_browse
        keys Return
        if window "$caption" "$main"; then
          texts browse.txt
          grep -qE '^  Edit\|[A-Z]:\\[^|]*\|' browse.txt && ok "the field holds a folder" || bad "no folder in the field"
          has browse.txt "Edit|$wdata|"
          press Escape
        fi
      fi
    fi
  fi
fi
finish browse 0

# 4. While "install" runs the dialog is still painted, and takes no input.
printf '@echo off\r\necho started> started.txt\r\n:wait\r\nif not exist go.txt goto wait\r\necho new menu> "%%~2\\Config\\PostMenu.cfg"\r\n' >install.bat
rm -f started.txt go.txt
start busy
if window "$caption"; then
  main=$W
  keys Return
  for _ in $(seq 200); do [ -f started.txt ] && break; sleep 0.1; done
  texts busy.txt
  has busy.txt "window|Surfcam postprosessorin asennus|owner||disabled|"
  has busy.txt "Edit|$wprog|"
  touch go.txt
  if window "$caption" "$main"; then
    texts busy_done.txt
    has busy_done.txt "Surfcam 7 postprosessori asennettu"
    press Return
  fi
  sleep 0.5
  window "$caption" && press Escape
fi
finish busy 0
has "$data/Config/PostMenu.cfg" "new menu"

# 5. Extras by the command line: templates and DNC settings in, with
#    regedit importing the package's .reg file; then saved back.
printf 'tpl\r\n' >Template/Mill.SCTPL
printf 'cfg\r\n' >DNC/sdnc.sdnccfg
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\EditNCx]\r\n"Port"="COM7"\r\n' >DNC/EditNCx.reg
start extras extras-install templates dnc
if window "$caption"; then
  texts extras.txt
  has extras.txt "- Mallipohjat asennettu."
  has extras.txt "- Tiedonsiirtoasetukset asennettu."
  press Return
fi
finish extras 0
has "$data/Template/Mill.SCTPL" "tpl"
has "$data/sdnc/sdnc.sdnccfg" "cfg"
timeout 60 wine reg query 'HKCU\Software\EditNCx' /v Port >query.txt 2>&1
has query.txt "COM7"

rm -f DNC/EditNCx.reg DNC/sdnc.sdnccfg Template/Mill.SCTPL
start save extras-save templates dnc
if window "$caption"; then
  texts saved.txt
  has saved.txt "Tallennus suoritettu:"
  press Return
fi
finish save 0
has Template/Mill.SCTPL "tpl"
has DNC/sdnc.sdnccfg "cfg"
iconv -f UTF-16 -t UTF-8 DNC/EditNCx.reg 2>/dev/null >export.txt || cp DNC/EditNCx.reg export.txt
has export.txt "COM7"

# 6. Surfcam 6 has its key only in the 32-bit view.
printf '6;;SOFTWARE\\TornelSetupTest\\Surfcam 6\r\n' >Surfvers.lst
start view
if window "$caption"; then
  texts view.txt
  has view.txt "Edit|C:\\windows|"
  press Escape
fi
finish view 0

# 7. Without the version list: the stop box, and nothing else.
mkdir -p ../empty && cd ../empty || exit 1
start nolist
if window "$caption"; then
  texts nolist.txt
  has nolist.txt "Asetustiedostoa Surfvers.lst ei löydy."
  press Return
fi
finish nolist 1

exit $fail
