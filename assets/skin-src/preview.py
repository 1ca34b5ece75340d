"""Previews of the default skin as the program shows it, and the contact sheet.

Each window is put together the way the program does: its "Main" image as the
background, every control's look cut from the window image the layout table
names and pasted at the control's rectangle, slider thumbs at a sample value,
and sample captions drawn in the program's text colours with the Tahoma face
Wine ships. Three views per window: normal (with a realistic set of checked
buttons), every control highlighted, and every control pressed.
"""

import os
import subprocess

import generate
import pngio
import texts

TAHOMA = "/usr/share/wine/fonts/tahoma.ttf"
# GDI font heights are cell heights; Tahoma's em is 2048 / 2472 of its cell.
EM_PER_CELL = 2048 / 2472

TEXT_COLOURS = {"normal": "#ffffff", "highlighted": "#8b2dfd", "pressed": "#8123f3", "disabled": "#646464"}
NUMBER_COLOUR = "#9632ff"

STRINGS = texts.STRINGS
LEVELS = {1: 3, 2: 5, 3: 7, 4: 8}

SAMPLE_CAPTIONS = {
    "HomeWeb": "www.perix-gaming.example",
    "ButtonLabel1": STRINGS["CLICK"],
    "ButtonLabel2": STRINGS["MENU"],
    "ButtonLabel3": STRINGS["MIDDLE"],
    "ButtonLabel4": STRINGS["BUTTON4"],
    "ButtonLabel5": STRINGS["BUTTON5"],
    "ButtonLabel6": STRINGS["DPISWITCH"],
    "LightingMode": STRINGS["LEDMODE2"],
    "LightingDirection": STRINGS["LEDMODEDIR1"],
    "AdvancedDpiDialValue": "1250",
    "AdvancedDoubleClickValue": "12",
    "AdvancedScrollLinesValue": "1",
    "LightingBrightnessPercent": "80",
    "MacroNameButton": "Macro 1",
    "LevelButton": "750",
    "SpeedValue": "30",
    "Prompt": "Distance",
}
for n, level in LEVELS.items():
    dpi = level * 250 if level <= 8 else (level - 4) * 500
    SAMPLE_CAPTIONS[f"AdvancedStage{n}"] = f"{STRINGS['DPISTAGE']} {n}\n{dpi}\n{dpi}"

SAMPLE_EDITS = {
    "MacroDelayBox": "50",
    "MacroLoopBox": "3",
    "ValueBox": "10",
    "CountBox": "0",
    "TargetBox": "Middle",
    "SecondBox": "20",
    "FirstBox": "5",
    "NumberBox": "1500",
    "NameBox": "Macro 1",
    "RedBox": "255",
    "GreenBox": "0",
    "BlueBox": "0",
    "HexBox": "0000ff",
}

# Buttons checked in the normal view, as a freshly reset configuration shows.
CHECKED = {"ButtonProfile1", "AdvancedStage2", "AdvancedRate500", "LightingOn", "LightingSpeedToggle",
           "MacroDelayRecorded", "Mode0", "Unlimited"}
DISABLED = {"Macros": {"HomeImport", "HomeResetAll", "HomeExport", "MacroStop"}}
SLIDER_VALUES = {"AdvancedLevelSlider": 5, "AdvancedAccelerationSlider": 4, "LightingBrightnessSlider": 5,
                 "LightingSpeedSlider": 6, "Slider": 30}
ACTION_LINES = [("A", 149), ("120 MS", 0), ("A", 148), (STRINGS["CLICK"], 149), ("10 MS", 0),
                (STRINGS["CLICK"], 148), (STRINGS["MOVELEFT"] + " : 10", 160)]


def pointsize(cell_height):
    return f"{cell_height * EM_PER_CELL:.2f}"


class Canvas:
    """An image under construction plus the texts to draw on it."""

    def __init__(self, image):
        self.image = image
        self.texts = []

    def text(self, rect, text, colour, cell=13, gravity="Center", inset=0):
        if not text:
            return
        l, t, r, b = rect
        self.texts.append((l + inset, t, r - l - inset, b - t, text, colour, cell, gravity))

    def save(self, path, work, scale=None):
        base = os.path.join(work, "canvas.png")
        pngio.write_png(base, self.image)
        cmd = [generate.CONVERT, base]
        for x, y, w, h, text, colour, cell, gravity in self.texts:
            safe = text.replace("\\", "\\\\").replace("%", "%%")
            cmd += ["(", "-size", f"{max(w, 1)}x{max(h, 1)}", "xc:none", "-font", TAHOMA, "-pointsize",
                    pointsize(cell), "-fill", colour, "-gravity", gravity, "-annotate", "+0+0", safe, ")",
                    "-gravity", "NorthWest", "-geometry", f"+{x}+{y}", "-composite"]
        if scale:
            cmd += ["-resize", f"{scale * 100:.0f}%"]
        cmd += ["-strip", path]
        subprocess.run(cmd, check=True)


