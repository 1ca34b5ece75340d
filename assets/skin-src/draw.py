"""Drawing the default skin: control looks, icons, the mouse illustration and
the scenery of every page, dialog and menu, as SVG.

Every control look is drawn exactly inside the control's rectangle from the
layout table, because the program cuts the looks out of the window images
at those rectangles. Captions are drawn by the program in white (normal),
violet (highlighted 0x8B2DFD, pressed 0x8123F3) and grey (disabled), so faces
stay dark and carry no words.
"""

import strokefont

# Palette. The accent is the program's own text colour 0xFF3296 (0x00BBGGRR),
# which is violet on screen.
BG0 = "#0b0b10"
BG_TOP = "#12121a"
BG_BOTTOM = "#09090d"
HEADER = "#0e0e15"
PANEL = "#12121a"
PANEL_EDGE = "#262636"
ACCENT = "#9632ff"
ACCENT_LIGHT = "#bf8cff"
ACCENT_PALE = "#e2ccff"
ACCENT_DARK = "#4b1a94"
MUTED = "#8a8aa6"
FAINT = "#3a3a4e"

LOOK_COLOURS = {
    # face top, face bottom, border, icon
    "normal": ("#232335", "#181826", "#3a3a56", MUTED),
    "highlighted": ("#26223c", "#1b1830", "#9a44ff", "#c9a6ff"),
    "pressed": ("#0d0c16", "#171327", "#7b2fe6", ACCENT),
    "disabled": ("#17171d", "#131318", "#26262f", "#46465a"),
}


def fmt(v):
    return f"{v:.2f}".rstrip("0").rstrip(".")


def rounded_path(x, y, w, h, tl, tr, br, bl):
    return (f"M{fmt(x + tl)},{fmt(y)} H{fmt(x + w - tr)} Q{fmt(x + w)},{fmt(y)} {fmt(x + w)},{fmt(y + tr)} "
            f"V{fmt(y + h - br)} Q{fmt(x + w)},{fmt(y + h)} {fmt(x + w - br)},{fmt(y + h)} "
            f"H{fmt(x + bl)} Q{fmt(x)},{fmt(y + h)} {fmt(x)},{fmt(y + h - bl)} "
            f"V{fmt(y + tl)} Q{fmt(x)},{fmt(y)} {fmt(x + tl)},{fmt(y)} Z")


def corners(shape, r):
    return {
        "round": (r, r, r, r),
        "square": (0, 0, 0, 0),
        "seg-left": (r, 0, 0, r),
        "seg-mid": (0, 0, 0, 0),
        "seg-right": (0, r, r, 0),
        "pill": (r, r, r, r),
    }[shape]


# ---------------------------------------------------------------------------
# Faces


def face(svg, rect, look, shape="round", radius=4, primary=False):
    """The body of an image button in one of its four looks."""
    l, t, r, b = rect
    w, h = r - l, b - t
    top, bottom, edge, _ = LOOK_COLOURS[look]
    if shape == "pill":
        radius = h / 2
    radius = min(radius, h / 2, w / 2)
    tl, tr, br, bl = corners(shape, radius)
    fill = svg.linear([(0, top, 1), (1, bottom, 1)])
    svg.path(rounded_path(l + 0.5, t + 0.5, w - 1, h - 1, tl, tr, br, bl), fill=fill, stroke=edge, sw=1)
    if look == "normal":
        if primary:
            svg.path(rounded_path(l + 0.5, t + 0.5, w - 1, h - 1, tl, tr, br, bl), stroke=ACCENT, sw=1, opacity=0.55)
        svg.line(l + max(tl, 2), t + 1.5, r - max(tr, 2), t + 1.5, "#ffffff", 1, opacity=0.07)
    elif look == "highlighted":
        glow = svg.linear([(0, ACCENT, 0.0), (1, ACCENT, 0.13)])
        svg.path(rounded_path(l + 1, t + 1, w - 2, h - 2, tl, tr, br, bl), fill=glow)
        svg.path(rounded_path(l + 1.5, t + 1.5, w - 3, h - 3, max(tl - 1, 0), max(tr - 1, 0), max(br - 1, 0),
                              max(bl - 1, 0)), stroke=ACCENT_LIGHT, sw=1, opacity=0.35)
    elif look == "pressed":
        glow = svg.linear([(0, ACCENT, 0.0), (0.55, ACCENT, 0.05), (1, ACCENT, 0.30)])
        svg.path(rounded_path(l + 1, t + 1, w - 2, h - 2, tl, tr, br, bl), fill=glow)
        svg.line(l + 1, t + 1.5, r - 1, t + 1.5, "#000000", 1, opacity=0.6)
        bar_w = max(6, min(w - 8, w * 0.6))
        svg.rect(l + (w - bar_w) / 2, b - 3, bar_w, 2, fill=ACCENT, rx=1)


