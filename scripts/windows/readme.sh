#!/usr/bin/env bash
# Writes the Windows archive's README.txt (CRLF lines, for Notepad): how to
# start the demo, then the controls table of README.md and the program's own
# --help text, so each is written once.
#   readme.sh README.md LINUX_EMBERWIGHT VERSION > README.txt
set -euo pipefail
readme=$1 program=$2 version=$3
{
cat <<TEXT
Emberwight $version for Windows (64-bit)
=====================================

A real-time OpenGL 3.3 demo: a first-person walk at night to a wooden effigy
burning on a brick platform.

Start: double-click emberwight.exe, or run it from a command prompt in this
folder or any other (it finds GraphicsEngine\\ and resources\\ beside itself):

  emberwight.exe                    a 1024 x 768 window
  emberwight.exe 1920 1080 1        full screen at 1920 x 1080
  emberwight.exe 1024 768 0 1       the camera tour
  emberwight.exe --benchmark 30     frame and GPU times of the tour

Keep the folder together: the program reads its shaders and textures from it.

The fire's sound plays through OpenAL32.dll beside the program (OpenAL Soft,
under the LGPL: licences\\openal-soft\\). You may replace it with your own
build of OpenAL Soft. Without an audio device the demo says "Sound: off, no
audio device" and runs on; M mutes it.

When the driver is too old: the demo needs OpenGL 3.3. A graphics driver that
offers less ends with "Error: Emberwight needs OpenGL 3.3 or newer; this driver
offers ..." Install the current driver from the maker of the graphics card
(NVIDIA, AMD or Intel); Windows' own basic display driver has no OpenGL 3.3.

This build is cross-compiled on Debian and tested under Wine; it has not yet
been run on a Windows machine.

Controls
--------

TEXT
# README.md's controls table, as plain columns.
sed -n '/^## Controls/,/^## /p' "$readme" | grep '^| ' | grep -v '^| Key ' |
    sed -e 's/^| //' -e 's/ |$//' -e 's/`//g' -e 's/ (see below)//' -e 's/ (see \[[^]]*\]([^)]*))//' | awk -F ' \\| ' '{ printf "  %-10s %s\n", $1, $2 }'
cat <<TEXT

Command line
------------

TEXT
"$program" --help | sed 's/^Usage: emberwight /Usage: emberwight.exe /'
cat <<TEXT

--headless and --egl-device need EGL and work on Linux only.
TEXT
} | sed 's/$/\r/'