def blend_keyed(dst, src, left, top):
    """Pastes a thumb, leaving its key-coloured pixels out as the program's
    window region does."""
    for y in range(src.height):
        for x in range(src.width):
            p = src.get(x, y)
            if p[:3] != generate.KEY_COLOUR[:3] and 0 <= left + x < dst.width and 0 <= top + y < dst.height:
                dst.set(left + x, top + y, p)


class Skin:
    def __init__(self, layout, assets):
        self.layout = layout
        self.skins = os.path.join(assets, "skins")
        self.cache = {}

    def image(self, name):
        if name not in self.cache:
            self.cache[name] = pngio.read_image(os.path.join(self.skins, name), generate.CONVERT)
        return self.cache[name]

    def window_image(self, skin_file, key):
        return self.image(f"{generate.IMAGE_STEMS[skin_file]}_{generate.KEY_SUFFIX[key]}.png")

    def captions(self, skin_file):
        return texts.CAPTIONS.get(skin_file, {})


def look_for(control, view, page):
    name = control["name"]
    if name in DISABLED.get(page, ()) and view == "normal":
        return "disabled"
    checked = name in CHECKED and control["kind"] == "CheckButton"
    if view == "normal":
        return "pressed" if checked else "normal"
    if view == "highlighted":
        return "pressed" if checked and "toggleMode" not in control["flags"] else "highlighted"
    return "pressed"


def compose(skin, window_name, skin_file, controls, view, home_file=None):
    """One view of one window as a Canvas."""
    base = skin.window_image(skin_file, "Main").copy()
    canvas = Canvas(base)
    captions = skin.captions(skin_file)
    for c in controls:
        if not c["visible"]:
            continue
        l, t, r, b = c["rect"]
        own_file = home_file if "everyPage" in c["flags"] and home_file else skin_file
        own_captions = skin.captions(own_file)
        kind = c["kind"]
        if kind in ("ImageButton", "CheckButton"):
            look = look_for(c, view, window_name)
            source = (c.get("looks") or {}).get(look)
            if source:
                base.paste(skin.window_image(own_file, source).crop(l, t, r, b), l, t)
            text = SAMPLE_CAPTIONS.get(c["name"])
            if text is None and c["captionKey"] is not None:
                text = own_captions.get(c["captionKey"], "")
            canvas.text(c["rect"], text, TEXT_COLOURS[look])
        elif kind == "SliderBar":
            s = c["slider"]
            base.paste(skin.window_image(skin_file, s["background"]).crop(l, t, r, b), l, t)
            thumb = skin.image(s["thumb"])
            value = SLIDER_VALUES.get(c["name"], s["minimum"])
            left = (value - s["minimum"]) * ((r - l) - thumb.width) // (s["maximum"] - s["minimum"])
            if s["filled"]:
                filled = skin.window_image(skin_file, s["filled"]).crop(l, t, l + left + 1, b)
                base.paste(filled, l, t)
            blend_keyed(base, thumb, l + left, t)
        elif kind == "Label":
            text = c.get("text") or SAMPLE_CAPTIONS.get(c["name"])
            if text is None and c["captionKey"] is not None:
                text = captions.get(c["captionKey"], "")
            vertical = "verticalCenter" in c["flags"]
            gravity = {"left": "West" if vertical else "NorthWest", "center": "Center" if vertical else "North",
                       "right": "East" if vertical else "NorthEast"}[c["align"]]
            canvas.text(c["rect"], text, "#ffffff", gravity=gravity, cell=c.get("fontHeight", 13))
        elif kind == "EditBox":
            text = SAMPLE_EDITS.get(c["name"], "")
            white = c["name"] in ("ValueBox", "CountBox")
            gravity = "Center" if c["align"] == "center" else "West"
            canvas.text(c["rect"], text, "#000000" if white else "#ffffff", gravity=gravity, inset=2)
        elif kind == "ListBox" and c["controlId"] == 4114:
            list_lines(skin, canvas, c["rect"])
        elif kind == "MacroDisplay":
            canvas.text((l + 2, t, r, b), "Q ", "#000000", gravity="West")
        elif kind == "ColorPicker":
            picker(skin, canvas, (l, t))
    if window_name == "Macros":
        mx, my = skin.layout["macroNumbers"]["totalDelay"]
        canvas.text((mx, my, mx + 60, my + 20), "1300", NUMBER_COLOUR, cell=20, gravity="NorthWest")
        mx, my = skin.layout["macroNumbers"]["actionCount"]
        canvas.text((mx, my, mx + 60, my + 20), str(len(ACTION_LINES)), NUMBER_COLOUR, cell=20, gravity="NorthWest")
    return canvas


