#!/usr/bin/env bash
# Post dialogs as real windows: tornel.exe under Wine on a virtual display
# (Xvfb), driven with xdotool.  The example dialog is filled in by
# keyboard (a refused value first, then a program number, a work offset,
# the child dialog from its button) and the answers are looked for in the
# NC file; Cancel ends the run without an NC file; a message box, the
# save chooser and the folder browser answer a post.  A screenshot of
# each window goes to SHOTS (docs/images holds the ones the docs show).
# Usage: dialogs.sh TORNEL_EXE SOURCE_DIR WORK_DIR [SHOTS_DIR]
set -u
exe=$1 src=$2 work=$3 shots=${4:-$3/shots}
rm -rf "$work" && mkdir -p "$work" "$shots" || exit 1
cd "$work" || exit 1

. "$src/tests/wine_gui/lib.sh"

cp "$src/examples/posts/iso_mill_dialog.tr" "$src/examples/posts/iso_mill.tr" \
  "$src/examples/cl/bracket.cl" "$src/tests/wine_gui/ask.tr" . || exit 1

# 1. The example dialog, by keyboard.
start example -p iso_mill_dialog -i bracket.cl
if window '^Program \(1/2\)$'; then
  shot dialog_page1
  keys End shift+Home
  text 99999
  keys Return  # Next >: refused
  page=$W
  if window '^Program$'; then
    shot dialog_refused
    keys Return
  fi
  window '^Program \(1/2\)$' "$page" && {
    text 1234   # the refused text is selected: typing replaces it
    keys Tab Down Return  # G55, Next >
  }
  if window '^Program \(2/2\)$'; then
    shot dialog_page2
    page=$W
    keys Tab space  # More...
    if window '^More settings$'; then
      shot dialog_more
      keys Tab
      text HELLO
      keys Return  # OK of the child
    fi
    window '^Program \(2/2\)$' "$page" && keys Return  # OK
  fi
fi
finish example 0
if [ -f bracket.nc ]; then
  has bracket.nc O1234
  has bracket.nc G55
  has bracket.nc "(HELLO)"
  has bracket.val "#iso_mill_dialog"
else
  bad "no bracket.nc"
fi

# 2. Cancel (Escape) ends the run: no NC file.
rm -f bracket.nc bracket.val
start cancel -p iso_mill_dialog -i bracket.cl
window '^Program \(1/2\)$' && keys Escape
finish cancel 1
[ -e bracket.nc ] && bad "cancel left bracket.nc" || ok "cancel: no NC file"

# 3. A question whose default is its third button, and the save chooser.
start ask -p ask -i bracket.cl -o ask.nc
if window '^ask$'; then
  shot message_box
  keys Return  # the default: Cancel
fi
if window '^Save As$'; then
  shot file_save
  keys End shift+Home
  text chosen
  keys Return
fi
if window '^Browse for Folder$'; then
  shot folder
  keys Return  # OK: the folder selected at first, the desktop
fi
finish ask 0
if [ -f ask.nc ]; then
  has ask.nc "(ANSWER -1)"
  has ask.nc "\\chosen.nc)"
  has ask.nc "Desktop)"
else
  bad "no ask.nc"
fi

echo "dialogs under Wine: $([ $fail = 0 ] && echo passed || echo failed)"
exit $fail