# ---------------------------------------------------------------------------
# Icons (drawn with strokes of the look's icon colour)


def icon(svg, kind, cx, cy, colour, s=1.0):
    sw = 1.5
    st = f'stroke-linecap="round" stroke-linejoin="round"'
    if kind == "chevron-down":
        svg.path(f"M{fmt(cx - 4 * s)},{fmt(cy - 2 * s)} L{fmt(cx)},{fmt(cy + 2 * s)} L{fmt(cx + 4 * s)},"
                 f"{fmt(cy - 2 * s)}", stroke=colour, sw=sw, extra=st)
    elif kind == "chevron-right":
        svg.path(f"M{fmt(cx - 2 * s)},{fmt(cy - 4 * s)} L{fmt(cx + 2 * s)},{fmt(cy)} L{fmt(cx - 2 * s)},"
                 f"{fmt(cy + 4 * s)}", stroke=colour, sw=sw, extra=st)
    elif kind == "back":
        svg.path(f"M{fmt(cx + 5)},{fmt(cy)} H{fmt(cx - 5)} M{fmt(cx - 1)},{fmt(cy - 4)} L{fmt(cx - 5)},{fmt(cy)} "
                 f"L{fmt(cx - 1)},{fmt(cy + 4)}", stroke=colour, sw=sw, extra=st)
    elif kind == "forward":
        svg.path(f"M{fmt(cx - 5)},{fmt(cy)} H{fmt(cx + 5)} M{fmt(cx + 1)},{fmt(cy - 4)} L{fmt(cx + 5)},{fmt(cy)} "
                 f"L{fmt(cx + 1)},{fmt(cy + 4)}", stroke=colour, sw=sw, extra=st)
    elif kind == "import":
        svg.path(f"M{fmt(cx)},{fmt(cy - 6)} V{fmt(cy + 1)} M{fmt(cx - 3)},{fmt(cy - 2)} L{fmt(cx)},{fmt(cy + 1)} "
                 f"L{fmt(cx + 3)},{fmt(cy - 2)} M{fmt(cx - 6)},{fmt(cy + 1)} V{fmt(cy + 5)} H{fmt(cx + 6)} "
                 f"V{fmt(cy + 1)}", stroke=colour, sw=sw, extra=st)
    elif kind == "export":
        svg.path(f"M{fmt(cx)},{fmt(cy + 1)} V{fmt(cy - 6)} M{fmt(cx - 3)},{fmt(cy - 3)} L{fmt(cx)},{fmt(cy - 6)} "
                 f"L{fmt(cx + 3)},{fmt(cy - 3)} M{fmt(cx - 6)},{fmt(cy + 1)} V{fmt(cy + 5)} H{fmt(cx + 6)} "
                 f"V{fmt(cy + 1)}", stroke=colour, sw=sw, extra=st)
    elif kind == "reset":
        svg.path(f"M{fmt(cx + 5)},{fmt(cy - 1)} A5,5 0 1 1 {fmt(cx + 2)},{fmt(cy - 4.6)}", stroke=colour, sw=sw,
                 extra=st)
        svg.path(f"M{fmt(cx + 1)},{fmt(cy - 7.5)} L{fmt(cx + 3)},{fmt(cy - 4.5)} L{fmt(cx - 0.5)},{fmt(cy - 3)}",
                 stroke=colour, sw=sw, extra=st)
    elif kind == "globe":
        svg.circle(cx, cy, 6, stroke=colour, sw=1.3)
        svg.path(f"M{fmt(cx - 6)},{fmt(cy)} H{fmt(cx + 6)} M{fmt(cx)},{fmt(cy - 6)} "
                 f"Q{fmt(cx + 4)},{fmt(cy)} {fmt(cx)},{fmt(cy + 6)} Q{fmt(cx - 4)},{fmt(cy)} {fmt(cx)},{fmt(cy - 6)}",
                 stroke=colour, sw=1.1)
    elif kind == "minimise":
        svg.line(cx - 5, cy + 0.5, cx + 5, cy + 0.5, colour, 1.6, extra=st)
    elif kind == "close":
        svg.path(f"M{fmt(cx - 4.5)},{fmt(cy - 4.5)} L{fmt(cx + 4.5)},{fmt(cy + 4.5)} M{fmt(cx + 4.5)},"
                 f"{fmt(cy - 4.5)} L{fmt(cx - 4.5)},{fmt(cy + 4.5)}", stroke=colour, sw=1.6, extra=st)
    elif kind == "mouse":
        svg.path(rounded_path(cx - 5 * s, cy - 7.5 * s, 10 * s, 15 * s, 5 * s, 5 * s, 5 * s, 5 * s), stroke=colour,
                 sw=1.3)
        svg.line(cx, cy - 7.5 * s, cx, cy - 2 * s, colour, 1.2)
        svg.line(cx - 5 * s, cy - 1.5 * s, cx + 5 * s, cy - 1.5 * s, colour, 1.0)
    elif kind == "light":
        svg.circle(cx, cy, 3.2, stroke=colour, sw=1.4)
        for i in range(8):
            import math
            a = i * math.pi / 4
            svg.line(cx + 5.2 * math.cos(a), cy + 5.2 * math.sin(a), cx + 7.4 * math.cos(a),
                     cy + 7.4 * math.sin(a), colour, 1.3, extra=st)
    elif kind == "gauge":
        svg.path(f"M{fmt(cx - 7)},{fmt(cy + 3)} A7,7 0 1 1 {fmt(cx + 7)},{fmt(cy + 3)}", stroke=colour, sw=1.4,
                 extra=st)
        svg.path(f"M{fmt(cx)},{fmt(cy + 2)} L{fmt(cx + 4)},{fmt(cy - 3)}", stroke=colour, sw=1.6, extra=st)
        svg.circle(cx, cy + 2, 1.4, fill=colour)
    elif kind == "macro":
        svg.path(rounded_path(cx - 7, cy - 5, 14, 10, 2, 2, 2, 2), stroke=colour, sw=1.3)
        for dx in (-4, 0, 4):
            svg.line(cx + dx - 0.5, cy - 1.5, cx + dx + 0.5, cy - 1.5, colour, 1.4, extra=st)
        svg.line(cx - 3, cy + 2, cx + 3, cy + 2, colour, 1.4, extra=st)
    elif kind == "record":
        svg.circle(cx, cy, 4.5, fill="#ff3b5c" if colour != LOOK_COLOURS["disabled"][3] else colour)
        svg.circle(cx, cy, 6.5, stroke=colour, sw=1, opacity=0.6)
    elif kind == "stop":
        svg.rect(cx - 4, cy - 4, 8, 8, fill=colour, rx=1.5)
    elif kind == "up":
        svg.path(f"M{fmt(cx - 4)},{fmt(cy + 2)} L{fmt(cx)},{fmt(cy - 2)} L{fmt(cx + 4)},{fmt(cy + 2)}",
                 stroke=colour, sw=sw, extra=st)
    elif kind == "down":
        svg.path(f"M{fmt(cx - 4)},{fmt(cy - 2)} L{fmt(cx)},{fmt(cy + 2)} L{fmt(cx + 4)},{fmt(cy - 2)}",
                 stroke=colour, sw=sw, extra=st)
    elif kind == "trash":
        svg.path(f"M{fmt(cx - 5)},{fmt(cy - 4)} H{fmt(cx + 5)} M{fmt(cx - 2)},{fmt(cy - 4)} V{fmt(cy - 6)} "
                 f"H{fmt(cx + 2)} V{fmt(cy - 4)} M{fmt(cx - 4)},{fmt(cy - 4)} L{fmt(cx - 3)},{fmt(cy + 5)} "
                 f"H{fmt(cx + 3)} L{fmt(cx + 4)},{fmt(cy - 4)}", stroke=colour, sw=1.3, extra=st)
    elif kind == "dots":
        for dx in (-4, 0, 4):
            svg.circle(cx + dx, cy, 1.3, fill=colour)
    elif kind == "plus":
        svg.path(f"M{fmt(cx - 4)},{fmt(cy)} H{fmt(cx + 4)} M{fmt(cx)},{fmt(cy - 4)} V{fmt(cy + 4)}", stroke=colour,
                 sw=1.6, extra=st)
    elif kind == "power":
        svg.path(f"M{fmt(cx - 3.6)},{fmt(cy - 3.6)} A5.2,5.2 0 1 0 {fmt(cx + 3.6)},{fmt(cy - 3.6)}", stroke=colour,
                 sw=1.4, extra=st)
        svg.line(cx, cy - 6.5, cx, cy - 1, colour, 1.4, extra=st)
    elif kind == "power-off":
        svg.circle(cx, cy, 5, stroke=colour, sw=1.4)
        svg.line(cx - 3.5, cy + 3.5, cx + 3.5, cy - 3.5, colour, 1.4, extra=st)


