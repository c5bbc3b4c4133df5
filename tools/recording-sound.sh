#!/bin/sh
# Makes the default sound device of Wine programs run with HOME=DIR write
# what they play to FILE (16-bit samples as played):
#   tools/recording-sound.sh DIR FILE
# The device starts its file anew at every open (one per clip), so the
# samples go through a pipe that appends.  FILE is emptied.
set -e
home=${1:?usage: recording-sound.sh HOME-DIR FILE}
file=${2:?usage: recording-sound.sh HOME-DIR FILE}
mkdir -p "$home"
cat > "$home/.asoundrc" <<ASOUND
pcm.!default {
    type file
    slave.pcm "null"
    file "|cat >> $file"
    format "raw"
}
ASOUND
: > "$file"
