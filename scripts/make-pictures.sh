#!/usr/bin/env bash
# Paints the README's pictures of the editor with vorl-snapshot: the default look and one
# picture per effect section, unfolded and switched on, and the options panel.
# usage: make-pictures.sh PATH/TO/vorl-snapshot OUTPUT_FOLDER
set -euo pipefail
snapshot=$1
out=$2
mkdir -p "$out"
"$snapshot" "$out/editor.png" --widget editor
"$snapshot" "$out/editor-tape.png" --widget editor --expanded tape tp=1 tDarken=60 flutter=30
"$snapshot" "$out/editor-pitch.png" --widget editor --expanded pitch pitchOn=1
"$snapshot" "$out/editor-wave.png" --widget editor --expanded wave wo=1 mu=0 woOff=60
"$snapshot" "$out/editor-tremolo.png" --widget editor --expanded tremolo trem=1 mu=0 tremOff=90
"$snapshot" "$out/editor-options.png" --widget editor --options
echo "Pictures written to $out"
