#!/usr/bin/env bash
# orvodata classify over the probe's fixtures: type, formats, answer and reason; JSON; no MediaInfo.
set -u
source "$(dirname "$0")/common.sh" "$1"
files=$(cd "$(dirname "$0")/../data/files" && pwd)

expect 0 'type: eAudio \(5\)'                                       -- classify "$files/song.mp3"
expect 0 'formats: general "MPEG Audio", video "", audio "MPEG Audio"' -- classify "$files/song.mp3"
expect 0 'available: no'                                            -- classify "$files/lesson-renamed.mp4"
expect 0 'reason: a zip archive passes only for documents'          -- classify "$files/lesson-renamed.mp4"
expect 0 'reason: the first line has no %PDF- header'               -- classify "$files/noheader.pdf"
expect 0 'incident: the probe helper crashed'                       -- classify "$files/crash.pdf"
expect 0 'reason: kl and zrtx files pass without being looked at'  -- classify "$work/gone.kl"
expect 0 'type: eVideo \(6\)'                                       -- classify "$files/tune.m4a" "$files/clip.mp4"
expect 0 '"contentTypeName": "eAudio"'                              -- classify --json "$files/tune.m4a"
expect 0 '^\[$'                                                     -- classify --json "$files/tune.m4a"
expect 2 'classify: missing arguments'                              -- classify
expect 0 '^Usage: orvodata classify'                                -- classify --help

ORVO_MEDIAINFO=$work/none expect 0 'general "Unable to load MediaInfo.dll"' -- classify "$files/song.mp3"
ORVO_MEDIAINFO=$work/none expect 0 'available: yes'                 -- classify "$files/notes.docx"
finish
