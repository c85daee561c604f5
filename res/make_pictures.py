#!/usr/bin/python3
"""Draws the commander's pictures and writes them in the exact file formats
the windows expect.

The outputs (GIF, ICO and BMP files in this folder) are committed, so a build
never runs this script. Run it again after changing a picture:

    /usr/bin/python3 res/make_pictures.py [--preview sheet.png]

Pixels are drawn with Pillow at several times the final size and reduced, so
edges come out smooth. Everything about the file bytes is written here by
hand: the GIF encoder (LZW, interlacing, extensions), the icon file and the
bitmap files, because the windows rely on exact details such as the
transparent colour index, the colour map sizes and the minimum code size.
"""

import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# The palette family of the program: the titles run from (128, 128, 255) to
# navy, so the pictures keep to those blues with a few accents.
NAVY = (0, 0, 128)
DEEP = (16, 32, 112)
ROYAL = (40, 72, 176)
BLUE = (64, 112, 216)
TITLE = (128, 128, 255)
SKY = (150, 190, 250)
ICE = (214, 228, 255)
WHITE = (255, 255, 255)
STEEL = (96, 112, 150)
GOLD = (255, 196, 64)
SUN = (255, 236, 150)
GREEN = (40, 160, 60)
LEAF = (120, 210, 110)
RED = (200, 40, 40)
ROSE = (250, 120, 110)

# Glyph bitmaps are drawn over this colour; the button takes the lower-left
# pixel's colour as transparent, so it must never appear in a glyph itself.
GLYPH_KEY = (255, 0, 255)


# ---------------------------------------------------------------------------
# Drawing
# ---------------------------------------------------------------------------

_RADIAL = None


def _radial_ramp():
    """A 512 x 512 ramp whose value grows from 0 in the centre to 255 at
    distance 256, computed once and then scaled to any radius."""
    global _RADIAL
    if _RADIAL is None:
        data = []
        for y in range(512):
            dy = y - 255.5
            for x in range(512):
                dx = x - 255.5
                data.append(min(255, int(math.hypot(dx, dy) * 255 / 256)))
        _RADIAL = Image.new("L", (512, 512))
        _RADIAL.putdata(data)
    return _RADIAL


def _lut(stops):
    """Colour look-up tables for a ramp of 0..255 through colour stops
    [(t, (r, g, b[, a])), ...] with t from 0 to 1."""
    stops = [(t, c if len(c) == 4 else c + (255,)) for t, c in stops]
    tables = [[], [], [], []]
    for v in range(256):
        t = v / 255
        for i in range(len(stops) - 1):
            if t <= stops[i + 1][0] or i == len(stops) - 2:
                t0, c0 = stops[i]
                t1, c1 = stops[i + 1]
                break
        f = 0 if t1 == t0 else min(1.0, max(0.0, (t - t0) / (t1 - t0)))
        for ch in range(4):
            tables[ch].append(int(round(c0[ch] + (c1[ch] - c0[ch]) * f)))
    return tables


def _colourise(ramp, stops):
    tables = _lut(stops)
    return Image.merge("RGBA", [ramp.point(tables[i]) for i in range(4)])


