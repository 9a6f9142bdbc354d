#!/bin/sh
# Stops a running tornel from outside and checks what is left behind.
#   stop_run.sh TORNEL CASE_DIR WORK SIGNAL
# SIGINT, SIGTERM and SIGHUP are Cancel: exit status 1, nothing on standard
# error, no temp file and no work file left, and the previous NC file of the
# same name as it was.  SIGKILL cannot be handled: the temp files stay, but
# the previous NC file is still whole and no half program has its name.
set -u
tornel=$1 case_dir=$2 work=$3 sig=$4

rm -rf "$work" && mkdir -p "$work" || exit 1
cp "$case_dir/stuck.tr" "$work/" || exit 1
cd "$work" || exit 1
printf 'PARTNO/DEMO\nFINI\n' > part.cl
printf 'the previous program\r\n' > part.nc

"$tornel" -p stuck -i part.cl </dev/null 2>stderr.txt &
pid=$!

# Wait until the NC output has reached its work file (the stuck loop runs).
tries=0
until [ -n "$(find . -name 'part.nc.tornel-*' -size +4k 2>/dev/null)" ]; do
  tries=$((tries + 1))
  if [ $tries -gt 600 ]; then
    echo "tornel never got to the NC output"; kill -KILL $pid; exit 1
  fi
  sleep 0.05
done

kill -s "$sig" $pid
wait $pid
status=$?

fail=0
check() { echo "$1"; fail=1; }
[ "$(cat part.nc)" = "$(printf 'the previous program\r\n')" ] || check "part.nc was changed"
if [ "$sig" = KILL ]; then
  [ $status -ne 0 ] || check "exit status $status after SIGKILL"
else
  [ $status -eq 1 ] || check "exit status $status, expected 1"
  [ -s stderr.txt ] && check "standard error was: $(cat stderr.txt)"
  for f in Tornel.tmp Tornel1.tmp Tornel2.tmp TorApt.tmp TorNc.tmp; do
    [ -e "$f" ] && check "$f should not exist"
  done
  [ -n "$(find . -name 'part.nc.tornel-*')" ] && check "the work file was left"
fi
exit $fail