def radio(svg, cx, cy, look):
    _, _, edge, ic = LOOK_COLOURS[look]
    svg.circle(cx, cy, 5, fill="#08080c", stroke=ic if look != "pressed" else ACCENT, sw=1.2)
    if look == "pressed":
        svg.circle(cx, cy, 6.5, fill=ACCENT, opacity=0.25)
        svg.circle(cx, cy, 2.8, fill=ACCENT_LIGHT)


def checkbox(svg, cx, cy, look, size=11):
    _, _, edge, ic = LOOK_COLOURS[look]
    h = size / 2
    svg.rect(cx - h, cy - h, size, size, fill="#08080c", stroke=ic if look != "pressed" else ACCENT, sw=1.2, rx=2)
    if look == "pressed":
        k = size / 11
        svg.rect(cx - h, cy - h, size, size, fill=ACCENT, rx=2, opacity=0.9)
        svg.path(f"M{fmt(cx - 3 * k)},{fmt(cy)} L{fmt(cx - 0.8 * k)},{fmt(cy + 2.4 * k)} L{fmt(cx + 3.4 * k)},"
                 f"{fmt(cy - 2.6 * k)}", stroke="#ffffff", sw=1.6 * k,
                 extra='stroke-linecap="round" stroke-linejoin="round"')


