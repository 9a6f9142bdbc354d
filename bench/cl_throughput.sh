#!/usr/bin/env bash
# APT-CL throughput: builds tornel in Release, writes APT-CL files of 100k
# and 1M GOTO records (bench/gen_cl.py) and runs on each
#   cat      the file to /dev/null: the I/O floor;
#   awk      a naive converter, each GOTO/x,y,z into G1 X.. Y.. Z.., under
#            mawk and gawk when the machine has them;
#   tornel   the ISO mill post of examples/posts;
#   5ax-long, 5ax-short
#            tornel on a 5-axis file of as many GOTO records with tool axes
#            (bench/gen_cl5.py: one long feed stretch, or many short ones)
#            through the trunnion post with its rotary look-ahead on
#            (bench/trunnion_bench.tr);
#   drill-canned, drill-single
#            tornel on a file of as many holes (bench/gen_holes.py) through
#            the ISO mill post, as canned cycles and, for a control without
#            them, as single motions (iso_mill_nocycles);
# under /usr/bin/time -v.  Prints wall time, records per second (GOTO
# records) and peak memory, and checks that tornel's peak memory stays flat
# from 100k to 1M records, 3-axis, 5-axis and drilling, and that the 5-axis
# runs reach at least half the 3-axis throughput.
#
#   bench/cl_throughput.sh [build-folder]      (default build-bench-cl)
#
# Environment: BENCH_SIZES (default "100000 1000000"), BENCH_KEEP=1 keeps
# the temp folder.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
build=${1:-build-bench-cl}
sizes=${BENCH_SIZES:-"100000 1000000"}
# Peak memory at the largest size may exceed that at the smallest by this
# many percent plus this many kilobytes (allocator and page noise).
flat_percent=10
flat_kb=1024

if [ ! -x /usr/bin/time ]; then
  if [ "$(id -u)" = 0 ]; then
    apt-get install -y time >/dev/null
  else
    echo "cl_throughput: /usr/bin/time is missing (apt-get install time)" >&2
    exit 1
  fi
fi

echo "building tornel (Release) in $build ..." >&2
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target tornel >/dev/null
tornel=$top/$build/tornel

work=$(mktemp -d "${TMPDIR:-/tmp}/tornel-bench.XXXXXX")
if [ "${BENCH_KEEP:-0}" != 1 ]; then trap 'rm -rf "$work"' EXIT; fi
cp examples/posts/iso_mill.tr examples/posts/iso_mill_nocycles.tr examples/posts/trunnion_5ax.tr \
  bench/trunnion_bench.tr "$work/"

# Runs a command under /usr/bin/time -v; prints "seconds kilobytes".  The
# wall time is taken here in nanoseconds (time -v rounds to 10 ms).
measure() {
  local log=$work/time.log start end
  start=$(date +%s%N)
  /usr/bin/time -v -o "$log" "$@" || { echo "cl_throughput: failed: $*" >&2; cat "$log" >&2; exit 1; }
  end=$(date +%s%N)
  awk -v ns=$((end - start)) -F': ' '
    /Maximum resident set size/ { rss = $2 }
    END { printf "%.4f %d\n", ns / 1e9, rss }' "$log"
}

naive_awk='/^GOTO\// { split(substr($0, 6), v, ","); printf "G1 X%s Y%s Z%s\n", v[1], v[2], v[3] }'

printf '| %-8s | %-12s | %10s | %9s | %14s | %12s |\n' \
  "records" "tool" "file MB" "wall s" "records/s" "peak RSS MB"
printf '|%s|%s|%s|%s|%s|%s|\n' ---------- -------------- ------------ ----------- \
  ---------------- --------------
