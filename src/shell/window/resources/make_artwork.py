#!/usr/bin/env python3
"""Draws the editor's own artwork: the title picture, the About background and the window icon.

The icon is drawn at 16 and 32 pixels; the larger sizes the desktop's menus ask for are those two
enlarged by whole factors, so they keep the hard pixel edges.

Run it from anywhere; it rewrites the PNG files beside itself. Only the standard library is used,
and the output is the same on every run, so the committed pictures can always be regenerated.
"""

import math
import os

from pixel_canvas import Canvas

HERE = os.path.dirname(os.path.abspath(__file__))

BLACK = (0, 0, 0)
WHITE = (252, 252, 252)
YELLOW = (252, 216, 64)
SHADOW = (40, 20, 0)
GRASS = (0, 148, 0)
GRASS_DARK = (0, 96, 0)
HILL = (56, 120, 72)
HILL_EDGE = (32, 84, 48)
DIRT = (136, 80, 24)
DIRT_DARK = (96, 52, 12)
DIRT_TOP = (200, 124, 48)
CLOUD = (236, 236, 252)
POLE = (160, 160, 160)


def banded_sky(canvas, top, bottom, colours):
    """Horizontal bands with a dithered row pair between neighbours, as old consoles did it."""
    band = (bottom - top) / len(colours)
    for y in range(top, bottom):
        index = min(int((y - top) / band), len(colours) - 1)
        colour = colours[index]
        edge = (y - top) - index * band
        for x in range(canvas.width):
            if index > 0 and edge < 2 and (x + y) % 2 == 0:
                canvas.set(x, y, colours[index - 1])
            else:
                canvas.set(x, y, colour)


def hills(canvas, base, bottom, phase):
    for x in range(canvas.width):
        top = base - int(18 * math.sin((x + phase) / 41.0) + 9 * math.sin((x + phase) / 13.0))
        top -= top % 2
        canvas.column(x, top, bottom, HILL)
        canvas.column(x, top, top + 2, HILL_EDGE)


def whoop_top(x, surface, spacing, height):
    """The dirt's top edge: a row of rounded bumps."""
    t = (x % spacing) / spacing
    return surface - int(height * math.sin(math.pi * t) ** 2)


def dirt_track(canvas, grass_top, surface, bottom, spacing, height):
    canvas.fill_rect(0, grass_top, canvas.width, surface - grass_top, GRASS)
    for x in range(0, canvas.width, 4):
        canvas.set(x + (x // 4) % 3, grass_top + 1 + (x // 4) % 5, GRASS_DARK)
    for x in range(canvas.width):
        top = whoop_top(x, surface, spacing, height)
        canvas.column(x, top, bottom, DIRT)
        canvas.column(x, top, top + 2, DIRT_TOP)
        for y in range(top + 3, bottom):
            if (x * 7 + y * 13) % 23 == 0:
                canvas.set(x, y, DIRT_DARK)
    for x in range(0, canvas.width, 2):
        canvas.set(x, bottom - 1, DIRT_DARK)


def cloud(canvas, x, y, size):
    for row, (offset, width) in enumerate(((2, 3), (1, 6), (0, 9), (0, 9))):
        canvas.fill_rect(x + offset * size, y + row * size, width * size, size, CLOUD)


def checkered_flag(canvas, x, top, bottom):
    canvas.fill_rect(x, top, 3, bottom - top, POLE)
    for row in range(3):
        for col in range(5):
            colour = BLACK if (row + col) % 2 == 0 else WHITE
            canvas.fill_rect(x + 3 + col * 8, top + row * 8, 8, 8, colour)


def centred(canvas, string, scale):
    return (canvas.width - Canvas.text_width(string, scale)) // 2


def title_picture():
    c = Canvas(512, 256)
    banded_sky(c, 0, 176, [(40, 72, 160), (56, 96, 192), (72, 124, 220), (92, 148, 252)])
    cloud(c, 30, 112, 4)
    cloud(c, 380, 96, 3)
    cloud(c, 250, 128, 2)
    hills(c, 150, 176, 0)
    dirt_track(c, 168, 196, 240, 48, 18)
    checkered_flag(c, 452, 132, 200)
    c.fill_rect(0, 240, 512, 16, (24, 24, 24))
    hint = "FILE > OPEN ROM FILE... TO BEGIN"
    c.text(centred(c, hint, 1), 245, hint, (200, 200, 200))
    c.shadowed_text(centred(c, "WHOOPLINE", 6), 22, "WHOOPLINE", YELLOW, SHADOW, 6)
    subtitle = "TRACK EDITOR - VERSION 1.0~"
    c.shadowed_text(centred(c, subtitle, 2), 80, subtitle, WHITE, BLACK, 2)
    return c


def about_background():
    c = Canvas(400, 300)
    banded_sky(c, 0, 190, [(16, 16, 48), (32, 24, 80), (56, 32, 104), (96, 48, 120)])
    for i in range(40):
        x = (i * 97 + 13) % 400
        y = (i * 53 + 7) % 120
        c.set(x, y, WHITE if i % 3 else YELLOW)
    hills(c, 160, 190, 120)
    dirt_track(c, 184, 204, 220, 40, 12)
    c.fill_rect(0, 220, 400, 80, (24, 24, 24))
    c.fill_rect(0, 220, 400, 1, DIRT_DARK)
    c.shadowed_text(centred(c, "WHOOPLINE", 5), 26, "WHOOPLINE", YELLOW, SHADOW, 5)
    c.shadowed_text(centred(c, "TRACK EDITOR", 2), 74, "TRACK EDITOR", WHITE, BLACK, 2)
    c.shadowed_text(centred(c, "VERSION 1.0~", 2), 94, "VERSION 1.0~", WHITE, BLACK, 2)
    c.outline_rect(0, 0, 399, 299, (120, 120, 160))
    return c


def icon(size):
    """A bump of dirt under a green selection frame, the editor's marker."""
    c = Canvas(size, size, (92, 148, 252))
    surface = size * 3 // 4
    for x in range(size):
        top = surface - int(size / 4 * math.sin(math.pi * x / (size - 1)) ** 2)
        c.column(x, top, size, DIRT)
        c.column(x, top, top + max(1, size // 16), DIRT_TOP)
    frame = size // 4
    c.outline_rect(frame, 1, size - 2 * frame, size - 2, (0, 252, 0))
    if size >= 32:
        c.outline_rect(frame + 1, 2, size - 2 * frame - 2, size - 4, (0, 252, 0))
    c.outline_rect(0, 0, size, size, BLACK)
    return c


def main():
    title_picture().write_png(os.path.join(HERE, "title.png"))
    about_background().write_png(os.path.join(HERE, "about.png"))
    drawn = {16: icon(16), 32: icon(32)}
    for size, source in ((16, 16), (32, 32), (48, 16), (64, 32), (128, 32), (256, 32)):
        drawn[source].scaled(size // source).write_png(os.path.join(HERE, f"icon{size}.png"))


if __name__ == "__main__":
    main()
