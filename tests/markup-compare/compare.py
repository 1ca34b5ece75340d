#!/usr/bin/env python3
"""Sets the markup reader beside a trusted XML parser (expat) on the XML
documents installed on this machine: MIME tables, font configuration, icon
SVGs, DocBook and XSL sources, D-Bus and polkit files and more, plus copies of
them in legacy encodings and copies damaged in the ways the reader checks.

For every document both must agree on: the elements (depth and name, in
document order), the text of every element without child elements, and the
verdict on well-formedness where the reader checks it (end tags, unterminated
markup, the root element). Differences the reader's own rules allow are
counted under their reason; every other one is a fault.

    tests/markup-compare/compare.py [--dump build/linux/bin/markup_dump] [--setup] [--limit N] [-v]

--setup installs the Debian packages that ship the documents (needs root).
Exits non-zero when a fault is found.
"""

import argparse
import collections
import glob
import html.entities
import json
import os
import random
import re
import subprocess
import sys
import tempfile
import xml.parsers.expat as expat

PACKAGES = ["shared-mime-info", "fontconfig-config", "docbook-xml", "docbook-xsl", "adwaita-icon-theme",
            "iso-codes", "dbus", "libglib2.0-data", "xml-core"]

SOURCES = [
    "/usr/share/mime/packages/*.xml", "/usr/share/mime/*/*.xml", "/etc/fonts/*.conf", "/etc/fonts/conf.d/*.conf",
    "/usr/share/fontconfig/conf.avail/*.conf", "/usr/share/icons/*/scalable/*/*.svg", "/usr/share/icons/*/*/*/*.svg",
    "/usr/share/xml/**/*.xml", "/usr/share/xml/docbook/stylesheet/**/*.xsl", "/usr/share/sgml/**/*.xml",
    "/usr/share/dbus-1/**/*.conf", "/usr/share/dbus-1/**/*.xml", "/usr/share/polkit-1/actions/*.policy",
    "/usr/share/glib-2.0/schemas/*.xml", "/usr/share/gdb/**/*.xml", "/etc/ImageMagick-6/*.xml",
    "/usr/share/doc/**/*.xml", "/usr/share/doc/**/*.svg", "/usr/share/metainfo/*.xml", "/usr/share/appdata/*.xml",
    "/usr/share/gtk-doc/**/*.xml", "/usr/share/help/**/*.page", "/usr/share/xsessions/*.xml",
]

# Where expat stops for a reason the reader also checks: the reader must then
# say "not well formed" too.
CHECKED_BY_READER = {
    expat.errors.codes[expat.errors.XML_ERROR_NO_ELEMENTS],
    expat.errors.codes[expat.errors.XML_ERROR_UNCLOSED_TOKEN],
    expat.errors.codes[expat.errors.XML_ERROR_TAG_MISMATCH],
    expat.errors.codes[expat.errors.XML_ERROR_JUNK_AFTER_DOC_ELEMENT],
    expat.errors.codes[expat.errors.XML_ERROR_UNCLOSED_CDATA_SECTION],
}

HTML_NAMES = dict(html.entities.name2codepoint)
HTML_NAMES.update({"apos": 39})

# Legacy encodings the copies are written in: (name in the declaration, Python codec).
ENCODINGS = [("ISO-8859-1", "latin-1"), ("windows-1252", "cp1252"), ("UTF-16", "utf-16"), ("UTF-16BE", "utf-16-be"),
             ("ISO-8859-15", "iso8859-15"), ("KOI8-R", "koi8-r"), ("Shift_JIS", "shift_jis"), ("Big5", "big5"),
             ("GB2312", "gb2312"), ("ISO-8859-2", "iso8859-2"), ("US-ASCII", "ascii"), ("EUC-JP", "euc-jp")]


def documents(limit):
    seen = set()
    found = []
    for pattern in SOURCES:
        for path in sorted(glob.glob(pattern, recursive=True)):
            real = os.path.realpath(path)
            if real in seen or not os.path.isfile(real) or os.path.getsize(real) > 8 << 20:
                continue
            seen.add(real)
            found.append(real)
    return found[:limit] if limit else found


