#!/usr/bin/env bash
# Writes docs/trace_bracket.txt again: the trace listing of the bundled
# example (the ISO mill post on examples/cl/bracket.cl), as tornel-dev
# trace leaves it beside the NC file, with "\n" line ends.  A test checks
# that the file is in step with tornel-dev.
#
#   scripts/trace_bracket.sh [build-folder]     (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
build=${1:-build}
case $build in /*) ;; *) build=$top/$build ;; esac
dev=$build/dev/tornel-dev
if [ ! -x "$dev" ]; then
  echo "trace_bracket: no $dev (cmake --build $build --target tornel-dev)" >&2
  exit 1
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/tornel-trace.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp examples/posts/iso_mill.tr examples/cl/bracket.cl "$work/"
(cd "$work" && "$dev" trace iso_mill bracket.cl >/dev/null)
tr -d '\r' < "$work/bracket.nc.trace" > docs/trace_bracket.txt
echo "docs/trace_bracket.txt written"
