#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window program LumoraPage. A sample
# project of pictures the program draws itself is made first, to open with
# "File > Load Lumora File".
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
out=${LUMORA_SAMPLE_DIR:-$PWD/build/sample}
project=$(build/bin/make_sample_album "$out" 6)
echo "Sample project: $project"
exec build/bin/LumoraPage
