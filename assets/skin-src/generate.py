"""Writes the default skin: every image and INI file of assets/skins, the
string table assets/Strings.xml and the program's bitmaps and icon in
assets/res, from the layout the program uses (tools/layout-dump's JSON).

    python3 generate.py --layout layout.json --assets ../ [--preview DIR]
"""

import sys

sys.dont_write_bytecode = True  # nothing written beside the sources

import argparse  # noqa: E402
import json
import math
import os
import shutil
import struct
import subprocess
import tempfile

import draw
import pngio
import texts
from svg import Svg

CONVERT = shutil.which("convert", path="/usr/bin") or "convert"
RSVG = shutil.which("rsvg-convert") or "rsvg-convert"

# File name stems of each skin file's window images.
IMAGE_STEMS = {
    "skin_main.ini": "main",
    "skin_button.ini": "button",
    "skin_advance.ini": "advance",
    "skin_color.ini": "color",
    "skin_macro.ini": "macro",
    "skin_singlekey.ini": "singlekey",
    "skin_gunfire.ini": "gunfire",
    "skin_Xshoot.ini": "xshoot",
    "skin_shift.ini": "shift",
    "skin_macrosel.ini": "macrosel",
    "macromenu.ini": "macromenu",
}
KEY_SUFFIX = {"Main": "normal", "Over": "over", "Down": "down", "Disabled": "disabled", "Mask": "mask"}
LOOK_FOR_IMAGE = {"Main": "normal", "Over": "highlighted", "Down": "pressed", "Disabled": "disabled"}
KEY_COLOUR = (255, 0, 255, 255)

# The hue bar of the colour picker, positions 2..191 top to bottom (RRGGBB).
HUE_TABLE = """
FF0005 FF000B FF0011 FF0018 FF0020 FF0029 FF0032 FF003C FF0045 FF0050
FF005B FF0065 FF0070 FF007B FF0086 FF0091 FF009C FF00A7 FF00B1 FF00BC
FF00C6 FF00CF FF00D8 FF00E0 FF00E8 FF00EF FF00F6 FF00FB FE00FF FA00FF
F500FF F000FF EA00FF E400FF DD00FF D600FF CF00FF C700FF BF00FF B600FF
AD00FF A500FF 9C00FF 9200FF 8900FF 8000FF 7700FF 6E00FF 6500FF 5C00FF
5300FF 4A00FF 4200FF 3A00FF 3200FF 2A00FF 2300FF 1C00FF 1600FF 1000FF
0B00FF 0600FF 0100FF 0003FF 0008FF 000EFF 0014FF 001BFF 0023FF 002BFF
0033FF 003CFF 0045FF 004FFF 0059FF 0063FF 006EFF 0078FF 0082FF 008DFF
0097FF 00A1FF 00ABFF 00B5FF 00BEFF 00C8FF 00D0FF 00D9FF 00E1FF 00E8FF
00EEFF 00F5FF 00FAFF 00FFFF 00FFFB 00FFF7 00FFF2 00FFEC 00FFE6 00FFDF
00FFD8 00FFD1 00FFC9 00FFC1 00FFB9 00FFB0 00FFA7 00FF9E 00FF95 00FF8C
00FF83 00FF7A 00FF70 00FF67 00FF5E 00FF55 00FF4D 00FF44 00FF3C 00FF34
00FF2C 00FF25 00FF1E 00FF17 00FF11 00FF0C 00FF07 00FF02 02FF00 06FF00
0BFF00 11FF00 17FF00 1EFF00 25FF00 2DFF00 36FF00 3EFF00 47FF00 50FF00
59FF00 62FF00 6CFF00 76FF00 80FF00 8AFF00 93FF00 9DFF00 A6FF00 B0FF00
B9FF00 C2FF00 CAFF00 D2FF00 DAFF00 E1FF00 E8FF00 EFFF00 F4FF00 F9FF00
FEFF00 FFFC00 FFF700 FFF100 FFEB00 FFE400 FFDC00 FFD400 FFCB00 FFC200
FFB900 FFAF00 FFA500 FF9B00 FF9100 FF8600 FF7C00 FF7200 FF6700 FF5D00
FF5300 FF4900 FF4000 FF3700 FF2E00 FF2600 FF1E00 FF1600 FF1000 FF0A00
""".split()
assert len(HUE_TABLE) == 190


def hue_colour(position):
    """The hue table's colour of a hue position; the rows above and below the
    table (positions 1 and 192) are pure red."""
    if 2 <= position <= 191:
        v = HUE_TABLE[position - 2]
        return int(v[0:2], 16), int(v[2:4], 16), int(v[4:6], 16)
    return 255, 0, 0


# ---------------------------------------------------------------------------
# Rendering


class Renderer:
    def __init__(self, work):
        self.work = work
        self.count = 0

    def render(self, svg):
        """Renders an Svg to an RGBA pngio.Image."""
        self.count += 1
        src = os.path.join(self.work, f"r{self.count}.svg")
        out = os.path.join(self.work, f"r{self.count}.png")
        with open(src, "w", encoding="utf-8") as f:
            f.write(svg.text())
        subprocess.run([RSVG, "-f", "png", "-o", out, src], check=True)
        image = pngio.read_image(out, CONVERT)
        assert (image.width, image.height) == (svg.width, svg.height), (image.width, image.height)
        return image


