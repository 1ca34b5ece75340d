"""Building SVG documents as text."""

import html


def esc(text):
    return html.escape(text, quote=True)


class Svg:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self._defs = []
        self._body = []
        self._ids = 0

    def new_id(self, prefix):
        self._ids += 1
        return f"{prefix}{self._ids}"

    def defs(self, text):
        self._defs.append(text)

    def add(self, text):
        self._body.append(text)

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1, units="objectBoundingBox"):
        """A linear gradient; stops are (offset, colour, opacity)."""
        gid = self.new_id("g")
        s = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops)
        self.defs(f'<linearGradient id="{gid}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" '
                  f'gradientUnits="{units}">{s}</linearGradient>')
        return f"url(#{gid})"

    def radial(self, stops, cx=0.5, cy=0.5, r=0.5, units="objectBoundingBox", fx=None, fy=None):
        gid = self.new_id("r")
        s = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops)
        focus = f' fx="{fx}" fy="{fy}"' if fx is not None else ""
        self.defs(f'<radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}"{focus} '
                  f'gradientUnits="{units}">{s}</radialGradient>')
        return f"url(#{gid})"

    def blur(self, amount):
        fid = self.new_id("f")
        self.defs(f'<filter id="{fid}" x="-50%" y="-50%" width="200%" height="200%">'
                  f'<feGaussianBlur stdDeviation="{amount}"/></filter>')
        return f"url(#{fid})"

    def clip_rect(self, x, y, w, h, rx=0):
        cid = self.new_id("c")
        self.defs(f'<clipPath id="{cid}"><rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}"/></clipPath>')
        return f"url(#{cid})"

    def rect(self, x, y, w, h, fill="none", stroke=None, sw=1, rx=0, opacity=None, extra=""):
        s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
        o = f' opacity="{opacity}"' if opacity is not None else ""
        self.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}" fill="{fill}"{s}{o} {extra}/>')

    def path(self, d, fill="none", stroke=None, sw=1, opacity=None, extra=""):
        s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
        o = f' opacity="{opacity}"' if opacity is not None else ""
        self.add(f'<path d="{d}" fill="{fill}"{s}{o} {extra}/>')

    def circle(self, cx, cy, r, fill="none", stroke=None, sw=1, opacity=None, extra=""):
        s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
        o = f' opacity="{opacity}"' if opacity is not None else ""
        self.add(f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"{s}{o} {extra}/>')

    def line(self, x1, y1, x2, y2, stroke, sw=1, opacity=None, extra=""):
        o = f' opacity="{opacity}"' if opacity is not None else ""
        self.add(f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{stroke}" stroke-width="{sw}"{o} {extra}/>')

    def group(self, inner, extra=""):
        self.add(f"<g {extra}>{inner}</g>")

    def begin(self, extra=""):
        self.add(f"<g {extra}>")

    def end(self):
        self.add("</g>")

    def text(self):
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" height="{self.height}" '
                f'viewBox="0 0 {self.width} {self.height}">'
                f'<defs>{"".join(self._defs)}</defs>{"".join(self._body)}</svg>')