# The naive converter runs under every awk the machine has: mawk (Debian's
# default, very fast) and gawk differ by a factor of five or so.
awks=()
for a in mawk gawk; do command -v "$a" >/dev/null && awks+=("$a"); done
[ ${#awks[@]} -gt 0 ] || awks=(awk)

declare -A tornel_rss
declare -A walls
for n in $sizes; do
  cl=$work/bench$n.cl
  python3 bench/gen_cl.py "$n" >"$cl"
  file_mb=$(awk -v b="$(stat -c %s "$cl")" 'BEGIN { printf "%.1f", b / 1048576 }')
  python3 bench/gen_cl5.py "$n" long >"$work/long$n.cl"
  python3 bench/gen_cl5.py "$n" short >"$work/short$n.cl"
  python3 bench/gen_holes.py "$n" >"$work/holes$n.cl"
  for tool in cat "${awks[@]}" tornel 5ax-long 5ax-short drill-canned drill-single; do
    case $tool in
      cat) read -r wall rss < <(measure sh -c 'cat "$1" >/dev/null' sh "$cl") ;;
      mawk|gawk|awk)
        read -r wall rss < <(measure sh -c '"$1" "$2" "$3" >"$4"' sh "$tool" "$naive_awk" "$cl" \
          "$work/awk.nc")
        ;;
      tornel)
        # Tornel keeps its temp files in the current folder.
        read -r wall rss < <(cd "$work" && measure "$tornel" -p iso_mill -i "$cl" -o "$work/")
        [ -s "$work/bench$n.nc" ] || { echo "cl_throughput: no NC file from tornel" >&2; exit 1; }
        tornel_rss[$n]=$rss
        ;;
      5ax-long|5ax-short)
        kind=${tool#5ax-}
        read -r wall rss < <(cd "$work" && measure "$tornel" -p trunnion_bench -i "$work/$kind$n.cl" -o "$work/")
        [ -s "$work/$kind$n.nc" ] || { echo "cl_throughput: no NC file from tornel (5-axis)" >&2; exit 1; }
        tornel_rss[$n,$kind]=$rss
        ;;
      drill-canned|drill-single)
        post=iso_mill
        [ "$tool" = drill-single ] && post=iso_mill_nocycles
        read -r wall rss < <(cd "$work" && measure "$tornel" -p $post -i "$work/holes$n.cl" -o "$work/")
        [ -s "$work/holes$n.nc" ] || { echo "cl_throughput: no NC file from tornel (drilling)" >&2; exit 1; }
        lines=$(wc -l <"$work/holes$n.nc")
        echo "  $n holes, $tool: $lines NC lines" >&2
        tornel_rss[$n,${tool#drill-}]=$rss
        ;;
    esac
    walls[$n,$tool]=$wall
    mb=$file_mb
    case $tool in
      5ax-*) mb=$(awk -v b="$(stat -c %s "$work/${tool#5ax-}$n.cl")" 'BEGIN { printf "%.1f", b / 1048576 }') ;;
      drill-*) mb=$(awk -v b="$(stat -c %s "$work/holes$n.cl")" 'BEGIN { printf "%.1f", b / 1048576 }') ;;
    esac
    awk -v n="$n" -v tool="$tool" -v mb="$mb" -v wall="$wall" -v rss="$rss" 'BEGIN {
      rate = wall > 0 ? n / wall : 0
      printf "| %8d | %-12s | %10s | %9.3f | %14.0f | %12.1f |\n", n, tool, mb, wall, rate, rss / 1024 }'
  done
  for kind in long short; do
    awk -v n="$n" -v k="$kind" -v t="${walls[$n,tornel]}" -v f="${walls[$n,5ax-$kind]}" 'BEGIN {
      r = t / f
      printf "  %d records: 5-axis (%s stretches) runs at %.2f of the 3-axis throughput\n", n, k, r >"/dev/stderr"
      if (r < 0.5) { printf "FAIL 5-axis throughput below half the 3-axis one\n"; exit 1 } }' || exit 1
  done
  for a in "${awks[@]}"; do
    awk -v n="$n" -v a="$a" -v t="${walls[$n,tornel]}" -v w="${walls[$n,$a]}" 'BEGIN {
      printf "  %d records: tornel runs at %.2f of the speed of the naive converter under %s\n", n, w / t, a }' >&2
  done
  rm -f "$cl" "$work/bench$n.nc" "$work/awk.nc" "$work"/long$n.* "$work"/short$n.* "$work"/holes$n.*
done

set -- $sizes
small=$1
large=${!#}
if [ "$small" != "$large" ]; then
  for key in "" ",long" ",short" ",canned" ",single"; do
    s=${tornel_rss[$small$key]}
    l=${tornel_rss[$large$key]}
    case $key in
      ,long|,short) what="tornel 5-axis ${key#,}" ;;
      ,canned|,single) what="tornel drilling ${key#,}" ;;
      *) what=tornel ;;
    esac
    limit=$(( s + s * flat_percent / 100 + flat_kb ))
    if [ "$l" -le "$limit" ]; then
      echo "PASS flat memory: $what peak RSS ${l} kB at $large records, ${s} kB at $small (limit ${limit} kB)"
    else
      echo "FAIL flat memory: $what peak RSS ${l} kB at $large records, ${s} kB at $small (limit ${limit} kB)"
      exit 1
    fi
  done
fi