def led(svg, cx, cy, look):
    if look == "pressed":
        svg.circle(cx, cy, 4, fill=ACCENT, opacity=0.35)
        svg.circle(cx, cy, 2.5, fill=ACCENT_PALE)
    else:
        svg.circle(cx, cy, 2.5, fill="#2c2c3c", stroke=LOOK_COLOURS[look][3], sw=0.8)


def badge(svg, cx, cy, number, r=9, colour=ACCENT, text_colour="#ffffff", fill="#15121f"):
    svg.circle(cx, cy, r, fill=fill, stroke=colour, sw=1.3)
    h = r * 0.95
    w = strokefont.text_width(str(number), h)
    svg.path(strokefont.text_path(str(number), cx - w / 2, cy - h / 2, h), stroke=text_colour, sw=1.3,
             extra='stroke-linecap="round" stroke-linejoin="round"')


def title(svg, text, x, y, height, colour="#ffffff", sw=None, skew=0, anchor="left", spacing=1.6, opacity=None):
    w = strokefont.text_width(text, height, spacing)
    if anchor == "center":
        x -= w / 2
    elif anchor == "right":
        x -= w
    extra = 'stroke-linecap="square" stroke-linejoin="miter"'
    if skew:
        extra += f' transform="skewX({skew})" '
        x += y * -__import__("math").tan(__import__("math").radians(skew))
    svg.path(strokefont.text_path(text, x, y, height, spacing), stroke=colour, sw=sw or max(1.2, height / 8),
             opacity=opacity, extra=extra)
    return w


# ---------------------------------------------------------------------------
# Control looks by control


def dropdown(svg, rect, look):
    face(svg, rect, look)
    l, t, r, b = rect
    icon(svg, "chevron-down", r - 11, (t + b) / 2, LOOK_COLOURS[look][3], 0.9)
    svg.line(r - 21.5, t + 5, r - 21.5, b - 5, LOOK_COLOURS[look][2], 1, opacity=0.7)


def icon_button(svg, rect, look, kind, shape="round", radius=4, icon_x=None, primary=False):
    face(svg, rect, look, shape, radius, primary)
    l, t, r, b = rect
    x = icon_x if icon_x is not None else l + 14
    icon(svg, kind, x, (t + b) / 2, LOOK_COLOURS[look][3])


def window_button(svg, rect, look, kind):
    """Minimise and close: bare glyphs that light up under the pointer."""
    l, t, r, b = rect
    if look in ("highlighted", "pressed"):
        fill = "#3a1f66" if look == "highlighted" else "#231340"
        svg.rect(l + 0.5, t + 0.5, r - l - 1, b - t - 1, fill=fill, stroke=ACCENT, sw=1, rx=4)
    colour = {"normal": "#b4b4c8", "highlighted": "#ffffff", "pressed": ACCENT_LIGHT, "disabled": "#46465a"}[look]
    icon(svg, kind, (l + r) / 2, (t + b) / 2, colour)


