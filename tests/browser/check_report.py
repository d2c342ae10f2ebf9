#!/usr/bin/env python3
"""Checks the DOM that headless Chromium rendered from an edid-check HTML report.

usage: check_report.py DOM_FILE SCREENSHOT SOURCE...

SOURCE are the EDID files of the report, in order (raw bytes or hex text). Prints one line per
failed check and exits with status 1 when there is any.
"""
import html.parser
import re
import struct
import sys
import zlib

VOID = {"meta", "link", "br", "img", "input", "hr", "col", "area", "base", "wbr", "source"}


class Node:
    def __init__(self, tag, attrs, parent):
        self.tag, self.attrs, self.parent = tag, dict(attrs), parent
        self.children, self.text = [], ""

    def classes(self):
        return self.attrs.get("class", "").split()

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()

    def find_all(self, tag=None, cls=None):
        return [n for n in self.walk()
                if (tag is None or n.tag == tag) and (cls is None or cls in n.classes())]

    def all_text(self):
        return self.text + "".join(child.all_text() for child in self.children)


class TreeBuilder(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = Node("#document", [], None)
        self.current = self.root

    def handle_starttag(self, tag, attrs):
        node = Node(tag, attrs, self.current)
        self.current.children.append(node)
        if tag not in VOID:
            self.current = node

    def handle_startendtag(self, tag, attrs):
        self.current.children.append(Node(tag, attrs, self.current))

    def handle_endtag(self, tag):
        node = self.current
        while node is not None and node.tag != tag:
            node = node.parent
        if node is not None and node.parent is not None:
            self.current = node.parent

    def handle_data(self, data):
        # Text after a child belongs to the parent; kept in order well enough for the checks.
        holder = Node("#text", [], self.current)
        holder.text = data
        self.current.children.append(holder)


def edid_bytes(path):
    data = open(path, "rb").read()
    if data.startswith(b"\x00\xff\xff\xff\xff\xff\xff\x00"):
        return data
    return bytes(int(token, 16) for token in data.decode().split())


def primaries(edid):
    """Red, green, blue of the base block: ten bits per coordinate, in 1/1024."""
    low_rg, low_bw = edid[0x19], edid[0x1A]

    def coordinate(high, low, shift):
        return ((edid[high] << 2) | ((low >> shift) & 3)) / 1024

    return [(coordinate(0x1B, low_rg, 6), coordinate(0x1C, low_rg, 4)),
            (coordinate(0x1D, low_rg, 2), coordinate(0x1E, low_rg, 0)),
            (coordinate(0x1F, low_bw, 6), coordinate(0x20, low_bw, 4))]


def png_is_blank(path):
    """True when the screenshot's pixels hold next to no distinct values."""
    data = open(path, "rb").read()
    if not data.startswith(b"\x89PNG\r\n\x1a\n"):
        return True
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"IDAT":
            idat += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    pixels = zlib.decompress(idat)
    return len(set(pixels)) < 16


def check_section(section, source, failures):
    name = source
    heading = section.find_all("h2")
    if not heading or heading[0].all_text() != name:
        failures.append(f"{name}: the section's heading is not the source's name")
    edid = edid_bytes(source)
    polygon = section.find_all("polygon", "display")
    if len(polygon) != 1:
        failures.append(f"{name}: {len(polygon)} display triangles, 1 expected")
    else:
        points = [tuple(float(v) for v in p.split(",")) for p in polygon[0].attrs["points"].split()]
        for got, want in zip(points, primaries(edid)):
            if abs(got[0] - want[0]) > 5e-5 or abs(got[1] - want[1]) > 5e-5:
                failures.append(f"{name}: triangle vertex {got} is not the primary {want}")
    modes = section.find_all("table", "modes")
    if modes:
        rows = [r for r in modes[0].find_all("tr") if r.find_all("td")]
        if not rows:
            failures.append(f"{name}: the mode table has no rows")
    cells = {cell.attrs.get("id"): cell for cell in section.find_all("span", "b")}
    # The bytes the parser read: the base block and the announced extension blocks present.
    announced = 128 * (1 + edid[0x7E])
    if len(cells) != min(announced, len(edid) // 128 * 128):
        failures.append(f"{name}: {len(cells)} hex cells for {len(edid)} bytes")
    for finding in section.find_all("li", "finding"):
        links = finding.find_all("a", "bytes")
        if not links:
            continue
        target = links[0].attrs["href"].lstrip("#")
        if target not in cells:
            failures.append(f"{name}: finding {finding.attrs['id']} links to no hex cell")
            continue
        marked = [c for c in cells.values()
                  if finding.attrs["id"] in c.attrs.get("data-f", "").split()]
        span = re.findall(r"([0-9a-f]{3})h", links[0].all_text())
        first, last = int(span[0], 16), int(span[-1], 16)
        if len(marked) != last - first + 1 or target != marked[0].attrs["id"]:
            failures.append(f"{name}: finding {finding.attrs['id']} marks {len(marked)} bytes, "
                            f"its link names {last - first + 1}")


def main():
    dom_file, screenshot, sources = sys.argv[1], sys.argv[2], sys.argv[3:]
    builder = TreeBuilder()
    builder.feed(open(dom_file, encoding="utf-8").read())
    root = builder.root
    failures = []
    sections = root.find_all("section", "source")
    if len(sections) != len(sources):
        failures.append(f"{len(sections)} sections for {len(sources)} sources")
    for section, source in zip(sections, sources):
        check_section(section, source, failures)
    if len(root.find_all("script")) != 1:
        failures.append("an EDID string became a script element")
    if any(n.find_all("b") for n in sections):
        failures.append("an EDID string became markup")
    hostile = [s for s in sections if "<script>\"'&" in s.all_text()]
    if not hostile:
        failures.append("the hostile strings are not shown as text")
    if png_is_blank(screenshot):
        failures.append("the screenshot is blank")
    for failure in failures:
        print("browser: " + failure)
    print(f"browser: {len(sections)} sections checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