def flatten(image, rgb):
    """Composites an RGBA image over an opaque colour."""
    out = image.copy()
    px = out.pixels
    for i in range(0, len(px), 4):
        a = px[i + 3]
        if a != 255:
            for c in range(3):
                px[i + c] = (px[i + c] * a + rgb[c] * (255 - a) + 127) // 255
            px[i + 3] = 255
    return out


def keyed(image):
    """Turns an RGBA image into an opaque one whose see-through pixels are the
    key colour: pixels at least half covered keep their colour, the rest
    become the key. Nothing near the key colour survives at the edges."""
    out = image.copy()
    px = out.pixels
    for i in range(0, len(px), 4):
        if px[i + 3] >= 128:
            px[i + 3] = 255
        else:
            px[i:i + 4] = bytes(KEY_COLOUR)
    return out


# ---------------------------------------------------------------------------
# Windows


def controls_of(layout, skin_file):
    """The controls drawn into a skin file's images, deduplicated (the three
    dialogs of skin_singlekey.ini share their frame)."""
    seen = set()
    out = []
    for page in layout["pages"]:
        if page["skinFile"] == skin_file:
            items = list(page["controls"])
            if page["page"] != "Home":
                home = next(p for p in layout["pages"] if p["page"] == "Home")
                items += [c for c in home["controls"] if "everyPage" in c["flags"]]
            for c in items:
                out.append(c)
    for dialog in layout["dialogs"]:
        if dialog["skinFile"] == skin_file:
            for c in dialog["controls"]:
                key = (c["name"], tuple(c["rect"]))
                if key not in seen:
                    seen.add(key)
                    out.append(c)
    return out


def look_in(control, key):
    """Which look of `control` an image with Screen key `key` shows at its
    rectangle: the look the program cuts from that image, or the image's own
    kind of look where the program cuts none from it."""
    looks = control.get("looks") or {}
    for look in ("normal", "highlighted", "pressed", "disabled"):
        if looks.get(look) == key:
            return look
    return LOOK_FOR_IMAGE[key]


def draw_controls(svg, controls, key):
    for c in controls:
        if not c["visible"]:
            continue
        if c["kind"] == "SliderBar":
            s = c["slider"]
            draw.track(svg, c["rect"], s["filled"] == key)
        elif c["kind"] in ("ImageButton", "CheckButton"):
            draw.control_look(svg, c, look_in(c, key))
        else:
            draw.control_look(svg, c, "normal")


def window_size(layout, skin_file):
    for page in layout["pages"]:
        if page["skinFile"] == skin_file:
            return layout["mainWindow"]["width"], layout["mainWindow"]["height"]
    for dialog in layout["dialogs"]:
        if dialog["skinFile"] == skin_file:
            return dialog["size"]["width"], dialog["size"]["height"]
    raise KeyError(skin_file)


def by_name(controls, name):
    return next(c for c in controls if c["name"] == name)


# --- pages ------------------------------------------------------------------


def scene_home(svg, layout, controls, key):
    w, h = svg.width, svg.height
    draw.window_background(svg, w, h)
    draw.header(svg, w)
    # Traces from the tabs towards the mouse.
    for name, side in (("HomeButtonTab", 1), ("HomeAdvancedTab", 1), ("HomeLightingTab", -1),
                       ("HomeMacroTab", -1)):
        l, t, r, b = by_name(controls, name)["rect"]
        y = (t + b) / 2
        if side == 1:
            pts = [(336, y + (18 if y < 300 else -18)), (250, y + (18 if y < 300 else -18)), (226, y), (r + 6, y)]
        else:
            pts = [(564, y + (18 if y < 300 else -18)), (650, y + (18 if y < 300 else -18)), (674, y), (l - 6, y)]
        draw.callout(svg, pts, opacity=0.45)
    draw.mouse(svg, 336, 196, 0.94)
    draw.title(svg, "ZELT-7700 PERIX", w / 2, 566, 14, colour="#ffffff", sw=1.8, anchor="center", spacing=2.2)
    line = svg.linear([(0, draw.ACCENT, 0), (0.5, draw.ACCENT, 0.8), (1, draw.ACCENT, 0)], 0, 0, 1, 0)
    svg.rect(w / 2 - 150, 592, 300, 1, fill=line)
    draw_controls(svg, controls, key)


def scene_buttons(svg, layout, controls, key):
    w, h = svg.width, svg.height
    draw.window_background(svg, w, h)
    draw.header(svg, w, texts.PAGE_TITLES["Buttons"])
    # Profile selector strip.
    first = by_name(controls, "ButtonProfile1")["rect"]
    last = by_name(controls, "ButtonProfile5")["rect"]
    svg.rect(first[0] - 4.5, first[1] - 4.5, last[2] - first[0] + 9, first[3] - first[1] + 9, fill="#0a0a10",
             stroke="#24243a", sw=1, rx=8)
    draw.panel(svg, 180, 200, 410, 498)
    draw.heading_mark(svg, by_name(controls, "ButtonHeading")["rect"])
    # Number badges and callouts from each label to its button on the mouse.
    mx, my = 500, 195
    # Where each callout turns towards the mouse; chosen so that no two cross
    # and none runs through another button's number.
    elbows = {1: 430, 2: 420, 3: 420, 4: 430, 5: 440, 6: 470}
    draw.mouse(svg, mx, my, 1.0)
    for i in range(1, 7):
        l, t, r, b = by_name(controls, f"ButtonLabel{i}")["rect"]
        cy = (t + b) / 2
        draw.badge(svg, l - 14, cy, i, r=8)
        px, py = draw.MOUSE_PARTS[i]
        end = (mx + px, my + py)
        draw.callout(svg, [end, (elbows[i], cy), (r + 6, cy)], opacity=0.8)
    for i in range(1, 7):
        px, py = draw.MOUSE_PARTS[i]
        draw.badge(svg, mx + px, my + py, i, r=7, fill="#1b1030")
    draw_controls(svg, controls, key)


