"""What a screenshot from `xwd -root` shows of the game's window; saves it as a PNG to look at.

Usage: screen_look.py WHAT SCREEN.xwd OUT.png X Y WIDTH HEIGHT
WHAT is "menu" (the start menu's five buttons on its grey), "panel" (the settings panel in their place),
"match" (the score bar along the window's bottom and the clock's digits at its top) or "overlay" (the match
menu's dark panel over the match, its three buttons light). X, Y, WIDTH and
HEIGHT are the window's place on the screen. Exit status 0 when it shows.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Support"))
from screen_dump import read_xwd, write_png  # noqa: E402

GREY = (70, 70, 70)  # the game's clear colour


def main():
    what, dump, png = sys.argv[1:4]
    left, top, width, height = (int(value) for value in sys.argv[4:8])
    screen_width, screen_height, rgb = read_xwd(dump)
    write_png(png, screen_width, screen_height, rgb)

    def pixel(x, y):
        offset = ((top + y) * screen_width + left + x) * 3
        return tuple(rgb[offset:offset + 3])

    def brightness(x, y):
        return sum(pixel(x, y)) // 3

    # The menu's buttons by the menu's own rules, their middles in the window.
    half_w, half_h, quarter_w = width // 2, height // 2, width // 4
    eighth_w = quarter_w // 2
    buttons = {"Start Game": (half_w, half_h + 140), "Add Player": (half_w + eighth_w + eighth_w // 2, half_h - 40),
               "Remove Player": (half_w - eighth_w - eighth_w // 2, half_h - 40),
               "Settings": (half_w - eighth_w - eighth_w // 2, min(half_h + 200, height - 70) + 30),
               "Quit": (half_w + eighth_w + eighth_w // 2, min(half_h + 200, height - 70) + 30)}
    found = []
    if what == "menu":
        # Above their texts, on their light faces.
        found = [name for name, (x, y) in buttons.items() if brightness(x, y - 20) > 100]
        shown = pixel(5, 5) == GREY and len(found) == len(buttons)
    elif what == "panel":
        # Its dark ground over the middle of the window, where "Add Player" stood, and "Settings" gone.
        ground = brightness(*buttons["Add Player"])
        found = [f"ground {ground}", f"Settings {pixel(*buttons['Settings'])}"]
        shown = ground < 60 and pixel(*buttons["Settings"]) == GREY and pixel(5, 5) == GREY
    elif what == "overlay":
        # The match menu's rows: heading, note, then "Resume", "Back to menu" and "Quit".
        row = height * 75 // 1000
        first_row = half_h - (5 * row + 2 * (row // 4)) // 2 + row // 4
        ground = brightness(width // 4 + 10, half_h)
        faces = [brightness(half_w - width // 16, first_row + (2 + k) * row + row // 4) for k in range(3)]
        found = [f"ground {ground}", f"buttons {faces}"]
        shown = ground < 70 and min(faces) > 100
    else:
        row = height - 20
        green = sum(1 for x in range(width) if (lambda r, g, b: g > r + 30 and g > b + 30)(*pixel(x, row)))
        dark = sum(1 for x in range(half_w - 80, half_w + 80) for y in range(2, 38) if brightness(x, y) < 40)
        found = [f"{green} green pixels along the score bar", f"{dark} dark pixels in the clock"]
        shown = green > width // 10 and dark > 50
    print(f"{what}: {', '.join(found)}")
    return 0 if shown else 1


sys.exit(main())
