#!/usr/bin/env bash
# tsan.sh: builds build-tsan with ThreadSanitizer and runs the component's, the FTP library's
# and the upload's logic tests under it, with bench/tsan.supp. Prints the number of tests run
# and of reports; exits non-zero when a test fails or any report is left.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dir=build-tsan
tests=(tst_RavelInterface tst_RavelOperations tst_RavelFaults tst_RavelConnection tst_RavelScript
  tst_RavelNotifyQueue
  tst_FtpReplyParser tst_FtpAsciiCodec tst_FtpLibServers tst_FtpLibFaults
  tst_UploadLogic tst_UploadJob tst_LumoraUpload)

cmake -S . -B "$dir" -G Ninja -DLUMORA_GUI=OFF -DLUMORA_TESTS=ON -DLUMORA_TSAN=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j2 --target "${tests[@]}" lumora

logs=$root/$dir/tsan-logs
rm -rf "$logs"
mkdir -p "$logs"
regex="^($(IFS='|'; echo "${tests[*]}"))\$"
status=0
# Reports go to one file per process (the tests start the lumora program too).
(cd "$dir" && TSAN_OPTIONS="suppressions=$root/bench/tsan.supp log_path=$logs/report \
history_size=4 second_deadlock_stack=1 halt_on_error=0 die_after_fork=0" \
  ctest -j1 --output-on-failure -R "$regex") || status=$?

reports=$(cat "$logs"/report.* 2>/dev/null | grep -c '^WARNING: ThreadSanitizer' || true)
echo "tsan: ${#tests[@]} test programs, $reports reports (logs in $logs)"
if ((reports > 0)); then
  grep -h -A3 '^WARNING: ThreadSanitizer' "$logs"/report.* | head -40
  status=1
fi
exit $status