def scale_ticks(svg, rect, minimum, maximum, thumb_width, marks=()):
    l, t, r, b = rect
    span = (r - l) - thumb_width
    for v in range(minimum, maximum + 1):
        x = l + thumb_width / 2 + (v - minimum) * span / (maximum - minimum)
        big = v in marks
        svg.line(x, t - (7 if big else 5), x, t - 2, "#56567a" if big else "#34344a", 1)


def scene_advanced(svg, layout, controls, key):
    w, h = svg.width, svg.height
    draw.window_background(svg, w, h)
    draw.header(svg, w, texts.PAGE_TITLES["Advanced"])
    draw.panel(svg, 232, 156, 694, 372)
    draw.panel(svg, 232, 378, 694, 474)
    draw.panel(svg, 232, 480, 694, 574)
    level = by_name(controls, "AdvancedLevelSlider")
    scale_ticks(svg, level["rect"], 1, 12, 11, marks=(1, 4, 9, 12))
    accel = by_name(controls, "AdvancedAccelerationSlider")
    scale_ticks(svg, accel["rect"], 1, 13, 13)
    l, t, r, b = accel["rect"]
    draw.icon(svg, "minimise", l - 16, (t + b) / 2, draw.MUTED)
    draw.icon(svg, "plus", r + 16, (t + b) / 2, draw.MUTED)
    # A DPI gauge beside the stages.
    gx, gy = 120, 300
    svg.circle(gx, gy, 62, stroke="#1e1e2c", sw=10)
    arc = svg.linear([(0, draw.ACCENT_DARK, 1), (1, draw.ACCENT_LIGHT, 1)], 0, 1, 1, 0)
    svg.path(f"M{gx - 62},{gy} A62,62 0 0 1 {gx + 44},{gy - 44}", stroke=arc, sw=10,
             extra='stroke-linecap="round"')
    for i in range(13):
        a = math.radians(180 + i * 15)
        svg.line(gx + 74 * math.cos(a), gy + 74 * math.sin(a), gx + 80 * math.cos(a), gy + 80 * math.sin(a),
                 "#44445e", 1.4)
    # The program writes the selected stage's DPI in the middle (AdvancedDpiDialValue).
    draw.title(svg, "DPI", gx, gy + 18, 8, colour=draw.MUTED, sw=1.4, anchor="center")
    reticle(svg, 796, 300)
    # Pointer settings below the dial: double-click speed and wheel lines.
    draw.panel(svg, 40, 400, 216, 574)
    for name in ("AdvancedDpiLabel", "AdvancedLevelLabel", "AdvancedPollingLabel", "AdvancedDoubleClickLabel",
                 "AdvancedScrollLinesLabel"):
        draw.heading_mark(svg, by_name(controls, name)["rect"])
    draw_controls(svg, controls, key)


def reticle(svg, cx, cy):
    """Decoration: the sensor's aim."""
    for r, o in ((78, 0.18), (54, 0.3), (30, 0.5)):
        svg.circle(cx, cy, r, stroke=draw.ACCENT, sw=1, opacity=o)
    for a in range(0, 360, 10):
        rad = math.radians(a)
        inner = 84 if a % 30 else 80
        svg.line(cx + inner * math.cos(rad), cy + inner * math.sin(rad), cx + 88 * math.cos(rad),
                 cy + 88 * math.sin(rad), "#44445e", 1)
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        svg.line(cx + dx * 12, cy + dy * 12, cx + dx * 40, cy + dy * 40, draw.ACCENT_LIGHT, 1.2, opacity=0.7)
    svg.circle(cx, cy, 3, fill=draw.ACCENT_LIGHT)


def picker_preview(svg, origin):
    """What the colour picker paints over its upper part, for pages shown
    before it paints and for the previews."""
    ox, oy = origin
    svg.rect(ox, oy, 220, 198, fill="#161616")
    white_to_red = svg.linear([(0, "#ffffff", 1), (1, "#ff0000", 1)], 0, 0, 1, 0)
    to_black = svg.linear([(0, "#000000", 0), (1, "#000000", 1)])
    svg.rect(ox, oy + 1, 193, 192, fill=white_to_red)
    svg.rect(ox, oy + 1, 193, 192, fill=to_black)
    stops = [(i / 189, "#" + HUE_TABLE[i], 1) for i in range(0, 190, 9)] + [(1, "#" + HUE_TABLE[189], 1)]
    hue = svg.linear(stops)
    svg.rect(ox + 201, oy + 1, 12, 192, fill=hue)
    svg.circle(ox + 192.5, oy + 3.5, 2.5, stroke="#000000", sw=2)
    svg.circle(ox + 192.5, oy + 3.5, 2.5, stroke="#ffffff", sw=1)


