#!/usr/bin/env bash
# Makes the program's recordings: a click and the spoken step instructions, as
# RIFF WAVE, PCM, mono, 11025 samples per second, 8 bits. The files are committed;
# run this only to change them (needs espeak-ng and sox from install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/../resources"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

to_wave() { sox "$1" -r 11025 -c 1 -b 8 -e unsigned-integer "$2"; }

speak() {
  espeak-ng -v en-us -s 150 -w "$tmp/$1.raw.wav" "$2"
  to_wave "$tmp/$1.raw.wav" "voices/$1.wav"
}

speak WELCOME "Welcome to Lumora Web Page Generator. Follow steps one to five to build your web album."
speak STEP1 "Step one. Choose the title, fonts, colours and backgrounds of your web page."
speak STEP2 "Step two. Pick your pictures from the file list and put them in the order you want."
speak STEP3 "Step three. Choose a page style and generate your web page."
speak STEP4 "Step four. Preview your web page."
speak STEP5 "Step five. Enter your F T P site details and upload your web page."

# A short click: a 2 kHz tone burst of 40 ms with a fast fade.
sox -n -r 44100 -c 1 "$tmp/click.wav" synth 0.04 sine 2000 fade q 0.002 0.04 0.035
to_wave "$tmp/click.wav" sounds/PICTURE.wav