def tab(svg, rect, look, kind):
    """A home page tab: a card with an icon and an arrow."""
    l, t, r, b = rect
    face(svg, rect, look, radius=6)
    colour = LOOK_COLOURS[look][3]
    if look != "disabled":
        svg.rect(l + 1, t + 5, 2, b - t - 10, fill=ACCENT if look != "normal" else "#5a2aa0", rx=1)
    icon(svg, kind, l + 17, (t + b) / 2, colour)
    icon(svg, "chevron-right", r - 12, (t + b) / 2, colour, 0.8)


def stage_card(svg, rect, look, stage):
    face(svg, rect, look, radius=6)


def control_look(svg, c, look):
    """Draws control `c` (a layout entry) in `look` at its rectangle."""
    name = c["name"]
    rect = c["rect"]
    kind = c["kind"]
    if kind in ("ImageButton", "CheckButton"):
        button_look(svg, name, rect, look)
    elif kind == "SliderBar":
        track(svg, rect, look == "filled")
    elif kind == "EditBox":
        well(svg, rect, white=name in ("ValueBox", "CountBox"))
    elif kind == "ListBox":
        well(svg, rect)
    elif kind == "MacroDisplay":
        well(svg, rect, white=True)


SEGMENTS = {
    "ButtonProfile": 5,
    "AdvancedRate": 4,
}


def segment_shape(name):
    order = {
        "ButtonProfile1": "seg-left", "ButtonProfile5": "seg-right",
        "AdvancedRate125": "seg-left", "AdvancedRate1000": "seg-right",
    }
    if name in order:
        return order[name]
    if name.startswith("ButtonProfile") or name.startswith("AdvancedRate"):
        return "seg-mid"
    return None


def button_look(svg, name, rect, look):
    l, t, r, b = rect
    cy = (t + b) / 2
    ic = LOOK_COLOURS[look][3]
    seg = segment_shape(name)
    if name in ("HomeMinimise",):
        window_button(svg, rect, look, "minimise")
    elif name == "HomeClose" or name == "Close":
        if name == "Close":
            window_button(svg, rect, look, "close")
        else:
            window_button(svg, rect, look, "close")
    elif name == "HomeImport":
        icon_button(svg, rect, look, "import")
    elif name == "HomeExport":
        icon_button(svg, rect, look, "export")
    elif name == "HomeResetAll":
        icon_button(svg, rect, look, "reset")
    elif name == "HomeWeb":
        icon_button(svg, rect, look, "globe", shape="pill")
    elif name == "HomeButtonTab":
        tab(svg, rect, look, "mouse")
    elif name == "HomeLightingTab":
        tab(svg, rect, look, "light")
    elif name == "HomeAdvancedTab":
        tab(svg, rect, look, "gauge")
    elif name == "HomeMacroTab":
        tab(svg, rect, look, "macro")
    elif seg is not None:
        face(svg, rect, look, seg, radius=5)
    elif name in ("LightingOn", "LightingOff"):
        face(svg, rect, look, radius=5)
        icon(svg, "power" if name == "LightingOn" else "power-off", l + 15, cy, ic)
    elif name.startswith("ButtonLabel") or name in ("LightingMode", "LightingDirection", "MacroNameButton",
                                                    "LevelButton", "MacroDropDown"):
        dropdown(svg, rect, look)
    elif name.endswith("Back"):
        icon_button(svg, rect, look, "back", icon_x=l + 13)
    elif name == "ButtonMacroPage":
        icon_button(svg, rect, look, "forward", icon_x=r - 14)
    elif name.startswith("AdvancedStage"):
        stage_card(svg, rect, look, int(name[-1]))
    elif name == "AdvancedAccelerationToggle":
        face(svg, rect, look, radius=5)
        checkbox(svg, l + 14, cy, look)
    elif name in ("AdvancedDoubleClickValue", "AdvancedScrollLinesValue"):
        # A display, not a button: the number is its caption.
        svg.rect(l + 0.5, t + 0.5, r - l - 1, b - t - 1, fill="#07070b", stroke="#3c3c56", sw=1, rx=3)
    elif name == "LightingSpeedToggle":
        face(svg, rect, look, "pill")
        led(svg, l + 8, cy, look)
    elif name in ("MacroDelayRecorded", "MacroDelayFixed", "MacroDelayNone", "Mode0", "Mode1", "Mode2"):
        face(svg, rect, look, radius=5)
        radio(svg, l + 13, cy, look)
    elif name == "MacroLoop":
        face(svg, rect, look, radius=5)
        checkbox(svg, l + 12, cy, look)
    elif name == "Unlimited":
        face(svg, rect, look, radius=4)
        checkbox(svg, l + 9, cy, look, size=8)
    elif name == "MacroRecord":
        icon_button(svg, rect, look, "record", icon_x=l + 15)
    elif name == "MacroStop":
        icon_button(svg, rect, look, "stop", icon_x=l + 15)
    elif name == "MacroMoveUp":
        icon_button(svg, rect, look, "up", icon_x=l + 14)
    elif name == "MacroMoveDown":
        icon_button(svg, rect, look, "down", icon_x=l + 14)
    elif name == "MacroDeleteAction":
        icon_button(svg, rect, look, "trash", icon_x=l + 14)
    elif name == "MacroActionMenu":
        icon_button(svg, rect, look, "dots", icon_x=l + 14)
    elif name == "MacroMouseActionMenu":
        # No caption: the picture says "insert a mouse action".
        face(svg, rect, look)
        icon(svg, "plus", l + 48, cy, ic)
        icon(svg, "mouse", l + 64, cy, ic, 0.8)
        icon(svg, "chevron-down", l + 82, cy + 0.5, ic, 0.8)
    elif name == "ChoiceButton":
        face(svg, rect, look, radius=2)
        icon(svg, "chevron-down", (l + r) / 2, cy + 0.5, ic, 0.6)
    elif name == "Ok":
        face(svg, rect, look, primary=True)
    else:
        face(svg, rect, look)