def picker_bottom(svg, layout, origin):
    """The lower rows of the colour picker, which the page image supplies:
    channel letters, the arrows of the up/down buttons, the hex sign."""
    ox, oy = origin
    pick = {c["name"]: c["rect"] for c in layout["colorPicker"]["controls"]}
    sl, st, sr, sb = layout["colorPicker"]["swatch"]
    svg.rect(ox + sl - 1.5, oy + st - 1.5, sr - sl + 3, sb - st + 3, stroke="#3c3c56", sw=1, rx=2)
    svg.rect(ox + sl, oy + st, sr - sl, sb - st, fill="#ff0000")
    for channel, letter in (("Red", "R"), ("Green", "G"), ("Blue", "B")):
        l, t, r, b = pick[f"{channel}Box"]
        draw.well(svg, (ox + l, oy + t, ox + r, oy + b))
        draw.title(svg, letter, ox + l - 12, oy + (t + b) / 2 - 3.5, 7, colour=draw.MUTED, sw=1.3)
        for part, direction in (("Up", "up"), ("Down", "down")):
            ul, ut, ur, ub = pick[f"{channel}{part}"]
            svg.rect(ox + ul + 0.5, oy + ut + 0.5, ur - ul - 1, ub - ut - 1, fill="#1d1d2a", stroke="#34344c",
                     sw=1, rx=1.5)
            cx, cy = ox + (ul + ur) / 2, oy + (ut + ub) / 2
            if direction == "up":
                svg.path(f"M{cx - 2.5},{cy + 1.5} L{cx},{cy - 1.5} L{cx + 2.5},{cy + 1.5} Z", fill=draw.ACCENT_LIGHT)
            else:
                svg.path(f"M{cx - 2.5},{cy - 1.5} L{cx},{cy + 1.5} L{cx + 2.5},{cy - 1.5} Z", fill=draw.ACCENT_LIGHT)
    l, t, r, b = pick["HexBox"]
    draw.well(svg, (ox + l, oy + t, ox + r, oy + b))
    draw.title(svg, "#", ox + l - 13, oy + (t + b) / 2 - 4, 8, colour=draw.MUTED, sw=1.2)


def scene_lighting(svg, layout, controls, key):
    w, h = svg.width, svg.height
    draw.window_background(svg, w, h)
    draw.header(svg, w, texts.PAGE_TITLES["Lighting"])
    draw.panel(svg, 48, 158, 300, 522, heading_bar=False)
    draw.panel(svg, 310, 158, 668, 502, heading_bar=False)
    picker = by_name(controls, "LightingColorPicker")["rect"]
    picker_preview(svg, (picker[0], picker[1]))
    picker_bottom(svg, layout, (picker[0], picker[1]))
    level = by_name(controls, "LightingBrightnessSlider")
    scale_ticks(svg, level["rect"], 1, 6, 11)
    speed = by_name(controls, "LightingSpeedSlider")
    scale_ticks(svg, speed["rect"], 1, 9, 13)
    for name in ("LightingColorLabel", "LightingEffectLabel", "LightingBrightnessLabel", "LightingSpeedLabel"):
        draw.heading_mark(svg, by_name(controls, name)["rect"])
    # The light, shown on the mouse.
    draw.mouse(svg, 700, 200, 0.62)
    draw_controls(svg, controls, key)


def scene_macros(svg, layout, controls, key):
    w, h = svg.width, svg.height
    draw.window_background(svg, w, h)
    draw.header(svg, w, texts.PAGE_TITLES["Macros"])
    draw.panel(svg, 64, 162, 594, 582)
    svg.line(397.5, 176, 397.5, 568, "#262636", 1)
    l, t, r, b = layout["macroNumbers"]["rect"]
    svg.rect(l + 0.5 - 2, t + 0.5, r - l + 1, b - t - 1, fill="#08080d", stroke="#26263a", sw=1, rx=4)
    svg.line(l - 1, (t + b) / 2, r - 1, (t + b) / 2, "#26263a", 1)
    # Separators between the pause, loop and editing groups.
    for y in (339, 391):
        svg.line(412, y + 0.5, 582, y + 0.5, "#26263a", 1)
    macro_timeline(svg, 640, 176)
    draw_controls(svg, controls, key)


def macro_timeline(svg, x, y):
    """Decoration: a macro as a column of steps (press, pause, release)."""
    steps = [("down", 0), ("pause", 40), ("down", 0), ("pause", 24), ("up", 0), ("pause", 56), ("up", 0),
             ("mouse", 0)]
    svg.line(x + 14, y + 10, x + 14, y + 8 + 40 * (len(steps) - 1), draw.ACCENT, 1.2, opacity=0.35)
    for i, (kind, length) in enumerate(steps):
        cy = y + 10 + i * 40
        if kind == "pause":
            svg.circle(x + 14, cy, 3, fill=draw.ACCENT)
            svg.rect(x + 34, cy - 3, length * 2.4, 6, fill=draw.ACCENT, rx=3, opacity=0.35)
            svg.rect(x + 34, cy - 3, length * 2.4, 6, stroke=draw.ACCENT_LIGHT, sw=1, rx=3, opacity=0.5)
        else:
            svg.rect(x + 0.5, cy - 13.5, 27, 27, fill="#15151f", stroke="#3a3a56", sw=1, rx=6)
            if kind == "mouse":
                draw.icon(svg, "mouse", x + 14, cy, draw.ACCENT_LIGHT, 1.0)
            else:
                draw.icon(svg, kind, x + 14, cy, draw.ACCENT_LIGHT if kind == "down" else draw.MUTED, 1.3)