class ExpatView:
    """Elements and leaf texts as expat reads them. References to entities
    declared in the document's own DTD are not expanded but kept as written,
    as the reader keeps them; undeclared HTML names (a DTD on the disk would
    declare them) decode as the reader decodes them."""

    def __init__(self, data):
        self.elements = []  # [depth, name, list of text pieces or None]
        self.stack = []
        self.error = None
        self.internal_entities = False
        parser = expat.ParserCreate()
        parser.StartElementHandler = self.start
        parser.EndElementHandler = self.end
        parser.CharacterDataHandler = self.text
        parser.DefaultHandler = self.default
        parser.SkippedEntityHandler = self.skipped
        parser.EntityDeclHandler = self.entity_decl
        try:
            parser.Parse(data, True)
        except expat.ExpatError as error:
            self.error = expat.errors.messages[error.code]
        except ValueError:
            # A multi-byte legacy encoding expat does not know: the same
            # document converted to UTF-8 by Python's codec.
            self.__init__(to_utf8(data))
            return
        for element in self.elements:
            if element[2] is not None:
                element[2] = "".join(element[2])

    def start(self, name, attributes):
        if self.stack:
            self.elements[self.stack[-1]][2] = None
        self.elements.append([len(self.stack), name, []])
        self.stack.append(len(self.elements) - 1)

    def end(self, name):
        self.stack.pop()

    def text(self, data):
        if self.stack and self.elements[self.stack[-1]][2] is not None:
            self.elements[self.stack[-1]][2].append(data)

    def reference(self, name):
        if name in HTML_NAMES:
            self.text(chr(HTML_NAMES[name]))
        else:
            self.text("&%s;" % name)

    def default(self, data):
        if self.stack and data.startswith("&") and data.endswith(";"):
            self.reference(data[1:-1])

    def skipped(self, name, is_parameter):
        if not is_parameter:
            self.reference(name)

    def entity_decl(self, name, is_parameter, value, *rest):
        if not is_parameter and value is not None:
            self.internal_entities = True


def to_utf8(data):
    name = declared_encoding(data)
    text = data.decode(name)
    m = re.match(r"\s*<\?xml[^>]*\?>", text)
    return ('<?xml version="1.0" encoding="UTF-8"?>' + text[m.end():]).encode("utf-8")


def reader_views(dump, paths):
    if not paths:
        return []
    result = subprocess.run([dump], input="\n".join(paths) + "\n", capture_output=True, text=True, check=True)
    views = [json.loads(line) for line in result.stdout.splitlines()]
    if len(views) != len(paths):
        sys.exit("markup_dump answered %d of %d files" % (len(views), len(paths)))
    return views


def first_text_difference(mine, theirs):
    for index, (a, b) in enumerate(zip(mine, theirs)):
        if a != b:
            return index, a, b
    if len(mine) != len(theirs):
        index = min(len(mine), len(theirs))
        return index, mine[index] if index < len(mine) else None, theirs[index] if index < len(theirs) else None
    return None


EXAMPLES = collections.defaultdict(list)


def left(counts, reason, label):
    counts[reason] += 1
    if len(EXAMPLES[reason]) < 5:
        EXAMPLES[reason].append(label)


def compare(view, expected, counts, faults, label):
    """view: the reader's; expected: ExpatView of the same content."""
    if expected.error is None:
        if not view["wf"]:
            faults.append("%s: expat reads it as well formed, the reader does not (%s)" % (label, view["result"]))
            return
    elif view["wf"]:
        if expected.error in CHECKED_BY_READER:
            faults.append("%s: expat stops with '%s', the reader calls it well formed" % (label, expected.error))
        else:
            left(counts, "left: expat refuses what the reader does not check (%s)" % expected.error, label)
        return
    else:
        counts["agreed: not well formed"] += 1
        return
    mine = [tuple(e) for e in view["elements"]]
    theirs = [tuple(e) for e in expected.elements]
    difference = first_text_difference(mine, theirs)
    if difference is None:
        counts["agreed: same elements and texts"] += 1
        return
    index, a, b = difference
    if a and b and a[:2] == b[:2] and a[2] is not None and b[2] is not None:
        if a[2].replace("\r\n", "\n").replace("\r", "\n") == b[2]:
            left(counts, "left: line ends inside a text are returned as written", label)
            return
        if expected.internal_entities and "&" in a[2]:
            left(counts, "left: entities declared in the document's DTD are not expanded", label)
            return
    faults.append("%s: element %d differs: reader %r, expat %r" % (label, index, a, b))


