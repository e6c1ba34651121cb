#!/usr/bin/env bash
# The albums of album_scale_bench: FOLDER/albums/1000, 20000, 100000 and
# 10000+1000, every file a hard link to a copy of FOLDER/album-picture.jpg or
# album-video.avi (a file takes some 65,000 links at most), numbered as the
# program numbers them. Made once.
#   make-albums.sh FOLDER
set -euo pipefail
folder=$1
make_album() {  # name pictures videos
  local album=$folder/albums/$1
  [ -f "$album/.made" ] && return 0
  rm -rf "$album"; mkdir -p "$album"
  local number source
  for ((number = 1; number <= $2 + $3; number++)); do
    if ((number <= $2)); then
      source=$folder/albums/sources/picture-$((number / 50000)).jpg
      [ -f "$source" ] || { mkdir -p "$folder/albums/sources"; cp "$folder/album-picture.jpg" "$source"; }
      ln "$source" "$album/$(printf '%06d.jpg' "$number")"
    else
      ln "$folder/album-video.avi" "$album/$(printf '%06d.avi' "$number")"
    fi
  done
  touch "$album/.made"
}
make_album 1000 1000 0
make_album 20000 20000 0
make_album 100000 100000 0
make_album 10000+1000 10000 1000