# --- dialogs ----------------------------------------------------------------


def dialog_frame(svg, title_text, rounded=False):
    w, h = svg.width, svg.height
    radius = 12 if rounded else 0
    if rounded:
        svg.rect(0, 0, w, h, fill=draw.BG0)
    fill = svg.linear([(0, "#16161f", 1), (1, "#0c0c12", 1)])
    svg.rect(0.5, 0.5, w - 1, h - 1, fill=fill, rx=radius)
    glow = svg.radial([(0, draw.ACCENT, 0.18), (1, draw.ACCENT, 0)], cx=0.2, cy=0.0, r=0.8)
    svg.rect(0.5, 0.5, w - 1, 120, fill=glow, rx=radius)
    bar = svg.linear([(0, draw.ACCENT, 0.9), (0.6, draw.ACCENT, 0.3), (1, draw.ACCENT, 0)], 0, 0, 1, 0)
    svg.rect(radius + 1 if rounded else 1, 1, w * 0.6, 2, fill=bar)
    svg.line(16, 46.5, w - 16, 46.5, "#24243a", 1)
    if title_text:
        svg.path("M22,16 L28,23 L22,30", stroke=draw.ACCENT, sw=2.6,
                 extra='stroke-linecap="square" stroke-linejoin="miter"')
        draw.title(svg, title_text, 38, 16, 14, sw=2.0)
    else:
        svg.path("M22,16 L28,23 L22,30", stroke=draw.ACCENT, sw=2.6,
                 extra='stroke-linecap="square" stroke-linejoin="miter"')
    svg.rect(0.5, 0.5, w - 1, h - 1, stroke="#3a3a56", sw=1, rx=radius)
    # Footer shelf under OK and Cancel.
    svg.rect(1, 236, w - 2, 1, fill="#1e1e2c")


def scene_dialog(svg, layout, controls, key, skin_file):
    dialog_frame(svg, texts.DIALOG_TITLES.get(skin_file), rounded=skin_file == "skin_macrosel.ini")
    if skin_file == "skin_Xshoot.ini":
        for name in ("SecondLabel", "FirstLabel"):
            draw.heading_mark(svg, by_name(controls, name)["rect"])
    if skin_file == "skin_gunfire.ini":
        slider = by_name(controls, "Slider")
        scale_ticks(svg, slider["rect"], 0, 10, 9, marks=(0, 5, 10))
    if skin_file == "skin_macrosel.ini":
        for name in ("MacroLabel", "ModeLabel"):
            draw.heading_mark(svg, by_name(controls, name)["rect"])
    if skin_file == "skin_shift.ini":
        draw.heading_mark(svg, by_name(controls, "LevelLabel")["rect"])
    draw_controls(svg, controls, key)


def scene_macro_menu(svg, layout, controls, key):
    w, h = svg.width, svg.height
    svg.rect(0, 0, w, h, fill="#000000")
    svg.rect(0.5, 0.5, w - 1, h - 1, stroke="#2a2a3c", sw=1)


SCENES = {
    "skin_main.ini": scene_home,
    "skin_button.ini": scene_buttons,
    "skin_advance.ini": scene_advanced,
    "skin_color.ini": scene_lighting,
    "skin_macro.ini": scene_macros,
    "macromenu.ini": scene_macro_menu,
}