def damaged_copies(data, rng):
    """Copies damaged in ways the reader checks, each with what was done."""
    text = data.decode("utf-8", "surrogateescape")
    copies = []
    ends = [m for m in re.finditer(r"</[^<>\s]+\s*>", text)]
    if ends:
        m = rng.choice(ends)
        copies.append(("end tag removed", text[:m.start()] + text[m.end():]))
        m = rng.choice(ends)
        copies.append(("end tag renamed", text[:m.start()] + "</zz-" + text[m.start() + 2:]))
    root = re.search(r"<[A-Za-z_][^<>]*>", text[text.find("?>") + 1 if text.startswith("<?") else 0:])
    if root:
        copies.append(("second root element", text.rstrip() + "\n<extra-root>x</extra-root>\n"))
        last = text.rfind("</")
        if last > 0:
            cut = rng.randrange(max(1, last // 2), last + 1)
            copies.append(("cut short", text[:cut]))
    return [(what, body.encode("utf-8", "surrogateescape")) for what, body in copies]


def declared_encoding(data):
    m = re.match(rb"\s*<\?xml[^>]*encoding\s*=\s*[\"']([^\"']+)[\"']", data)
    return m.group(1).decode("ascii", "replace").lower() if m else None


def legacy_copy(data, index):
    """The document in a legacy encoding, declared in its XML declaration, or None."""
    if data.startswith((b"\xff\xfe", b"\xfe\xff", b"\xef\xbb\xbf")) or declared_encoding(data) not in (None, "utf-8"):
        return None
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError:
        return None
    for attempt in range(len(ENCODINGS)):
        name, codec = ENCODINGS[(index + attempt) % len(ENCODINGS)]
        declaration = '<?xml version="1.0" encoding="%s"?>' % name
        m = re.match(r"\s*<\?xml[^>]*\?>", text)
        body = declaration + text[m.end():] if m else declaration + "\n" + text
        try:
            encoded = body.encode(codec)
        except UnicodeEncodeError:
            continue
        if codec == "utf-16-be":
            encoded = b"\xfe\xff" + encoded
        return name, encoded
    return None


def main():
    arguments = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    here = os.path.dirname(os.path.abspath(__file__))
    arguments.add_argument("--dump", default=os.path.join(here, "../../build/linux/bin/markup_dump"))
    arguments.add_argument("--setup", action="store_true", help="install the packages that ship the documents")
    arguments.add_argument("--limit", type=int, default=0, help="compare only the first N documents")
    arguments.add_argument("--seed", type=int, default=7)
    arguments.add_argument("-v", "--verbose", action="store_true")
    options = arguments.parse_args()
    if options.setup:
        subprocess.run(["apt-get", "install", "-y", "--no-install-recommends"] + PACKAGES, check=True)

    rng = random.Random(options.seed)
    paths = documents(options.limit)
    counts = collections.Counter()
    faults = []
    with tempfile.TemporaryDirectory(prefix="markup-compare-") as work:
        jobs = []  # (label, path the reader reads, bytes expat reads)
        for index, path in enumerate(paths):
            with open(path, "rb") as f:
                data = f.read()
            jobs.append((path, path, data))
            if re.search(rb"<!DOCTYPE[^>\[]*\[", data[:4096]):
                counts["documents with an internal DTD subset"] += 1
            if declared_encoding(data) not in (None, "utf-8") or data.startswith((b"\xff\xfe", b"\xfe\xff")):
                counts["documents in another encoding than UTF-8"] += 1
            copy = legacy_copy(data, index)
            if copy:
                name, encoded = copy
                target = os.path.join(work, "%d-%s.xml" % (index, name))
                with open(target, "wb") as f:
                    f.write(encoded)
                # expat knows few legacy encodings: it reads the original.
                jobs.append(("%s (as %s)" % (path, name), target, data))
                counts["copies in a legacy encoding"] += 1
            if index % 3 == 0:
                for n, (what, body) in enumerate(damaged_copies(data, rng)):
                    target = os.path.join(work, "%d-damaged-%d.xml" % (index, n))
                    with open(target, "wb") as f:
                        f.write(body)
                    jobs.append(("%s (%s)" % (path, what), target, body))
                    counts["damaged copies"] += 1
        views = reader_views(options.dump, [job[1] for job in jobs])
        for (label, _, data), view in zip(jobs, views):
            compare(view, ExpatView(data), counts, faults, label)

    print("markup compare: %d documents, %d comparisons in all" % (len(paths), len(jobs)))
    for what, n in sorted(counts.items()):
        print("  %6d  %s" % (n, what))
    print("  %6d  faults" % len(faults))
    if options.verbose:
        for reason, labels in sorted(EXAMPLES.items()):
            print("%s, for example:\n    %s" % (reason, "\n    ".join(labels)))
    for fault in faults[: None if options.verbose else 40]:
        print("FAULT " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
