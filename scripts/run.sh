#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: a sample album generated
# from a project of pictures the program draws itself.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
out=${LUMORA_SAMPLE_DIR:-$PWD/build/sample}
project=$(build/bin/make_sample_album "$out" 6)
build/bin/lumora generate --project "$project" --layout framethumb --output "$out/album.html"
echo "Album written: $out/album.html"