def mask_image(width, height, radius, corners=(True, True, True, True)):
    """Black where the window is, the key colour where it is cut away."""
    img = pngio.Image(width, height, fill=(0, 0, 0, 255))
    tl, tr, br, bl = corners
    centres = []
    if tl:
        centres.append((radius, radius, lambda x, y: x < radius and y < radius))
    if tr:
        centres.append((width - radius, radius, lambda x, y: x >= width - radius and y < radius))
    if br:
        centres.append((width - radius, height - radius, lambda x, y: x >= width - radius and y >= height - radius))
    if bl:
        centres.append((radius, height - radius, lambda x, y: x < radius and y >= height - radius))
    for y in range(height):
        for x in range(width):
            for cx, cy, inside in centres:
                if inside(x, y) and (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 > radius * radius:
                    img.set(x, y, KEY_COLOUR)
    return img


# ---------------------------------------------------------------------------
# Menus


MENU_ITEM_GROUPS = {7, 8, 9, 10, 11}  # assignment menu entries that open a group


def menu_image(renderer, size, item_height, first_top, look, chevrons=(), footer=False):
    w, h = size
    svg = Svg(w, h)
    fill = svg.linear([(0, "#17171f", 1), (1, "#101017", 1)])
    svg.rect(0, 0, w, h, fill=fill)
    rows = (h - first_top) // item_height
    for i in range(rows + 1):
        y = i * item_height
        if y >= h:
            break
        if i > 0:
            svg.line(6, y + 0.5, w - 6, y + 0.5, "#262634", 1)
        top = y + first_top
        bottom = min(y + item_height, h)
        if bottom - top < item_height - first_top:
            continue
        if look == "highlighted":
            g = svg.linear([(0, "#3e1682", 1), (1, "#7426e0", 1)], 0, 0, 1, 0)
            svg.rect(2.5, top + 1.5, w - 5, bottom - top - 3, fill=g, stroke=draw.ACCENT_LIGHT, sw=1, rx=3,
                     opacity=0.95)
        elif look == "pressed":
            svg.rect(2.5, top + 1.5, w - 5, bottom - top - 3, fill="#260d52", stroke=draw.ACCENT, sw=1, rx=3)
        elif look == "disabled":
            svg.rect(1, top, w - 2, bottom - top, fill="#111116")
        if i in chevrons:
            colour = "#ffffff" if look in ("highlighted", "pressed") else draw.MUTED
            draw.icon(svg, "chevron-right", w - 12, (top + bottom) / 2, colour, 0.8)
    if footer:
        rows_end = rows * item_height
        line = svg.linear([(0, draw.ACCENT, 0), (0.5, draw.ACCENT, 0.9), (1, draw.ACCENT, 0)], 0, 0, 1, 0)
        svg.rect(0, rows_end + 1, w, h - rows_end - 1, fill="#0c0c12")
        svg.rect(8, rows_end + (h - rows_end) / 2, w - 16, 1, fill=line)
    svg.rect(0.5, 0.5, w - 1, h - 1, stroke="#3a3a56", sw=1)
    svg.rect(1, 1, w - 2, 1, fill=draw.ACCENT, opacity=0.8)
    return renderer.render(svg)


def write_menus(renderer, layout, skins):
    menus = {m["menu"]: m for m in layout["menus"]}

    def size(name):
        return menus[name]["size"]["width"], menus[name]["size"]["height"]

    a = menus["Assignment"]
    for look, suffix in (("normal", "normal"), ("highlighted", "over"), ("pressed", "down")):
        img = menu_image(renderer, size("Assignment"), a["itemHeight"], a["firstItemTop"], look,
                         chevrons=MENU_ITEM_GROUPS, footer=True)
        pngio.write_png(os.path.join(skins, f"button_menu1_{suffix}.png"), img)
        g = menus["AssignmentGroup"]
        img = menu_image(renderer, size("AssignmentGroup"), g["itemHeight"], g["firstItemTop"], look)
        pngio.write_png(os.path.join(skins, f"menu_{suffix}.png"), img)
    # The small menus share their item images; the tallest needs them all.
    item_sizes = [size(m["menu"]) for m in layout["menus"] if m["highlighted"] == "1menu_over.png"]
    tallest = max(item_sizes, key=lambda s: s[1])
    for look, suffix in (("disabled", "normal"), ("highlighted", "over"), ("pressed", "down")):
        pngio.write_png(os.path.join(skins, f"1menu_{suffix}.png"), menu_image(renderer, tallest, 24, 0, look))
    for m in layout["menus"]:
        if m["background"] in ("2menu_normal.png", "3menu_normal.png", "4menu_normal.png"):
            pngio.write_png(os.path.join(skins, m["background"]),
                            menu_image(renderer, size(m["menu"]), 24, 0, "normal"))


# ---------------------------------------------------------------------------
# Small fixed images


def thumb(renderer, width, height):
    svg = Svg(width, height)
    body = svg.linear([(0, "#f4ecff", 1), (0.45, draw.ACCENT_LIGHT, 1), (1, draw.ACCENT, 1)])
    svg.rect(0.5, 0.5, width - 1, height - 1, fill=body, stroke="#faf6ff", sw=1, rx=min(3.5, width / 2 - 1))
    svg.line(width / 2, 3.5, width / 2, height - 3.5, "#5b22b0", 1.4)
    return keyed(renderer.render(svg))


def hue_bar():
    img = pngio.Image(12, 192)
    for row in range(192):
        r, g, b = hue_colour(row + 1)
        for x in range(12):
            img.set(x, row, (r, g, b, 255))
    return img


def hue_mark(left):
    """A 7 x 5 triangle pointing at the hue bar."""
    img = pngio.Image(7, 5)
    for y in range(5):
        reach = 7 - abs(2 - y) * 3
        for x in range(7):
            inside = x < reach if not left else x >= 7 - reach
            if inside:
                img.set(x, y, (255, 255, 255, 255) if abs(2 - y) < 2 else (200, 170, 255, 255))
    return img


def logo_image(renderer):
    svg = Svg(200, 40)
    draw.logo(svg, 6, 7)
    return renderer.render(svg)


def id_image(renderer):
    svg = Svg(124, 18)
    svg.rect(0.5, 0.5, 123, 17, fill="#120f1c", stroke=draw.ACCENT, sw=1, rx=4)
    draw.title(svg, "ZELT-7700", 62, 5, 8, colour="#ffffff", sw=1.3, anchor="center", spacing=2.0)
    return renderer.render(svg)


# ---------------------------------------------------------------------------
# INI files and strings


def write_ini(path, sections):
    lines = []
    for name, values in sections:
        lines.append(f"[{name}]")
        for k, v in values:
            assert all(ord(ch) < 128 for ch in str(v)), (path, k, v)
            lines.append(f"{k}={v}")
        lines.append("")
    with open(path, "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(lines))


def screen_files(skin_file, keys):
    stem = IMAGE_STEMS[skin_file]
    return [(k, f"{stem}_{KEY_SUFFIX[k]}.png") for k in keys]


def caption_keys(layout, skin_file):
    keys = set()
    for page in layout["pages"]:
        if page["skinFile"] == skin_file:
            keys |= {c["captionKey"] for c in page["controls"] if c["captionKey"] is not None}
    for dialog in layout["dialogs"]:
        if dialog["skinFile"] == skin_file:
            keys |= {c["captionKey"] for c in dialog["controls"] if c["captionKey"] is not None}
    return keys


def write_strings(path):
    esc = lambda s: s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- The words of the ZELT-7700 PERIX utility. Strings are looked up in the section named by the",
             "     root element; the font of all skinned text is MAIN/FONT. -->",
             "<BUTTONPAGE>"]
    for key, value in texts.STRINGS.items():
        lines.append(f"  <{key}>{esc(value)}</{key}>")
    lines.append("  <MAIN>")
    lines.append(f"    <FONT>{texts.FONT}</FONT>")
    lines.append("  </MAIN>")
    lines.append("</BUTTONPAGE>")
    with open(path, "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


# ---------------------------------------------------------------------------
# Program resources: bitmaps and the icon


def write_bmp(path, image):
    """A bottom-up 24-bit BMP."""
    w, h = image.width, image.height
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b, _ = image.get(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - w * 3)
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def arrow_bitmap(renderer, press):
    svg = Svg(18, 18)
    svg.rect(0, 0, 18, 18, fill="#000000")
    svg.rect(1.5, 1.5, 15, 15, fill="#16121f", stroke="#3a2a5a" if press else "#34344a", sw=1, rx=3)
    colour = draw.ACCENT_LIGHT if press else "#a8a8c0"
    if press:
        svg.path("M9,4 V12.5 M5.5,9.5 L9,13 L12.5,9.5", stroke=colour, sw=1.8,
                 extra='stroke-linecap="round" stroke-linejoin="round"')
        svg.line(5, 14.5, 13, 14.5, colour, 1.2, opacity=0.6)
    else:
        svg.path("M9,14 V5.5 M5.5,8.5 L9,5 L12.5,8.5", stroke=colour, sw=1.8,
                 extra='stroke-linecap="round" stroke-linejoin="round"')
        svg.line(5, 3.5, 13, 3.5, colour, 1.2, opacity=0.6)
    return flatten(renderer.render(svg), (0, 0, 0))


def key_display_bitmap(renderer, joiner):
    """137 ("|", a separator) and 138 ("^", the join of a key combination),
    drawn on the display's white ground."""
    w = 9 if joiner else 7
    svg = Svg(w, 13)
    svg.rect(0, 0, w, 13, fill="#ffffff")
    if joiner:
        svg.path("M4.5,3 V10 M1,6.5 H8", stroke="#5b22b0", sw=1.6, extra='stroke-linecap="round"')
    else:
        svg.line(3.5, 1, 3.5, 12, "#8a8aa6", 1.2)
    return flatten(renderer.render(svg), (255, 255, 255))


def icon_image(renderer, size):
    svg = Svg(size, size)
    s = size / 64.0
    svg.begin(f'transform="scale({s})"')
    bg = svg.linear([(0, "#24183c", 1), (1, "#0c0a14", 1)], 0, 0, 1, 1)
    svg.rect(2, 2, 60, 60, fill=bg, stroke=draw.ACCENT, sw=2.5, rx=14)
    svg.path("M32,10 C44,10 50,18 50,30 V38 C50,49 42,56 32,56 C22,56 14,49 14,38 V30 C14,18 20,10 32,10 Z",
             fill="#1b1b28", stroke="#e6d8ff", sw=3)
    svg.line(32, 11, 32, 27, "#e6d8ff", 2.6)
    svg.path("M15,28 Q32,34 49,28", stroke="#e6d8ff", sw=2.6)
    svg.path("M24,42 L32,47 L40,42", stroke=draw.ACCENT_LIGHT, sw=3.2,
             extra='stroke-linecap="round" stroke-linejoin="round"')
    svg.end()
    return renderer.render(svg)


def write_ico(path, images):
    """An icon file: 32-bit DIB entries below 256 pixels, a PNG entry at 256."""
    entries = []
    for img in images:
        if img.width >= 256:
            tmp = path + ".tmp.png"
            pngio.write_png(tmp, img, alpha=True)
            with open(tmp, "rb") as f:
                blob = f.read()
            os.remove(tmp)
        else:
            w, h = img.width, img.height
            pixels = bytearray()
            for y in range(h - 1, -1, -1):
                for x in range(w):
                    r, g, b, a = img.get(x, y)
                    pixels += bytes((b, g, r, a))
            mask_stride = ((w + 31) // 32) * 4
            mask = bytearray()
            for y in range(h - 1, -1, -1):
                row = bytearray(mask_stride)
                for x in range(w):
                    if img.get(x, y)[3] == 0:
                        row[x // 8] |= 0x80 >> (x % 8)
                mask += row
            info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
            blob = info + pixels + mask
        entries.append((img.width, img.height, blob))
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for w, h, blob in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, _, blob in entries:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


# ---------------------------------------------------------------------------


def skin_files(layout):
    files = {}
    for page in layout["pages"]:
        files.setdefault(page["skinFile"], list(page["screen"]))
    for dialog in layout["dialogs"]:
        files.setdefault(dialog["skinFile"], list(dialog["screen"]))
    return files


def macro_display_rect(layout, skin_file):
    if skin_file == "skin_macro.ini":
        page = next(p for p in layout["pages"] if p["skinFile"] == skin_file)
        return next(c for c in page["controls"] if c["kind"] == "ListBox")["rect"]
    dialog = next(d for d in layout["dialogs"] if d["skinFile"] == skin_file and d["dialog"] == "Key")
    return next(c for c in dialog["controls"] if c["kind"] == "MacroDisplay")["rect"]


def generate(layout, assets, work):
    renderer = Renderer(work)
    skins = os.path.join(assets, "skins")
    res = os.path.join(assets, "res")
    for folder in (skins, res):
        if os.path.isdir(folder):
            shutil.rmtree(folder)
        os.makedirs(folder)

    rendered = {}
    for skin_file, keys in skin_files(layout).items():
        width, height = window_size(layout, skin_file)
        controls = controls_of(layout, skin_file)
        for key, file_name in screen_files(skin_file, keys):
            if key == "Mask":
                radius = 12 if skin_file == "skin_macrosel.ini" else 4
                corners = (True, True, True, True) if skin_file == "skin_macrosel.ini" else (True, True, False, False)
                img = mask_image(width, height, radius, corners)
            else:
                svg = Svg(width, height)
                scene = SCENES.get(skin_file)
                if scene is not None:
                    scene(svg, layout, controls, key)
                else:
                    scene_dialog(svg, layout, controls, key, skin_file)
                img = renderer.render(svg)
            pngio.write_png(os.path.join(skins, file_name), img)
            rendered[(skin_file, key)] = img
        sections = [("Screen", screen_files(skin_file, keys))]
        captions = texts.CAPTIONS.get(skin_file, {})
        wanted = caption_keys(layout, skin_file)
        missing = wanted - set(captions)
        if missing:
            sys.exit(f"{skin_file}: no caption for keys {sorted(missing)}")
        if wanted or captions:
            sections.append(("BUTTONPOS", [(k, captions[k]) for k in sorted(captions)]))
        if skin_file in ("skin_macro.ini", "skin_singlekey.ini"):
            sections.append(("MACRODISPLAY", [(1, ",".join(str(v) for v in macro_display_rect(layout, skin_file)))]))
        write_ini(os.path.join(skins, skin_file), sections)

    write_menus(renderer, layout, skins)
    thumbs = {"arrow1.png": (11, 14), "arrow2.png": (13, 18), "arrow3.png": (9, 12)}
    for name, (w, h) in thumbs.items():
        pngio.write_png(os.path.join(skins, name), thumb(renderer, w, h))
    pngio.write_png(os.path.join(skins, "rgb_sel.png"), hue_bar())
    pngio.write_png(os.path.join(skins, "bar1.png"), hue_mark(left=False), alpha=True)
    pngio.write_png(os.path.join(skins, "bar2.png"), hue_mark(left=True), alpha=True)
    pngio.write_png(os.path.join(skins, "logo.png"), logo_image(renderer), alpha=True)
    pngio.write_png(os.path.join(skins, "ID.png"), id_image(renderer), alpha=True)
    menu_bg = rendered[("macromenu.ini", "Main")]
    tmp = os.path.join(work, "macro_menu_n.png")
    pngio.write_png(tmp, menu_bg)
    subprocess.run([CONVERT, tmp, "-strip", "-quality", "95", "-sampling-factor", "1x1",
                    os.path.join(skins, "macro_menu_n.jpg")], check=True)

    write_strings(os.path.join(assets, "Strings.xml"))

    write_bmp(os.path.join(res, "arrow_press.bmp"), arrow_bitmap(renderer, True))
    write_bmp(os.path.join(res, "arrow_release.bmp"), arrow_bitmap(renderer, False))
    write_bmp(os.path.join(res, "key_separator.bmp"), key_display_bitmap(renderer, False))
    write_bmp(os.path.join(res, "key_join.bmp"), key_display_bitmap(renderer, True))
    write_ico(os.path.join(res, "perix.ico"), [icon_image(renderer, s) for s in (16, 24, 32, 48, 64, 256)])

    missing = [f for f in layout["fixedFiles"] if not os.path.exists(os.path.join(skins, f))]
    if missing:
        sys.exit(f"fixed files not written: {missing}")
    return rendered


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--layout", required=True)
    parser.add_argument("--assets", required=True)
    parser.add_argument("--preview", help="also write previews and the contact sheet here")
    args = parser.parse_args()
    with open(args.layout, encoding="utf-8") as f:
        layout = json.load(f)
    with tempfile.TemporaryDirectory() as work:
        generate(layout, args.assets, work)
        if args.preview:
            import preview
            preview.write(layout, args.assets, args.preview, work)


if __name__ == "__main__":
    main()