def list_lines(skin, canvas, rect):
    l, t, r, b = rect
    arrows = {149: "arrow_press.bmp", 148: "arrow_release.bmp"}
    for i, (text, marker) in enumerate(ACTION_LINES):
        top = t + i * 20
        if i == 3:
            for y in range(top, top + 20):
                for x in range(l, r):
                    canvas.image.set(x, y, (0x96, 0x32, 0xFF, 255))
        if marker in arrows:
            bmp = pngio.read_image(os.path.join(os.path.dirname(skin.skins), "res", arrows[marker]),
                                   generate.CONVERT)
            canvas.image.paste(bmp, l + 5, top)
            x = l + 18 + 16
        else:
            x = l + 8
        canvas.text((x, top, r, top + 20), text, "#ffffff", cell=16, gravity="West")


def picker(skin, canvas, origin):
    ox, oy = origin
    left, right = skin.image("bar1.png"), skin.image("bar2.png")
    for img, x in ((left, 194), (right, 213)):
        for yy in range(img.height):
            for xx in range(img.width):
                p = img.get(xx, yy)
                if p[3] > 0:
                    canvas.image.set(ox + x + xx, oy + yy, p)
    for c in skin.layout["colorPicker"]["controls"]:
        if c["kind"] == "EditBox":
            l, t, r, b = c["rect"]
            canvas.text((ox + l, oy + t, ox + r, oy + b), SAMPLE_EDITS[c["name"]], "#ffffff", gravity="West", inset=2)


def menu_view(skin, work):
    """The assignment menu with a group open, and the small menus."""
    menus = {m["menu"]: m for m in skin.layout["menus"]}
    canvas = Canvas(pngio.Image(1060, 470, fill=(11, 11, 16, 255)))

    def draw_menu(menu, x, y, captions, hot, item_height=None, count=None, sub=False):
        bg = skin.image(menu["background"])
        over = skin.image(menu["highlighted"])
        h = item_height or menu["itemHeight"]
        top0 = 0 if sub else menu["firstItemTop"]
        n = count or len(captions)
        height = (h * n + 1) if sub else bg.height
        canvas.image.paste(bg.crop(0, 0, bg.width, min(height, bg.height)), x, y)
        for i, text in enumerate(captions):
            rect = (0, i * h + top0, bg.width, min((i + 1) * h, bg.height))
            src = over if i == hot else bg
            canvas.image.paste(src.crop(*rect), x + rect[0], y + rect[1])
            # The program draws menu captions from the item's left edge; shown
            # here with the inset the items are designed for.
            canvas.text((x + rect[0], y + rect[1], x + rect[2], y + rect[3]), text, "#ffffff", gravity="West",
                        inset=12)
        return bg.width

    top = [STRINGS[k] for k in ("CLICK", "MENU", "MIDDLE", "DBCLICK", "BUTTON4", "BUTTON5", "MACROCOMMAND",
                                "ADVANCEDCOMMAND", "BASICCOMMAND", "ADDITIONALCOMMAND", "MEDIACOMMAND", "SHIFT",
                                "OFFBUTTON")]
    w = draw_menu(menus["Assignment"], 20, 20, top, 7)
    advanced = [STRINGS[k] for k in ("LEDSWITCH", "HANDSWITCH", "DPIUP", "DPIDOWN", "DPISWITCH", "DPISHIFT",
                                     "PROFILEUP", "PROFILEDOWN", "XSHOOT", "ASSIGNKEY", "GUNFIREKEY")]
    draw_menu(menus["AssignmentGroup"], 20 + w, 20 + 24 * 7, advanced, 2, sub=True)
    x = 380
    modes = [STRINGS[k] for k in ("LEDMODE1", "LEDMODE2", "LEDMODE3", "LEDMODE4", "LEDMODE6")]
    x += draw_menu(menus["LedMode"], x, 20, modes, 1) + 16
    draw_menu(menus["ShootChoice"], x, 20, ["Left", "Right", "Middle", "Keyboard"], 3)
    draw_menu(menus["MacroStep"], x, 140, [STRINGS[k] for k in ("INSERTNEWACT", "COPYACT", "CUTACT", "PASTEACT")],
              0)
    x += 166
    draw_menu(menus["MouseAction"], x, 20, [STRINGS[k] for k in ("CLICK", "MENU", "MIDDLE", "MOVELEFT", "MOVERIGHT",
                                                                 "MOVEUP", "MOVEDOWN")], 4)
    x += 166
    # The macro name menu: the list draws itself over macro_menu_n.jpg.
    names = ["Macro 1", "Macro 2", "Reload combo", "Build wall"]
    bg = skin.image("macro_menu_n.jpg")
    height = len(names) * 20 + 2
    canvas.image.paste(bg.crop(0, 0, bg.width, height), x, 20)
    for i, name in enumerate(names):
        if i == 1:
            for yy in range(20 + i * 20, 40 + i * 20):
                for xx in range(x, x + bg.width - 1):
                    canvas.image.set(xx, yy, (0x96, 0x33, 0xFF, 255))
        canvas.text((x, 20 + i * 20, x + bg.width, 40 + i * 20), name, "#ffffff", cell=16, gravity="West", inset=8)
    for xx in range(x, x + bg.width):
        canvas.image.set(xx, 20 + height - 1, (0x96, 0x33, 0xFF, 255))
    for yy in range(20, 20 + height):
        canvas.image.set(x + bg.width - 1, yy, (0x96, 0x33, 0xFF, 255))
    return canvas


