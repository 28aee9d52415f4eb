"""Whether a screenshot from `xwd -root` shows the game's start menu; saves it as a PNG to look at.

Usage: start_menu_shown.py SCREEN.xwd OUT.png  (exit status 0 when the menu shows)
"""
import os
import sys
from collections import Counter

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Support"))
from screen_dump import read_xwd, write_png  # noqa: E402

GREY = (70, 70, 70)  # the game's clear colour; a window not yet drawn is black


width, height, rgb = read_xwd(sys.argv[1])
write_png(sys.argv[2], width, height, rgb)
colours = Counter(zip(rgb[0::3], rgb[1::3], rgb[2::3]))
everything = width * height
drawn = everything - colours[GREY] - colours[(0, 0, 0)]
# Mostly the grey background, with buttons and text drawn on it.
sys.exit(0 if colours[GREY] > everything / 2 and drawn > everything / 50 else 1)