def track(svg, rect, filled):
    """A slider's bar: an empty groove, or the groove filled with the accent."""
    l, t, r, b = rect
    h = b - t
    gy = t + h / 2 - 2.5
    if filled:
        fill = svg.linear([(0, ACCENT_DARK, 1), (0.6, ACCENT, 1), (1, ACCENT_LIGHT, 1)], 0, 0, 1, 0)
        svg.rect(l + 1, gy - 1.5, r - l - 2, 8, fill=ACCENT, rx=4, opacity=0.22)
        svg.rect(l + 2, gy, r - l - 4, 5, fill=fill, rx=2.5)
        svg.line(l + 4, gy + 1, r - 4, gy + 1, "#ffffff", 1, opacity=0.25)
    else:
        svg.rect(l + 2.5, gy + 0.5, r - l - 5, 4, fill="#050508", stroke="#2e2e40", sw=1, rx=2)


def well(svg, rect, white=False):
    """The frame around an edit box, list or display; the control paints its
    own inside."""
    l, t, r, b = rect
    svg.rect(l - 1.5, t - 1.5, r - l + 3, b - t + 3, fill="none", stroke="#3c3c56", sw=1, rx=2)
    svg.rect(l, t, r - l, b - t, fill="#ffffff" if white else "#000000")


# ---------------------------------------------------------------------------
# The mouse


MOUSE_OUTLINE = ("M120,0 C165,0 205,12 220,55 C232,95 228,140 222,175 C217,210 236,250 236,290 "
                 "C236,335 190,362 120,362 C50,362 4,335 4,290 C4,252 22,226 18,195 "
                 "C14,165 4,140 6,100 C8,50 40,0 120,0 Z")


