#!/usr/bin/env bash
# soak.sh [RUNS] [PICTURES]: uploads an album again and again with `lumora upload` to the
# scripted server, each run meeting one fault at a random point (connection dropped, 421,
# a reply that never comes, 426 mid-transfer, garbage). Every run must end by itself within
# the component's time-out plus a margin, with "FTP Upload Complete." or a failure message
# and the exit status to match, without a crash, without touching a local file; the peak
# memory of each run is printed so a growth shows. The time that counts is from the fault to
# the end; the whole run may take as long as sending the album does.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
pictures=${2:-2000}
timeout_s=5
margin_s=30
# A hang is caught by this bound, which leaves room for sending every picture first.
run_limit=$((timeout_s + margin_s + pictures / 5))
./scripts/build.sh build >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
project=$(build/bin/make_sample_album "$work/album" "$pictures")
build/bin/lumora generate --project "$project" --layout framethumb \
  --output "$work/album/album.html" 2>/dev/null
before=$(cd "$work/album" && sha256sum -- * | sha256sum)
kinds=(drop 421 silent 426 garbage)
failures=0
printf '%-4s %-8s %6s %5s %8s %8s %10s  %s\n' run fault at exit seconds after peak_kb outcome
for ((r = 1; r <= runs; r++)); do
  kind=${kinds[RANDOM % ${#kinds[@]}]}
  at=$((RANDOM % (pictures + 4) + 1))
  python3 tests/support/fake_ftp_server.py "fault:$kind:$at" >"$work/server.out" &
  server=$!
  for _ in $(seq 50); do grep -q READY "$work/server.out" && break; sleep 0.1; done
  port=$(awk '/READY/ {print $2; exit}' "$work/server.out")
  start=$(date +%s.%N)
  set +e
  /usr/bin/time -f '%M' -o "$work/rss" timeout --kill-after=5 $run_limit \
    build/bin/lumora upload --project "$project" --host 127.0.0.1 --port "$port" \
    --page "$work/album/album.html" --timeout "$timeout_s" >/dev/null 2>"$work/err"
  status=$?
  set -e
  end=$(date +%s.%N)
  seconds=$(echo "$end - $start" | bc)
  struck=$(awk '/^FAULT/ {print $2; exit}' "$work/server.out")
  after_fault=-
  [[ -n $struck ]] && after_fault=$(printf '%.1f' "$(echo "$end - $struck" | bc)")
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  rss=$(tail -n1 "$work/rss")
  if grep -q 'FTP Upload Complete\.' "$work/err"; then outcome=complete; expect=0
  elif grep -qE 'Fatal FTP Error|FTP Connect Failed|FTP Upload Cancelled|Failed!' "$work/err"; then
    outcome=failure; expect=1
  else outcome=none; expect=-1; fi
  verdict=ok
  if ((status != expect)); then verdict="BAD (exit $status, $outcome)"; failures=$((failures + 1))
  elif [[ $after_fault != - ]] && (($(echo "$after_fault > $timeout_s + $margin_s" | bc))); then
    verdict="BAD (ended ${after_fault}s after the fault)"; failures=$((failures + 1)); fi
  printf '%-4s %-8s %6s %5s %8.1f %8s %10s  %s %s\n' "$r" "$kind" "$at" "$status" "$seconds" \
    "$after_fault" "$rss" "$outcome" "$verdict"
done
after=$(cd "$work/album" && sha256sum -- * | sha256sum)
if [[ $before != "$after" ]]; then echo "local files changed!"; failures=$((failures + 1)); fi
echo "runs: $runs, failures: $failures"
exit $((failures > 0))