def write(layout, assets, out, work):
    os.makedirs(out, exist_ok=True)
    skin = Skin(layout, assets)
    tiles = []
    home = next(p for p in layout["pages"] if p["page"] == "Home")
    for page in layout["pages"]:
        controls = list(page["controls"])
        if page["page"] != "Home":
            controls += [c for c in home["controls"] if "everyPage" in c["flags"]]
        for view in ("normal", "highlighted", "pressed"):
            path = os.path.join(out, f"page-{page['page']}-{view}.png")
            compose(skin, page["page"], page["skinFile"], controls, view, home["skinFile"]).save(path, work)
            tiles.append(("pages", path, f"{page['page']} page, {view}"))
    for dialog in layout["dialogs"]:
        if dialog["dialog"] == "MacroNameMenu":
            continue
        for view in ("normal", "highlighted", "pressed"):
            path = os.path.join(out, f"dialog-{dialog['dialog']}-{view}.png")
            compose(skin, dialog["dialog"], dialog["skinFile"], dialog["controls"], view).save(path, work)
            tiles.append(("dialogs", path, f"{dialog['dialog']} dialog, {view}"))
    path = os.path.join(out, "menus.png")
    menu_view(skin, work).save(path, work)
    tiles.append(("menus", path, "Menus: assignment with a group open, lighting mode, X-shoot, macro step, "
                                 "mouse action, macro names"))
    contact_sheet(tiles, os.path.join(os.path.dirname(os.path.abspath(__file__)), "contact-sheet.png"), work)


def contact_sheet(tiles, path, work):
    montage = os.path.join(os.path.dirname(generate.CONVERT), "montage")
    rows = []
    for group, columns, scale in (("pages", 3, 0.6), ("dialogs", 6, 0.7), ("menus", 1, 1.0)):
        scaled = []
        for _, tile, label in (t for t in tiles if t[0] == group):
            small = os.path.join(work, os.path.basename(tile))
            subprocess.run([generate.CONVERT, tile, "-resize", f"{scale * 100:.0f}%", small], check=True)
            scaled += ["-label", label, small]
        out = os.path.join(work, f"sheet-{group}.png")
        subprocess.run([montage, "-background", "#050507", "-fill", "#c8c8d8", "-font", TAHOMA, "-pointsize", "13"] +
                       scaled + ["-tile", f"{columns}x", "-geometry", "+10+8", out], check=True)
        rows.append(out)
    subprocess.run([generate.CONVERT, "-background", "#050507"] + rows +
                   ["-gravity", "West", "-append", "-strip", "-define", "png:compression-level=9", path], check=True)
