#!/usr/bin/env bash
# tornel-dev trace against tornel: builds both in Release, writes an APT-CL
# file of 100k GOTO records (bench/gen_cl.py) and runs the ISO mill post
# on it with tornel and with tornel-dev trace (the same NC file, plus the
# listing beside it).  Prints wall time and records per second (GOTO
# records) for each, the listing's size, and checks that the traced run
# left tornel's NC file byte for byte and a listing row per NC line.
#
#   bench/trace_throughput.sh [build-folder]      (default build-bench-trace)
#
# Environment: BENCH_SIZES (default "100000"), BENCH_KEEP=1 keeps the temp
# folder.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
build=${1:-build-bench-trace}
sizes=${BENCH_SIZES:-"100000"}

echo "building tornel and tornel-dev (Release) in $build ..." >&2
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTORNEL_TESTS=OFF -DTORNEL_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target tornel tornel-dev >/dev/null
case $build in /*) ;; *) build=$top/$build ;; esac
tornel=$build/tornel
dev=$build/dev/tornel-dev

work=$(mktemp -d "${TMPDIR:-/tmp}/tornel-bench-trace.XXXXXX")
if [ "${BENCH_KEEP:-0}" != 1 ]; then trap 'rm -rf "$work"' EXIT; fi
cp examples/posts/iso_mill.tr "$work/"

# Wall seconds of a command run in the work folder (tornel keeps its temp
# files in the current folder).
seconds() {
  local start end
  start=$(date +%s%N)
  (cd "$work" && "$@" >/dev/null) || { echo "trace_throughput: failed: $*" >&2; exit 1; }
  end=$(date +%s%N)
  awk -v ns=$((end - start)) 'BEGIN { printf "%.4f", ns / 1e9 }'
}

printf '| %-8s | %-14s | %9s | %12s | %10s |\n' records tool "wall s" records/s "listing MB"
printf '|%s|%s|%s|%s|%s|\n' ---------- ---------------- ----------- -------------- ------------
for n in $sizes; do
  cl=$work/bench$n.cl
  python3 bench/gen_cl.py "$n" >"$cl"
  t_plain=$(seconds "$tornel" -p iso_mill -i "$cl" -o plain.nc)
  t_trace=$(seconds "$dev" trace iso_mill "$cl" -o traced.nc)
  cmp -s "$work/plain.nc" "$work/traced.nc" ||
    { echo "trace_throughput: the traced NC file differs from tornel's" >&2; exit 1; }
  nc_lines=$(wc -l <"$work/traced.nc")
  rows=$(grep -vc '^#' "$work/traced.nc.trace")
  [ "$rows" = "$nc_lines" ] ||
    { echo "trace_throughput: $rows listing rows for $nc_lines NC lines" >&2; exit 1; }
  mb=$(awk -v b="$(stat -c %s "$work/traced.nc.trace")" 'BEGIN { printf "%.1f", b / 1048576 }')
  for tool in tornel trace; do
    t=$t_plain
    [ $tool = trace ] && t=$t_trace
    awk -v n="$n" -v tool="$tool" -v t="$t" -v mb="$([ $tool = trace ] && echo "$mb" || echo -)" 'BEGIN {
      printf "| %8d | %-14s | %9.3f | %12.0f | %10s |\n", n, tool, t, n / t, mb }'
  done
  awk -v a="$t_plain" -v b="$t_trace" -v l="$nc_lines" 'BEGIN {
    printf "  %d NC lines; the trace takes %.2f times tornel'"'"'s time\n", l, b / a }' >&2
  rm -f "$cl" "$work"/*.nc "$work"/*.trace
done
