#!/usr/bin/env bash
# Enlarging is the double buffer's work. With scale = 2 in a window on a
# 1024x768 desktop, page flipping gives way to it: the window shows 2x2
# blocks all the same, and the driver setting is saved as configured. Direct
# drawing cannot enlarge: it draws the frame at its own size in the middle of
# the 640x480 window, black around it.
E2E_SCREEN=1024x768x24
source "$(dirname "$0")/lib.sh"

# shot_with DRIVER FILE: a screenshot of the main menu with scale = 2 and
# that driver setting, which must be written back unchanged.
shot_with() {
  write_ini "[GENERAL]" "fullscreen = 0" "scale = 2" "driver = $1" ""
  start_game
  wait_window
  sleep 0.5
  screenshot "$2"
  leave_game
  [ "$(ini_value GENERAL driver)" = "$1" ] || fail "driver $(ini_value GENERAL driver) written back, expected $1"
  [ "$(identify -format '%wx%h' "$2")" = 640x480 ] || fail "driver $1: the window is not 640x480"
}

shot_with 0 double.png
shot_with 1 pages.png
# The highlighted entry's line glows with time and is left out.
enlarged_by pages.png 640x160+0+0 2 || fail "page flipping: the picture is not made of 2x2 blocks"
compare -metric AE -extract 640x160+0+0 double.png pages.png null: 2>/dev/null ||
  fail "page flipping: the picture differs from double buffering's"

shot_with 3 direct.png
all_black direct.png 640x120+0+0 || fail "direct drawing: not black above the frame"
all_black direct.png 640x120+0+360 || fail "direct drawing: not black below the frame"
all_black direct.png 160x240+0+120 || fail "direct drawing: not black left of the frame"
all_black direct.png 160x240+480+120 || fail "direct drawing: not black right of the frame"
# Drawn straight onto the display, the menu's panel flickers, as it always
# did with direct drawing; the title above it does not.
convert double.png -sample 320x240! shrunk.png
convert direct.png -crop 320x240+160+120 +repage centre.png
compare -metric AE -extract 320x64+0+0 shrunk.png centre.png null: 2>/dev/null ||
  fail "direct drawing: the frame in the middle is not the menu"
pass
