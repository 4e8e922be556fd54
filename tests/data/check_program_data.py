# Checks the data files of a built program folder: the skin pictures are bitmaps the panel can dress
# with (design sizes, outline colours, transparent button backgrounds) and the help page is sound.
import html.parser
import os
import re
import struct
import sys
import unittest

BIN = os.environ.get("VISTREL_BIN") or (sys.argv[1] if len(sys.argv) > 1 else "")

FACE = ("interface.bmp", (302, 121))
BUTTONS = {"prec.bmp": (32, 22), "remb.bmp": (26, 23), "pause.bmp": (26, 23), "lect.bmp": (27, 22),
           "stop.bmp": (28, 23), "av.bmp": (26, 23), "suiv.bmp": (31, 23)}
STATUS_BOX = (18, 23, 265, 58)
BUTTON_ROW = (8, 89, 284, 114)
BLACK = (0, 0, 0)


def read_bitmap(path):
    """Width, height and rows of (r, g, b) from an uncompressed 24-bit Windows bitmap."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM" or len(data) < 54:
        raise AssertionError(f"{path}: not a Windows bitmap")
    offset, = struct.unpack_from("<I", data, 10)
    header, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if header < 40 or planes != 1 or bits != 24 or compression != 0:
        raise AssertionError(f"{path}: header {header}, {bits} bits, compression {compression}")
    stride = (width * 3 + 3) & ~3
    if len(data) < offset + stride * abs(height):
        raise AssertionError(f"{path}: pixel data cut short")
    rows = []
    for y in range(abs(height)):
        row = y if height < 0 else abs(height) - 1 - y
        start = offset + row * stride
        rows.append([(data[start + 3 * x + 2], data[start + 3 * x + 1], data[start + 3 * x])
                     for x in range(width)])
    return width, abs(height), rows


def night_key():
    """The transparency colour that the night skin's README announces, as (r, g, b)."""
    with open(os.path.join(BIN, "skins", "nuit", "README"), encoding="utf-8") as f:
        match = re.search(r"^transparence:\s*0x([0-9A-Fa-f]{8})\s*$", f.read(), re.M)
    assert match, "README gives no transparency colour"
    value = int(match.group(1), 16)                    # 0x00BBGGRR
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


class SkinPictures(unittest.TestCase):
    SKINS = (("", (255, 255, 255)), (os.path.join("skins", "nuit"), None))

    def skins(self):
        for folder, key in self.SKINS:
            yield os.path.join(BIN, folder), key or night_key()

    def test_faces_mark_only_their_rounded_corners_with_the_key_colour(self):
        for folder, key in self.skins():
            with self.subTest(folder=folder):
                w, h, rows = read_bitmap(os.path.join(folder, FACE[0]))
                self.assertEqual((w, h), FACE[1])
                for corner in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
                    self.assertEqual(rows[corner[1]][corner[0]], key, corner)
                for y, row in enumerate(rows):
                    inside = [x for x, p in enumerate(row) if p != key]
                    self.assertTrue(inside, f"row {y} is all outside")
                    first, last = inside[0], inside[-1]
                    # the outside is only a run at each end of a row, never a hole in the face
                    self.assertEqual(len(inside), last - first + 1, f"hole in row {y}")
                    self.assertEqual(first, w - 1 - last, f"row {y} is not symmetric")
                    if 24 <= y < h - 24:
                        self.assertEqual((first, last), (0, w - 1), f"row {y} is cut")
                    self.assertLessEqual(first, 24, f"row {y} is cut too deep")

    def test_faces_keep_the_status_display_and_button_row_opaque(self):
        for folder, key in self.skins():
            with self.subTest(folder=folder):
                _, _, rows = read_bitmap(os.path.join(folder, FACE[0]))
                x0, y0, bw, bh = STATUS_BOX
                for left, top, right, bottom in ((x0, y0, x0 + bw, y0 + bh), BUTTON_ROW, (280, 5, 293, 20)):
                    for y in range(top, bottom):
                        for x in range(left, right):
                            self.assertNotEqual(rows[y][x], key, (x, y))

    def test_buttons_have_design_sizes_and_transparent_backgrounds(self):
        for folder, _ in self.skins():
            for name, size in BUTTONS.items():
                with self.subTest(folder=folder, button=name):
                    w, h, rows = read_bitmap(os.path.join(folder, name))
                    self.assertEqual((w, h), size)
                    for corner in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
                        self.assertEqual(rows[corner[1]][corner[0]], BLACK, corner)
                    shown = [p for row in rows for p in row if p != BLACK]
                    self.assertGreater(len(shown), w * h // 8, "the glyph is missing")
                    # a near-black glyph pixel would look like a hole once drawn on the face
                    self.assertFalse([p for p in shown if max(p) < 20], "near-black glyph pixels")

    def test_round_button_pictures(self):
        for name, size in (("fullscreen.bmp", (13, 11)), ("skinedit.bmp", (13, 13))):
            with self.subTest(picture=name):
                w, h, rows = read_bitmap(os.path.join(BIN, name))
                self.assertEqual((w, h), size)
                self.assertTrue(any(p != BLACK for row in rows for p in row))


class PageChecker(html.parser.HTMLParser):
    VOID = {"meta", "br", "hr", "img", "link", "input", "wbr"}

    def __init__(self):
        super().__init__()
        self.open, self.errors, self.ids, self.anchors, self.text = [], [], set(), [], []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag in ("script", "link", "img", "iframe", "object", "embed") or "src" in attrs:
            self.errors.append(f"outside resource <{tag}>")
        if tag == "a":
            self.anchors.append(attrs.get("href", ""))
        if tag not in self.VOID:
            self.open.append(tag)

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.errors.append(f"</{tag}> at line {self.getpos()[0]} closes {self.open[-1:]}")
        else:
            self.open.pop()

    def handle_data(self, data):
        self.text.append(data)


class HelpPage(unittest.TestCase):
    def test_page_is_complete_french_utf8_html(self):
        with open(os.path.join(BIN, "aide.htm"), "rb") as f:
            page = f.read().decode("utf-8")        # raises on anything but UTF-8
        self.assertTrue(page.startswith("<!DOCTYPE html>"))
        self.assertIn('<html lang="fr">', page)
        self.assertIn('<meta charset="utf-8">', page)
        checker = PageChecker()
        checker.feed(page)
        checker.close()
        self.assertEqual(checker.errors, [])
        self.assertEqual(checker.open, [])
        for href in checker.anchors:
            self.assertTrue(href.startswith("#"), f"link out of the page: {href}")
            self.assertIn(href[1:], checker.ids)
        text = " ".join(" ".join(checker.text).split())
        for words in ("Chapitre précédent", "Retour", "Pause", "Lecture", "Stop", "Avance",
                      "Chapitre suivant", "Aide", "Plein écran", "Configuration de l'interface",
                      "Quitter", "Ouvrir un fichier multimédia...", "Volume...", "Ejecter le disque",
                      "Vistrel sur Internet...", "Informations...", "config.dat", "interface.dat",
                      "bookmark.bmk", "~/.config/vistrel/", "--help", "--version"):
            self.assertIn(words, text)


if __name__ == "__main__":
    if not BIN or not os.path.isdir(BIN):
        sys.exit("usage: check_program_data.py PROGRAM_FOLDER (or VISTREL_BIN set)")
    unittest.main(argv=sys.argv[:1])