def mouse(svg, x, y, scale=1.0, glow=True):
    """The ZELT-7700 PERIX seen from above, front up, drawn in a 240 x 362 box
    at (x, y)."""
    svg.begin(f'transform="translate({fmt(x)},{fmt(y)}) scale({scale})"')
    if glow:
        halo = svg.radial([(0, ACCENT, 0.30), (0.55, ACCENT, 0.08), (1, ACCENT, 0)])
        svg.add(f'<ellipse cx="120" cy="200" rx="230" ry="250" fill="{halo}"/>')
    # Cable.
    svg.path("M120,0 C120,-22 128,-34 140,-46", stroke="#2e2e40", sw=4, extra='stroke-linecap="round"')
    clip = svg.new_id("m")
    svg.defs(f'<clipPath id="{clip}"><path d="{MOUSE_OUTLINE}"/></clipPath>')
    body = svg.linear([(0, "#1c1c2a", 1), (0.5, "#13131d", 1), (1, "#0b0b12", 1)], 0, 0, 1, 1)
    svg.path(MOUSE_OUTLINE, fill=body)
    svg.begin(f'clip-path="url(#{clip})"')
    # Button shells: two plates split down the middle, ending in a curved seam.
    plate = svg.linear([(0, "#34344c", 1), (0.6, "#23233a", 1), (1, "#1a1a2a", 1)], 0, 0, 0.6, 1)
    svg.path("M-10,-10 H117 V163 Q60,170 -10,150 Z", fill=plate)
    svg.path("M250,-10 H123 V163 Q180,170 250,150 Z", fill=plate)
    svg.path("M-10,150 Q60,170 117,163 M123,163 Q180,170 250,150", stroke="#07070b", sw=2.5)
    svg.path("M-10,152.5 Q60,172.5 117,165.5 M123,165.5 Q180,172.5 250,152.5", stroke="#ffffff", sw=1,
             opacity=0.06)
    # Palm: a raised ridge and the light zone.
    ridge = svg.linear([(0, "#ffffff", 0), (0.5, "#ffffff", 0.05), (1, "#ffffff", 0)], 0, 0, 1, 0)
    svg.path("M80,175 Q120,168 160,175 L170,362 H70 Z", fill=ridge)
    # Inner contour along the skirt.
    svg.path(MOUSE_OUTLINE, stroke="#000000", sw=10, opacity=0.35)
    svg.end()
    svg.path(MOUSE_OUTLINE, stroke="#4c4c6c", sw=1.3)
    # Side rims catch the light.
    rim = svg.linear([(0, ACCENT, 0.0), (0.5, ACCENT, 0.7), (1, ACCENT, 0.0)], 0, 0, 0, 1)
    svg.path("M6,100 C4,140 14,165 18,195 C22,226 4,252 4,290", stroke=rim, sw=2)
    svg.path("M222,175 C217,210 236,250 236,290", stroke=rim, sw=2)
    # Wheel in its well.
    svg.rect(108.5, 50.5, 23, 56, fill="#050508", stroke="#3a3a56", sw=1, rx=9)
    wheel = svg.linear([(0, "#4a4a66", 1), (0.5, "#a4a4c4", 1), (1, "#3a3a52", 1)], 0, 0, 1, 0)
    svg.rect(113, 56, 14, 45, fill=wheel, rx=6)
    for yy in range(60, 100, 5):
        svg.line(114, yy, 126, yy, "#26263a", 1.2)
    svg.rect(112.5, 55.5, 15, 46, stroke=ACCENT, sw=1, rx=6.5, opacity=0.8)
    # DPI button behind the wheel, with its three stage lights.
    svg.rect(111.5, 121.5, 17, 22, fill="#191925", stroke="#55557a", sw=1, rx=6)
    svg.rect(116, 127, 8, 2, fill=ACCENT_PALE, rx=1)
    svg.rect(116, 131.5, 8, 2, fill=ACCENT_LIGHT, rx=1)
    svg.rect(116, 136, 8, 2, fill=ACCENT, rx=1)
    # Side buttons on the left flank.
    side = svg.linear([(0, "#3a3a52", 1), (1, "#20202e", 1)], 0, 0, 1, 0)
    svg.path("M2,152 C-3,160 -3,178 2,186 L10,186 C13,176 13,162 10,152 Z", fill=side, stroke="#6a6a90", sw=1)
    svg.path("M4,192 C-1,200 -1,218 4,226 L13,226 C16,216 16,202 13,192 Z", fill=side, stroke="#6a6a90", sw=1)
    # Palm light.
    light = svg.linear([(0, ACCENT, 0.0), (0.5, ACCENT_PALE, 1), (1, ACCENT, 0.0)], 0, 0, 1, 0)
    svg.path("M70,262 L120,292 L170,262", stroke=ACCENT, sw=10, opacity=0.2, extra='stroke-linecap="round"')
    svg.path("M70,262 L120,292 L170,262", stroke=light, sw=3, extra='stroke-linecap="round" stroke-linejoin="round"')
    svg.path("M64,330 Q120,346 176,330", stroke="#2a2a3e", sw=1.2)
    # Sheen on the left button.
    sheen = svg.linear([(0, "#ffffff", 0.14), (1, "#ffffff", 0)], 0, 0, 1, 1)
    svg.path("M34,70 C50,28 88,10 112,8 L112,30 C84,36 58,60 44,104 Z", fill=sheen)
    svg.end()


