#!/usr/bin/env bash
# The Windows package: scripts/package makes the zip from the cross build;
# it must hold the programs, the examples, docs/ and the texts, and the
# tornel.exe unpacked from it must run the bundled example under Wine to
# the NC file the end-to-end case expects.
# Usage: package.sh SOURCE_DIR BUILD_DIR WORK_DIR
set -u
src=$1 build=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1
fail=0
ok() { echo "PASS $*"; }
bad() { echo "FAIL $*"; fail=1; }

zip=$(bash "$src/scripts/package" "$build" "$work" 2>"$work/package.err" | tail -1)
[ -f "$zip" ] || { cat "$work/package.err"; echo "FAIL no zip"; exit 1; }
cmake -E tar tf "$zip" > "$work/list.txt" || bad "zip unreadable"
for f in tornel/tornel.exe tornel/README.md tornel/GETTING-STARTED.txt \
    tornel/examples/posts/iso_mill.tr tornel/examples/cl/bracket.cl tornel/docs/language.md; do
  grep -qx "$f" "$work/list.txt" && ok "zip has $f" || bad "zip lacks $f"
done
for p in change kysy menugen lnkedit setup; do
  if [ -f "$src/tools/$p/CMakeLists.txt" ]; then
    grep -qx "tornel/$p.exe" "$work/list.txt" && ok "zip has $p.exe" || bad "zip lacks $p.exe"
  fi
done
grep -q '\.o$\|\.obj$\|CMakeCache' "$work/list.txt" && bad "build files in the zip"

mkdir -p "$work/unpacked" && (cd "$work/unpacked" && cmake -E tar xf "$zip") || bad "unpack"
cd "$work/unpacked/tornel/examples/posts" || exit 1
# Through a file: a Wine server started here would hold a pipe open.
timeout 60 winepath -w "$work" >"$work/winpath.txt" 2>/dev/null </dev/null
out_dir=$(tr -d '\r\n' <"$work/winpath.txt")
timeout 120 wine ../../tornel.exe -p iso_mill -i ..\\cl\\bracket.cl -o "$out_dir\\" \
  >"$work/run.out" 2>"$work/run.err" </dev/null
rc=$?
[ $rc = 0 ] && ok "tornel.exe from the zip: exit 0" || bad "tornel.exe exit $rc: $(cat "$work/run.err")"
if [ -f "$work/bracket.nc" ]; then
  tr -d '\r' <"$work/bracket.nc" > "$work/bracket.lf"
  tr -d '\r' <"$src/tests/e2e/example_iso_mill/expected/bracket.nc" > "$work/expected.lf"
  cmp -s "$work/bracket.lf" "$work/expected.lf" && ok "bracket.nc as expected" \
    || bad "bracket.nc differs: $(diff "$work/expected.lf" "$work/bracket.lf" | head -5)"
else
  bad "no bracket.nc"
fi
exit $fail