class Art:
    """A picture drawn in design units (final pixels) on a canvas `ss` times
    larger; `result` reduces it to the final size."""

    def __init__(self, w, h, ss=8):
        self.w, self.h, self.ss = w, h, ss
        self.size = (w * ss, h * ss)
        self.img = Image.new("RGBA", self.size, (0, 0, 0, 0))

    # Masks --------------------------------------------------------------
    def blank(self):
        return Image.new("L", self.size, 0)

    def s(self, pts):
        return [(x * self.ss, y * self.ss) for x, y in pts]

    def box(self, b):
        return [b[0] * self.ss, b[1] * self.ss, b[2] * self.ss - 1, b[3] * self.ss - 1]

    def polygon(self, pts):
        m = self.blank()
        ImageDraw.Draw(m).polygon(self.s(pts), fill=255)
        return m

    def ellipse(self, b):
        m = self.blank()
        ImageDraw.Draw(m).ellipse(self.box(b), fill=255)
        return m

    def circle(self, cx, cy, r):
        return self.ellipse((cx - r, cy - r, cx + r, cy + r))

    def rrect(self, b, r):
        m = self.blank()
        ImageDraw.Draw(m).rounded_rectangle(self.box(b), radius=r * self.ss, fill=255)
        return m

    def rect(self, b):
        m = self.blank()
        ImageDraw.Draw(m).rectangle(self.box(b), fill=255)
        return m

    def line(self, pts, width, round_ends=True):
        m = self.blank()
        d = ImageDraw.Draw(m)
        sp = self.s(pts)
        w = max(1, int(round(width * self.ss)))
        d.line(sp, fill=255, width=w, joint="curve")
        if round_ends:
            r = w / 2
            for x, y in (sp[0], sp[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return m

    def text(self, x, y, string, font_file, size, anchor="la"):
        m = self.blank()
        font = ImageFont.truetype(os.path.join(FONT_DIR, font_file), int(size * self.ss))
        ImageDraw.Draw(m).text((x * self.ss, y * self.ss), string, font=font, fill=255, anchor=anchor)
        return m

    @staticmethod
    def cut(a, b):
        return ImageChops.subtract(a, b)

    @staticmethod
    def join(*masks):
        out = masks[0]
        for m in masks[1:]:
            out = ImageChops.lighter(out, m)
        return out

    @staticmethod
    def meet(a, b):
        return ImageChops.multiply(a, b)

    def grow(self, m, units):
        k = int(round(units * self.ss)) * 2 + 1
        return m.filter(ImageFilter.MaxFilter(k)) if k > 1 else m

    def shrink(self, m, units):
        k = int(round(units * self.ss)) * 2 + 1
        return m.filter(ImageFilter.MinFilter(k)) if k > 1 else m

    def ring(self, m, units):
        """The band of `units` width along the inside of a shape's edge."""
        return self.cut(m, self.shrink(m, units))

    def moved(self, m, dx, dy):
        out = self.blank()
        out.paste(m, (int(round(dx * self.ss)), int(round(dy * self.ss))))
        return out

    # Paints -------------------------------------------------------------
    def linear(self, p0, p1, stops):
        (x0, y0), (x1, y1) = self.s([p0, p1])
        dx, dy = x1 - x0, y1 - y0
        l2 = dx * dx + dy * dy or 1
        pad = 8192
        ramp = Image.new("L", (1, 256 + 2 * pad))
        ramp.putdata([0] * pad + list(range(256)) + [255] * pad)
        # Output (x, y) samples the ramp at row pad + 255 * t(x, y).
        k = 255 / l2
        data = (0, 0, 0.5, dx * k, dy * k, pad + 0.5 - (x0 * dx + y0 * dy) * k)
        t = ramp.transform(self.size, Image.Transform.AFFINE, data, resample=Image.Resampling.BILINEAR)
        return _colourise(t, stops)

    def radial(self, cx, cy, r, stops, ry=None):
        ry = r if ry is None else ry
        w = max(1, int(2 * r * self.ss))
        h = max(1, int(2 * ry * self.ss))
        t = Image.new("L", self.size, 255)
        t.paste(_radial_ramp().resize((w, h), Image.Resampling.BILINEAR),
                (int((cx - r) * self.ss), int((cy - ry) * self.ss)))
        return _colourise(t, stops)

    def paint(self, mask, fill, opacity=1.0):
        if isinstance(fill, tuple):
            layer = Image.new("RGBA", self.size, fill if len(fill) == 4 else fill + (255,))
        else:
            layer = fill.copy()
        a = ImageChops.multiply(layer.getchannel("A"), mask)
        if opacity < 1.0:
            a = a.point(lambda v: int(v * opacity))
        layer.putalpha(a)
        self.img = Image.alpha_composite(self.img, layer)

    def shadow(self, mask, dx=0.8, dy=1.0, blur=0.8, opacity=0.4, color=(0, 0, 40)):
        m = self.moved(mask, dx, dy).filter(ImageFilter.GaussianBlur(blur * self.ss))
        self.paint(m, color, opacity)

    def layer(self, other, angle=0.0, centre=None):
        """Composites another Art of the same size, optionally turned."""
        img = other.img
        if angle:
            c = None if centre is None else (centre[0] * self.ss, centre[1] * self.ss)
            img = img.rotate(angle, resample=Image.Resampling.BICUBIC, center=c)
        self.img = Image.alpha_composite(self.img, img)

    def result(self):
        return self.img.resize((self.w, self.h), Image.Resampling.BOX)


# ---------------------------------------------------------------------------
# Motifs
# ---------------------------------------------------------------------------

def gear_outline(cx, cy, r_tip, r_root, teeth, turn=0.0, tooth=0.46, top=0.6):
    """The outline of a spur gear: `tooth` is the share of the pitch a tooth
    takes at its root, `top` the share of that width left at its tip."""
    pts = []
    pitch = 2 * math.pi / teeth
    for i in range(teeth):
        a = turn + i * pitch
        half_root = pitch * tooth / 2
        half_tip = half_root * top
        for ang, r in ((a - pitch / 2 + 0.001, r_root),
                       (a - half_root, r_root),
                       (a - half_tip, r_tip),
                       (a + half_tip, r_tip),
                       (a + half_root, r_root)):
            pts.append((cx + r * math.cos(ang), cy + r * math.sin(ang)))
        # The root circle between teeth, a few points for a round valley.
        for k in range(1, 4):
            ang = a + half_root + (pitch - 2 * half_root) * k / 4
            pts.append((cx + r_root * math.cos(ang), cy + r_root * math.sin(ang)))
    return pts


def draw_gear(art, cx, cy, r_tip, r_root, teeth, turn, hole, body, light=1.0, shadow=True):
    """A metal gear with a bevelled rim, a recessed web and a hub hole."""
    g = art.polygon(gear_outline(cx, cy, r_tip, r_root, teeth, turn))
    g = art.cut(g, art.circle(cx, cy, hole))
    if shadow:
        art.shadow(g, 0.9, 1.1, 0.9, 0.4)
    dark, mid, pale = body
    art.paint(g, art.linear((cx - r_tip, cy - r_tip), (cx + r_tip, cy + r_tip),
                            [(0, pale), (0.5, mid), (1, dark)]))
    # Recessed web between rim and hub.
    web = art.cut(art.circle(cx, cy, r_root * 0.74), art.circle(cx, cy, hole + r_root * 0.2))
    art.paint(web, art.linear((cx + r_tip, cy + r_tip), (cx - r_tip, cy - r_tip),
                              [(0, pale), (0.55, mid), (1, dark)]), 0.85)
    art.paint(art.ring(art.circle(cx, cy, r_root * 0.74), 0.45), dark, 0.5)
    # Highlights on the upper left, shade on the lower right.
    art.paint(art.ring(g, 0.55), art.linear((cx - r_tip, cy - r_tip), (cx + r_tip, cy + r_tip),
                                            [(0, WHITE + (int(230 * light),)), (0.5, WHITE + (0,)),
                                             (0.51, NAVY + (0,)), (1, NAVY + (200,))]))
    art.paint(art.ring(art.circle(cx, cy, hole + 0.6), 0.6) if hole else art.blank(), dark, 0.7)


def turbine(art, cx, cy, r, turn, blades=8, shadow=True):
    """The engine: a turbine seen from the front, blades in a bright ring."""
    disc = art.circle(cx, cy, r)
    if shadow:
        art.shadow(disc, 0.8, 1.0, 0.9, 0.4)
    art.paint(disc, art.linear((cx, cy - r), (cx, cy + r), [(0, ICE), (0.45, SKY), (1, ROYAL)]))
    inner_r = r * 0.80
    inner = art.circle(cx, cy, inner_r)
    art.paint(inner, art.radial(cx, cy, inner_r, [(0, ROYAL), (0.7, DEEP), (1, (4, 8, 60))]))
    # Blades: curved sickles from the hub to the rim.
    for i in range(blades):
        a = turn + i * 2 * math.pi / blades
        pts = []
        n = 8
        for k in range(n + 1):
            f = k / n
            rr = inner_r * (0.28 + 0.70 * f)
            ang = a + 0.55 * f
            pts.append((cx + rr * math.cos(ang), cy + rr * math.sin(ang)))
        for k in range(n, -1, -1):
            f = k / n
            rr = inner_r * (0.28 + 0.70 * f)
            ang = a + 0.55 * f + 0.34 + 0.08 * f
            pts.append((cx + rr * math.cos(ang), cy + rr * math.sin(ang)))
        blade = art.meet(art.polygon(pts), inner)
        art.paint(blade, art.linear((cx - r, cy - r), (cx + r, cy + r),
                                    [(0, (200, 220, 255)), (0.5, BLUE), (1, ROYAL)]))
        art.paint(art.ring(blade, 0.3), WHITE, 0.35)
    hub_r = inner_r * 0.34
    hub = art.circle(cx, cy, hub_r)
    art.paint(hub, art.radial(cx - hub_r * 0.35, cy - hub_r * 0.35, hub_r * 1.4,
                              [(0, WHITE), (0.4, ICE), (1, STEEL)]))
    art.paint(art.ring(hub, 0.35), DEEP, 0.7)
    art.paint(art.ring(disc, 0.45), NAVY, 0.9)
    art.paint(art.ring(inner, 0.35), WHITE, 0.5)


def umbrella_stick(art, cx, top, span, shaft_to, hook=True):
    """Shaft and crook handle of the umbrella, drawn before anything that
    should stand in front of them."""
    shaft_w = max(0.9, span * 0.045)
    pts = [(cx, top), (cx, shaft_to)]
    if hook:
        hr = span * 0.11
        pts = [(cx, top), (cx, shaft_to - hr)]
        pts += [(cx - hr + hr * math.cos(math.pi * k / 10), shaft_to - hr + hr * math.sin(math.pi * k / 10))
                for k in range(0, 11)]
    art.paint(art.line(pts, shaft_w), art.linear((cx - 2, 0), (cx + 2, 0), [(0, STEEL), (0.5, DEEP), (1, NAVY)]))


def umbrella_canopy(art, cx, top, span, height, panels=6, outline=0.5):
    """The Ombrelle canopy: a dome in alternating blues over a scalloped
    hem, with a gloss on its upper left and a tip on top."""
    left = cx - span / 2
    base = top + height
    rx = span / 2
    pts = []
    for k in range(41):
        a = math.pi + math.pi * k / 40
        pts.append((cx + rx * math.cos(a), base + height * math.sin(a)))
    step = span / panels
    for p in range(panels - 1, -1, -1):
        x0 = left + p * step
        for k in range(8, -1, -1):
            f = k / 8
            pts.append((x0 + step * f, base - height * 0.16 * math.sin(math.pi * f)))
    canopy = art.polygon(pts)
    art.shadow(canopy, 0.5 * span / 40, 0.8 * span / 40, 0.6 * span / 40, 0.4)
    for p in range(panels):
        x0 = left + p * step
        # Ribs run from the tip through the hem points; the wedge reaches
        # past the dome so the curved sides are covered too.
        far = lambda x: (cx + (x - cx) * 3, top + (base - top) * 3)
        xa = x0 if p > 0 else x0 - span
        xb = x0 + step if p < panels - 1 else x0 + step + span
        wedge = art.polygon([(cx, top - 1), far(xa), far(xb)])
        if p % 2 == 0:
            colour = [(0, ICE), (0.45, SKY), (1, BLUE)]
        else:
            colour = [(0, BLUE), (0.5, ROYAL), (1, NAVY)]
        art.paint(art.meet(wedge, canopy), art.linear((cx, top), (cx, base), colour))
    gloss = art.meet(canopy, art.ellipse((cx - rx * 0.85, top + height * 0.08,
                                          cx + rx * 0.30, top + height * 0.70)))
    art.paint(gloss, art.linear((cx, top), (cx, top + height * 0.7), [(0, WHITE + (110,)), (1, WHITE + (0,))]))
    if outline:
        art.paint(art.ring(canopy, outline), NAVY, 0.9)
    shaft_w = max(0.9, span * 0.045)
    art.paint(art.line([(cx, top - height * 0.22), (cx, top + 0.5)], shaft_w * 1.1), NAVY)


def umbrella(art, cx, top, span, height, shaft_to, panels=6, outline=0.5):
    umbrella_stick(art, cx, top, span, shaft_to)
    umbrella_canopy(art, cx, top, span, height, panels, outline)


def landscape(art, b, radius=1.0, frame=1.0, sun=True):
    """A framed wallpaper: sky, sun, mountains and a hill."""
    x0, y0, x1, y1 = b
    w, h = x1 - x0, y1 - y0
    outer = art.rrect(b, radius)
    art.shadow(outer, 0.7, 0.9, 0.8, 0.4)
    art.paint(outer, art.linear((x0, y0), (x1, y1), [(0, WHITE), (1, (200, 208, 228))]))
    ib = (x0 + frame, y0 + frame, x1 - frame, y1 - frame)
    inner = art.rect(ib)
    ix0, iy0, ix1, iy1 = ib
    iw, ih = ix1 - ix0, iy1 - iy0
    art.paint(inner, art.linear((0, iy0), (0, iy1), [(0, ROYAL), (0.6, SKY), (1, ICE)]))
    if sun:
        sr = ih * 0.16
        sx, sy = ix0 + iw * 0.74, iy0 + ih * 0.28
        art.paint(art.meet(art.circle(sx, sy, sr * 1.9), inner), art.radial(sx, sy, sr * 1.9,
                  [(0, SUN + (200,)), (1, SUN + (0,))]))
        art.paint(art.circle(sx, sy, sr), art.radial(sx - sr * 0.3, sy - sr * 0.3, sr * 1.3,
                  [(0, (255, 250, 220)), (0.6, GOLD), (1, (240, 150, 30))]))
    far = art.polygon([(ix0, iy0 + ih * 0.72), (ix0 + iw * 0.22, iy0 + ih * 0.40), (ix0 + iw * 0.36, iy0 + ih * 0.56),
                       (ix0 + iw * 0.55, iy0 + ih * 0.33), (ix0 + iw * 0.80, iy0 + ih * 0.66), (ix1, iy0 + ih * 0.58),
                       (ix1, iy1), (ix0, iy1)])
    art.paint(art.meet(far, inner), art.linear((0, iy0 + ih * 0.3), (0, iy1), [(0, BLUE), (1, ROYAL)]))
    snow = art.polygon([(ix0 + iw * 0.55, iy0 + ih * 0.33), (ix0 + iw * 0.47, iy0 + ih * 0.45),
                        (ix0 + iw * 0.55, iy0 + ih * 0.42), (ix0 + iw * 0.62, iy0 + ih * 0.44)])
    art.paint(art.meet(snow, inner), ICE, 0.9)
    near = art.polygon([(ix0, iy0 + ih * 0.80)] +
                       [(ix0 + iw * k / 10, iy0 + ih * (0.80 - 0.14 * math.sin(math.pi * k / 10))) for k in range(11)] +
                       [(ix1, iy1), (ix0, iy1)])
    art.paint(art.meet(near, inner), art.linear((0, iy0 + ih * 0.65), (0, iy1), [(0, ROYAL), (1, NAVY)]))
    art.paint(art.ring(outer, 0.5), DEEP, 0.9)


# ---------------------------------------------------------------------------
# The pictures
# ---------------------------------------------------------------------------

def wallpaper_icon():
    art = Art(41, 41)
    back = Art(41, 41)
    landscape(back, (9, 4, 38, 28), 1.2, 2.0, sun=False)
    art.layer(back, angle=10, centre=(23, 16))
    landscape(art, (2, 12, 34, 37), 1.2, 2.2)
    return art.result()


def settings_icon():
    art = Art(41, 41)
    steel = (DEEP, BLUE, ICE)
    pale = (ROYAL, SKY, WHITE)
    draw_gear(art, 15.5, 16, 14.5, 11.4, 10, 0.12, 4.2, steel)
    draw_gear(art, 31, 30.5, 9.2, 7.0, 8, 0.05, 2.6, pale)
    return art.result()


def engine_icon():
    art = Art(41, 41)
    turbine(art, 20, 20, 18.2, 0.3)
    return art.result()


def logo_frames(count=29):
    """The running engine: a turning turbine blowing three waves to the
    right. Over the loop the turbine turns by one blade and each wave moves
    on by whole periods, so the last frame leads back into the first."""
    frames = []
    blades = 8
    for f in range(count):
        art = Art(60, 25)
        phase = 2 * math.pi * f / count
        for n, (yc, amp, period, width, colour, speed) in enumerate((
                (7.0, 1.6, 16.0, 1.8, TITLE, 1),
                (12.5, 2.2, 20.0, 2.3, BLUE, 1),
                (18.0, 1.6, 16.0, 1.8, TITLE, 1))):
            pts = []
            x = 21.0
            while x <= 58.5:
                fade = min(1.0, (x - 21) / 8)
                y = yc + amp * fade * math.sin(2 * math.pi * (x - 21) / period - speed * phase + n)
                pts.append((x, y))
                x += 0.25
            m = art.line(pts, width)
            art.paint(m, art.linear((21, 0), (59, 0), [(0, colour + (255,)), (0.75, colour + (255,)),
                                                       (1, colour + (0,))]))
        turbine(art, 12.5, 12.5, 11.6, 2 * math.pi / blades * f / count, blades, shadow=False)
        frames.append(art.result())
    return frames


def about_logo():
    art = Art(270, 50, ss=4)
    umbrella(art, 26, 6.5, 44, 17, 44, panels=6, outline=0.7)
    letters = art.text(56, 41, "Ombrelle", "DejaVuSerif-Bold.ttf", 40, anchor="ls")
    art.shadow(letters, 1.4, 1.6, 1.0, 0.4)
    art.paint(art.grow(letters, 0.8), WHITE, 0.85)
    art.paint(letters, art.linear((0, 10), (0, 42), [(0, TITLE), (1, NAVY)]))
    art.paint(art.meet(letters, art.rect((0, 0, 270, 24))), WHITE, 0.18)
    rule = art.rrect((58, 44, 262, 46), 1)
    art.paint(rule, art.linear((58, 0), (262, 0), [(0, NAVY), (0.6, TITLE), (1, TITLE + (0,))]))
    return art.result()


def product_art(art, u):
    """The program's own picture on a 48-unit square scaled by `u`: a
    wallpaper sheltered by the Ombrelle umbrella."""
    umbrella_stick(art, 24 * u, 5 * u, 40 * u, 30 * u, hook=False)
    landscape(art, (5 * u, 19 * u, 45 * u, 45 * u), 2 * u, 1.6 * u)
    umbrella_canopy(art, 24 * u, 4 * u, 42 * u, 15 * u, panels=6, outline=0.5 * u)


def about_icon():
    art = Art(73, 73)
    product_art(art, 73 / 48)
    return art.result()


def product_icon(size):
    art = Art(size, size, ss=max(8, 384 // size))
    if size <= 16:
        # The small icon keeps only what still reads at 16 pixels.
        panel = art.rrect((1, 7, 16, 16), 1.5)
        art.paint(panel, art.linear((0, 7), (0, 16), [(0, SKY), (1, ROYAL)]))
        art.paint(art.ring(panel, 0.9), DEEP)
        umbrella(art, 7.5, 1.3, 14.5, 5.6, 14.5, panels=4, outline=0.7)
    else:
        product_art(art, size / 48)
    return art.result()


def about_small():
    art = Art(32, 32)
    globe = art.circle(13, 13, 11.5)
    art.shadow(globe, 0.7, 0.9, 0.8, 0.4)
    art.paint(globe, art.radial(9.5, 9, 16, [(0, ICE), (0.35, SKY), (0.8, ROYAL), (1, DEEP)]))
    grid = art.blank()
    for k in (-0.55, 0, 0.55):
        grid = art.join(grid, art.cut(art.ellipse((13 - 11.5 * abs(k) - 0.4 if k else 12.6, 1.5, 13 + 11.5 * abs(k) + 0.4
                                                   if k else 13.4, 24.5)),
                                      art.ellipse((13 - 11.5 * abs(k) + 0.4, 2.3, 13 + 11.5 * abs(k) - 0.4, 23.7))
                                      if k else art.blank()))
    for y in (7.5, 13, 18.5):
        grid = art.join(grid, art.rect((1, y - 0.35, 25, y + 0.35)))
    art.paint(art.meet(grid, globe), WHITE, 0.55)
    art.paint(art.ring(globe, 0.6), NAVY, 0.9)
    env = art.rrect((15, 18, 31, 29.5), 0.8)
    art.shadow(env, 0.6, 0.8, 0.6, 0.4)
    art.paint(env, art.linear((15, 18), (31, 30), [(0, WHITE), (1, (214, 220, 236))]))
    flap = art.line([(15.8, 18.8), (23, 24.5), (30.2, 18.8)], 0.9, round_ends=False)
    art.paint(art.meet(flap, env), ROYAL, 0.9)
    art.paint(art.ring(env, 0.6), DEEP)
    return art.result()


def bullet():
    art = Art(9, 11)
    arrow = art.polygon([(1.2, 1.0), (8.2, 5.5), (1.2, 10.0)])
    art.paint(arrow, art.linear((1, 1), (8, 10), [(0, SKY), (0.5, BLUE), (1, NAVY)]))
    art.paint(art.ring(arrow, 0.7), NAVY, 0.8)
    return art.result()


# Glyphs -------------------------------------------------------------------

def badge(art, cx, cy, r, colours):
    disc = art.circle(cx, cy, r)
    art.shadow(disc, 0.4, 0.6, 0.5, 0.4)
    dark, mid, pale = colours
    art.paint(disc, art.radial(cx - r * 0.35, cy - r * 0.4, r * 1.6, [(0, pale), (0.55, mid), (1, dark)]))
    art.paint(art.ring(disc, 0.5), dark)
    return disc


GREENS = ((20, 100, 30), GREEN, (190, 245, 170))
REDS = ((130, 20, 20), RED, (255, 190, 180))
BLUES = (NAVY, BLUE, ICE)


def mini_picture(art, b):
    landscape(art, b, 0.6, 1.0, sun=True)


def glyph_add():
    art = Art(18, 18)
    mini_picture(art, (1, 2, 14, 13))
    badge(art, 12.5, 12.5, 5, GREENS)
    art.paint(art.join(art.rect((10, 11.9, 15, 13.1)), art.rect((11.9, 10, 13.1, 15))), WHITE)
    return art.result()


def glyph_remove():
    art = Art(18, 18)
    mini_picture(art, (1, 2, 14, 13))
    badge(art, 12.5, 12.5, 5, REDS)
    art.paint(art.rect((10, 11.9, 15, 13.1)), WHITE)
    return art.result()


def cross(art, cx, cy, h, w):
    return art.join(art.line([(cx - h, cy - h), (cx + h, cy + h)], w), art.line([(cx - h, cy + h), (cx + h, cy - h)], w))


def glyph_clear():
    art = Art(18, 18)
    mini_picture(art, (3.5, 0.8, 16, 10.5))
    mini_picture(art, (1, 3.5, 13.5, 13.5))
    badge(art, 12.5, 12.5, 5, REDS)
    art.paint(cross(art, 12.5, 12.5, 2.0, 1.3), WHITE)
    return art.result()


def glyph_about():
    art = Art(18, 18)
    badge(art, 8.6, 8.6, 7.6, BLUES)
    art.paint(art.circle(8.6, 4.9, 1.3), WHITE)
    art.paint(art.rrect((7.5, 7.2, 9.8, 13.6), 0.5), WHITE)
    return art.result()


def glyph_close():
    art = Art(18, 18)
    frame = art.rect((2, 1, 12, 17))
    art.shadow(frame, 0.4, 0.5, 0.5, 0.4)
    art.paint(frame, art.linear((2, 1), (12, 17), [(0, ICE), (1, (150, 160, 190))]))
    art.paint(art.ring(frame, 0.6), DEEP)
    door = art.polygon([(2.6, 1.6), (8.2, 3.2), (8.2, 17.6), (2.6, 16.4)])
    art.paint(door, art.linear((2, 0), (8, 0), [(0, ROYAL), (1, NAVY)]))
    art.paint(art.circle(7.0, 9.8, 0.7), GOLD)
    arrow = art.polygon([(9.5, 7.6), (13.2, 7.6), (13.2, 5.2), (17.4, 9), (13.2, 12.8), (13.2, 10.4), (9.5, 10.4)])
    art.shadow(arrow, 0.4, 0.5, 0.4, 0.4)
    art.paint(arrow, art.linear((9, 5), (17, 13), [(0, (190, 245, 170)), (1, (20, 120, 30))]))
    art.paint(art.ring(arrow, 0.45), (20, 90, 30))
    return art.result()


def glyph_ok():
    art = Art(18, 18)
    tick = art.line([(2.8, 9.6), (7.0, 13.8), (15.2, 4.0)], 2.8)
    art.shadow(tick, 0.5, 0.7, 0.5, 0.4)
    art.paint(tick, art.linear((3, 4), (15, 14), [(0, (150, 230, 130)), (1, (20, 120, 30))]))
    art.paint(art.ring(tick, 0.5), (20, 90, 30), 0.9)
    return art.result()


def glyph_start():
    art = Art(18, 18)
    badge(art, 8.8, 8.8, 7.8, GREENS)
    art.paint(art.polygon([(6.8, 4.6), (13.0, 8.8), (6.8, 13.0)]), WHITE)
    return art.result()


def glyph_stop():
    art = Art(18, 18)
    badge(art, 8.8, 8.8, 7.8, REDS)
    art.paint(art.rrect((5.6, 5.6, 12.0, 12.0), 0.6), WHITE)
    return art.result()


def thumb(hot):
    art = Art(18, 18)
    knob = art.circle(8.8, 8.8, 7.2)
    art.shadow(knob, 0.4, 0.7, 0.6, 0.4)
    if hot:
        art.paint(art.circle(8.8, 8.8, 8.6), art.radial(8.8, 8.8, 8.6, [(0, TITLE + (200,)), (0.8, TITLE + (120,)),
                                                                         (1, TITLE + (0,))]))
    art.paint(knob, art.radial(6.8, 6.4, 11, [(0, WHITE), (0.45, ICE if not hot else (200, 215, 255)),
                                              (1, STEEL if not hot else BLUE)]))
    art.paint(art.ring(knob, 0.7), DEEP if not hot else NAVY)
    dot = art.circle(8.8, 8.8, 2.4)
    art.paint(dot, art.radial(8.2, 8.2, 3, [(0, SKY if not hot else TITLE), (1, ROYAL if not hot else NAVY)]))
    return art.result()


def disabled(img):
    """The disabled form of a glyph: grey, lighter and flatter, so it reads
    as unavailable next to the coloured one."""
    out = Image.new("RGBA", img.size)
    px = []
    for r, g, b, a in img.getdata():
        lum = (r * 299 + g * 587 + b * 114) // 1000
        v = 140 + lum * 95 // 255
        px.append((v, v, v, a))
    out.putdata(px)
    return out


# ---------------------------------------------------------------------------
# Colour reduction
# ---------------------------------------------------------------------------

def blend(c, a, matte):
    return tuple((c[i] * a + matte[i] * (255 - a) + 127) // 255 for i in range(3))


def to_indexed(img, map_size, transparent, matte, cut=128):
    """Reduces an RGBA picture to `map_size` colours with index
    `transparent` reserved for see-through pixels. Edge pixels that are kept
    are blended over `matte`, the colour they will mostly stand on.
    Returns (indices, palette of map_size RGB triples)."""
    pixels = list(img.getdata())
    opaque = [blend(p[:3], p[3], matte) for p in pixels if p[3] >= cut]
    colours = sorted(set(opaque), key=lambda c: (c[0] * 299 + c[1] * 587 + c[2] * 114, c))
    limit = map_size - 1
    if len(colours) <= limit:
        chosen = colours
        lookup = {c: i for i, c in enumerate(chosen)}
        opaque_idx = [lookup[c] for c in opaque]
    else:
        strip = Image.new("RGB", (len(opaque), 1))
        strip.putdata(opaque)
        q = strip.quantize(colors=limit, method=Image.Quantize.MEDIANCUT, kmeans=4, dither=Image.Dither.NONE)
        pal = q.getpalette()[:3 * limit]
        used = sorted(set(q.getdata()))
        chosen = [tuple(pal[3 * i:3 * i + 3]) for i in used]
        remap = {old: new for new, old in enumerate(used)}
        opaque_idx = [remap[i] for i in q.getdata()]
    slots = [i for i in range(map_size) if i != transparent]
    palette = [(0, 0, 0)] * map_size
    for k, c in enumerate(chosen):
        palette[slots[k]] = c
    palette[transparent] = matte
    indices = []
    it = iter(opaque_idx)
    for p in pixels:
        indices.append(slots[next(it)] if p[3] >= cut else transparent)
    return indices, palette


# ---------------------------------------------------------------------------
# GIF writer
# ---------------------------------------------------------------------------

def lzw(indices, min_code_size):
    """GIF flavour of LZW: variable code width from min_code_size + 1 up to
    12 bits, codes packed from the least significant bit, a clear code first
    and whenever the table is full, the end code last."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    acc = 0
    nbits = 0

    def emit(code, width):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    width = min_code_size + 1
    table = {}
    next_code = end + 1
    emit(clear, width)
    prefix = indices[0]
    for k in indices[1:]:
        key = (prefix, k)
        code = table.get(key)
        if code is not None:
            prefix = code
            continue
        emit(prefix, width)
        if next_code < 4096:
            table[key] = next_code
            next_code += 1
            # The reader widens its codes once its table would need the
            # next bit; it adds each entry one code later than we do.
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table = {}
            next_code = end + 1
            width = min_code_size + 1
        prefix = k
    emit(prefix, width)
    emit(end, width)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def interlaced_rows(height):
    order = []
    for start, step in ((0, 8), (4, 8), (2, 4), (1, 2)):
        order.extend(range(start, height, step))
    return order


def map_bits(palette):
    n = len(palette)
    bits = n.bit_length() - 1
    assert 1 << bits == n and 2 <= n <= 256, "colour maps hold 2 to 256 colours, a power of two"
    return bits


def colour_table(palette):
    return b"".join(bytes(c) for c in palette)


def u16(v):
    return bytes((v & 0xFF, v >> 8))


def write_gif(path, width, height, global_palette, frames, background, loops=None):
    """frames: dicts with indices, palette (None: use the global map),
    interlace, delay, disposal, transparent, min_code_size."""
    out = bytearray(b"GIF89a")
    gbits = map_bits(global_palette)
    out += u16(width) + u16(height)
    out.append(0x80 | (7 << 4) | (gbits - 1))
    out.append(background)
    out.append(0)
    out += colour_table(global_palette)
    for n, fr in enumerate(frames):
        if n == 0 and loops is not None:
            out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01" + u16(loops) + b"\x00"
        packed = (fr["disposal"] << 2) | 1
        out += b"\x21\xF9\x04" + bytes((packed,)) + u16(fr["delay"]) + bytes((fr["transparent"], 0))
        out += b"\x2C" + u16(0) + u16(0) + u16(width) + u16(height)
        flags = 0x40 if fr["interlace"] else 0
        if fr["palette"] is not None:
            flags |= 0x80 | (map_bits(fr["palette"]) - 1)
        out.append(flags)
        if fr["palette"] is not None:
            out += colour_table(fr["palette"])
        rows = interlaced_rows(height) if fr["interlace"] else range(height)
        idx = fr["indices"]
        ordered = [v for r in rows for v in idx[r * width:(r + 1) * width]]
        out.append(fr["min_code_size"])
        out += sub_blocks(lzw(ordered, fr["min_code_size"]))
    out += b"\x3B"
    with open(path, "wb") as f:
        f.write(out)


def single_gif(path, img, transparent, interlace, matte):
    idx, pal = to_indexed(img, 256, transparent, matte)
    write_gif(path, img.width, img.height, pal,
              [dict(indices=idx, palette=None, interlace=interlace, delay=0, disposal=2,
                    transparent=transparent, min_code_size=8)], background=transparent)


def animated_gif(path, frames, transparent, matte):
    parts = [to_indexed(f, 32, transparent, matte) for f in frames]
    global_palette = parts[0][1]
    write_gif(path, frames[0].width, frames[0].height, global_palette,
              [dict(indices=idx, palette=None if n == 0 else pal, interlace=False, delay=4, disposal=2,
                    transparent=transparent, min_code_size=5)
               for n, (idx, pal) in enumerate(parts)], background=transparent, loops=0)


# ---------------------------------------------------------------------------
# Icon and bitmap writers
# ---------------------------------------------------------------------------

def dib_rows(width, height, row_bytes):
    """Rows of a device-independent bitmap run bottom-up, each padded to a
    multiple of four bytes."""
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = row_bytes(y)
        out += row + b"\x00" * ((4 - len(row) % 4) % 4)
    return bytes(out)


def info_header(width, height, bits, image_size, colours):
    return (u32(40) + u32(width) + u32(height) + u16(1) + u16(bits) + u32(0) + u32(image_size)
            + u32(0) + u32(0) + u32(colours) + u32(0))


def u32(v):
    return v.to_bytes(4, "little", signed=v < 0)


def write_ico(path, images):
    """An icon file of 256-colour images; index 0 is black and stands under
    every see-through pixel, which the AND mask leaves to the background."""
    entries = []
    blobs = []
    for img in images:
        w, h = img.size
        idx, pal = to_indexed(img, 256, 0, (0, 0, 0), cut=128)
        pal[0] = (0, 0, 0)
        xor = dib_rows(w, h, lambda y: bytes(idx[y * w:(y + 1) * w]))

        def mask_row(y):
            bits = bytearray((w + 7) // 8)
            for x in range(w):
                if img.getpixel((x, y))[3] < 128:
                    bits[x // 8] |= 0x80 >> (x % 8)
            return bytes(bits)

        andm = dib_rows(w, h, mask_row)
        blob = info_header(w, 2 * h, 8, len(xor) + len(andm), 256)
        blob += b"".join(bytes((b, g, r, 0)) for r, g, b in pal) + xor + andm
        entries.append((w, h))
        blobs.append(blob)
    out = bytearray(u16(0) + u16(1) + u16(len(images)))
    offset = 6 + 16 * len(images)
    for (w, h), blob in zip(entries, blobs):
        out += bytes((w % 256, h % 256, 0, 0)) + u16(1) + u16(8) + u32(len(blob)) + u32(offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


def write_bmp24(path, img, key=GLYPH_KEY, matte=(224, 224, 224)):
    """A 24-bit bitmap with see-through pixels in the key colour, which
    the buttons take from the lower-left pixel."""
    w, h = img.size
    px = list(img.getdata())
    keyish = {key}

    def colour(p):
        if p[3] < 128:
            return key
        c = blend(p[:3], p[3], matte)
        return c if c not in keyish else (254, 0, 254)

    rows = dib_rows(w, h, lambda y: b"".join(bytes(colour(px[y * w + x])[::-1]) for x in range(w)))
    out = b"BM" + u32(14 + 40 + len(rows)) + u32(0) + u32(54)
    out += info_header(w, h, 24, len(rows), 0) + rows
    with open(path, "wb") as f:
        f.write(out)


def side_by_side(a, b):
    out = Image.new("RGBA", (a.width + b.width, max(a.height, b.height)), (0, 0, 0, 0))
    out.paste(a, (0, 0))
    out.paste(b, (a.width, 0))
    return out


# ---------------------------------------------------------------------------
# Preview
# ---------------------------------------------------------------------------

def preview(path, names):
    """A sheet of every picture as read back from the written files, scaled
    up four times, over the colours it stands on in the windows."""
    scale = 4
    tiles = []
    for name in names:
        full = os.path.join(HERE, name)
        im = Image.open(full)
        frames = []
        if name.endswith(".gif"):
            n = getattr(im, "n_frames", 1)
            for k in range(min(n, 8) if n > 1 else 1):
                im.seek(k * (n // 8) if n > 1 else 0)
                frames.append(im.convert("RGBA"))
        elif name.endswith(".ico"):
            for s in sorted(im.info.get("sizes", [])):
                frames.append(im.ico.getimage(s).convert("RGBA"))
        else:
            rgb = im.convert("RGB")
            keyc = rgb.getpixel((0, rgb.height - 1))
            rgba = rgb.convert("RGBA")
            rgba.putdata([(r, g, b, 0) if (r, g, b) == keyc else (r, g, b, 255) for r, g, b in rgb.getdata()])
            frames.append(rgba)
        tiles.append((name, frames))
    pad = 12
    width = 1400
    x, y, row_h = pad, pad, 0
    placed = []
    for name, frames in tiles:
        for f in frames:
            w, h = f.width * scale, f.height * scale
            if x + w + pad > width:
                x, y = pad, y + row_h + pad + 14
                row_h = 0
            placed.append((name, f, x, y))
            x += w + pad
            row_h = max(row_h, h)
    sheet = Image.new("RGBA", (width, y + row_h + pad + 14), (236, 233, 216, 255))
    band = Image.new("RGBA", (width, 1))
    band.putdata([(int(236 - (236 - 172) * i / width), int(233 - (233 - 168) * i / width),
                   int(216 - (216 - 153) * i / width), 255) for i in range(width)])
    sheet.paste(band.resize((width, sheet.height // 2)), (0, 0))
    d = ImageDraw.Draw(sheet)
    for name, f, px, py in placed:
        big = f.resize((f.width * scale, f.height * scale), Image.Resampling.NEAREST)
        sheet.alpha_composite(big, (px, py))
        d.text((px, py + big.height + 2), name, fill=(0, 0, 0, 255))
    sheet.convert("RGB").save(path)


# ---------------------------------------------------------------------------

HEADER_MATTE = (228, 226, 220)
BAND_MATTE = (184, 182, 176)
FACE_MATTE = (232, 230, 224)


def main(argv):
    out = lambda n: os.path.join(HERE, n)
    single_gif(out("wallpaper.gif"), wallpaper_icon(), 188, True, HEADER_MATTE)
    single_gif(out("settings.gif"), settings_icon(), 235, True, HEADER_MATTE)
    single_gif(out("engine.gif"), engine_icon(), 235, True, HEADER_MATTE)
    animated_gif(out("logo.gif"), logo_frames(), 31, FACE_MATTE)
    single_gif(out("about_logo.gif"), about_logo(), 235, True, BAND_MATTE)
    single_gif(out("about_icon.gif"), about_icon(), 255, False, BAND_MATTE)
    single_gif(out("about_small.gif"), about_small(), 0, False, FACE_MATTE)
    write_ico(out("Dorvane.ico"), [product_icon(16), product_icon(32), product_icon(48)])
    write_bmp24(out("bullet.bmp"), bullet())
    for name, fn in (("add", glyph_add), ("remove", glyph_remove), ("clear", glyph_clear),
                     ("about", glyph_about), ("close", glyph_close), ("ok", glyph_ok)):
        write_bmp24(out(name + ".bmp"), fn())
    for name, fn in (("start", glyph_start), ("stop", glyph_stop)):
        g = fn()
        write_bmp24(out(name + ".bmp"), side_by_side(g, disabled(g)))
    write_bmp24(out("thumb.bmp"), side_by_side(thumb(False), thumb(True)))
    if len(argv) > 2 and argv[1] == "--preview":
        preview(argv[2], ["wallpaper.gif", "settings.gif", "engine.gif", "logo.gif", "about_logo.gif",
                          "about_icon.gif", "about_small.gif", "Dorvane.ico", "bullet.bmp", "add.bmp",
                          "remove.bmp", "clear.bmp", "about.bmp", "close.bmp", "ok.bmp", "start.bmp",
                          "stop.bmp", "thumb.bmp"])


if __name__ == "__main__":
    main(sys.argv)