# Where each numbered button sits on the drawing (box coordinates).
MOUSE_PARTS = {
    1: (50, 48),    # left button
    2: (190, 19),   # right button, near its front so its callout passes in front of the wheel
    3: (112, 92),   # wheel
    4: (3, 169),    # forward side button
    5: (5, 209),    # back side button
    6: (120, 132),  # DPI button
}


# ---------------------------------------------------------------------------
# Scenery


def window_background(svg, w, h, header=True):
    base = svg.linear([(0, BG_TOP, 1), (1, BG_BOTTOM, 1)])
    svg.rect(0, 0, w, h, fill=base)
    pid = svg.new_id("p")
    svg.defs(f'<pattern id="{pid}" width="6" height="6" patternUnits="userSpaceOnUse">'
             f'<path d="M0,6 L6,0" stroke="#ffffff" stroke-width="0.6" opacity="0.025"/></pattern>')
    svg.rect(0, 0, w, h, fill=f"url(#{pid})")
    glow = svg.radial([(0, ACCENT, 0.16), (1, ACCENT, 0)], cx=0.5, cy=0.0, r=0.7)
    svg.rect(0, 0, w, h * 0.6, fill=glow)
    if header:
        svg.rect(0, 0, w, 146, fill=HEADER, opacity=0.55)
        line = svg.linear([(0, ACCENT, 0), (0.5, ACCENT, 0.9), (1, ACCENT, 0)], 0, 0, 1, 0)
        svg.rect(0, 145, w, 1, fill=line)
        svg.rect(0, 146, w, 8, fill=svg.linear([(0, ACCENT, 0.10), (1, ACCENT, 0)]))
    svg.rect(0.5, 0.5, w - 1, h - 1, stroke="#2a2a3c", sw=1)


def logo(svg, x, y, scale=1.0):
    """The PERIX word mark with its chevron sign; returns its width."""
    svg.begin(f'transform="translate({fmt(x)},{fmt(y)}) scale({scale})"')
    grad = svg.linear([(0, "#ffffff", 1), (1, ACCENT_LIGHT, 1)], 0, 0, 0, 1)
    svg.path("M0,2 L12,13 L0,24", stroke=ACCENT, sw=4, extra='stroke-linecap="square" stroke-linejoin="miter"')
    svg.path("M10,2 L22,13 L10,24", stroke=ACCENT_LIGHT, sw=2.4, opacity=0.7,
             extra='stroke-linecap="square" stroke-linejoin="miter"')
    title(svg, "PERIX", 34, 2, 22, colour=grad, sw=3.2, skew=-10, spacing=1.9)
    svg.end()
    return (34 + strokefont.text_width("PERIX", 22, 1.9)) * scale


def product_tag(svg, x, y, height=7, colour=MUTED):
    return title(svg, "ZELT-7700  GAMING MOUSE", x, y, height, colour=colour, sw=1.1, spacing=2.2)


def header(svg, w, page_title=None):
    logo(svg, 30, 30)
    product_tag(svg, 64, 62)
    if page_title:
        svg.rect(30, 100, 4, 24, fill=ACCENT, rx=1)
        title(svg, page_title, 44, 102, 20, sw=2.4)
    # Group behind the profile-file buttons.
    svg.rect(288.5, 89.5, 324, 46, fill="#0c0c12", stroke="#22222f", sw=1, rx=8)


def panel(svg, l, t, r, b, heading_bar=False):
    fill = svg.linear([(0, "#15151f", 0.95), (1, "#0f0f16", 0.95)])
    svg.rect(l + 0.5, t + 0.5, r - l - 1, b - t - 1, fill=fill, stroke=PANEL_EDGE, sw=1, rx=10)
    if heading_bar:
        svg.rect(l + 1, t + 14, 3, 18, fill=ACCENT, rx=1.5)


def heading_mark(svg, rect):
    """A small accent bar left of a heading label."""
    l, t, r, b = rect
    svg.rect(l - 9, t + 2, 3, 13, fill=ACCENT, rx=1.5)


def callout(svg, points, colour=ACCENT, opacity=0.75):
    d = "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in points)
    svg.path(d, stroke=colour, sw=3, opacity=0.12, extra='stroke-linecap="round" stroke-linejoin="round"')
    svg.path(d, stroke=colour, sw=1.2, opacity=opacity, extra='stroke-linecap="round" stroke-linejoin="round"')
    x, y = points[0]
    svg.circle(x, y, 2.2, fill=colour)
