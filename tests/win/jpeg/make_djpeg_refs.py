#!/usr/bin/env python3
"""Makes the pictures of the djpeg comparison test (JPEGDjpegTest.cpp).

Usage: make_djpeg_refs.py CJPEG DJPEG OUTDIR

Writes photo-like PPM/PGM pictures, compresses them with cjpeg into
OUTDIR/*.jpg and decodes each case with djpeg into OUTDIR/<case>.ppm (or
.pgm for grayscale output). The djpeg switches of each case match the libjpeg
fields that the test's settings make our decoder set (JPEGDecoder.cpp,
Setup). OUTDIR/cases.txt, written last, lists "case file.jpg reference" for
every case.
"""
import os
import random
import subprocess
import sys

WIDTH, HEIGHT = 203, 157  # odd sizes: partial MCUs at the right and bottom

# name: (source JPEG, djpeg switches). Our 24-bit default is libjpeg's
# default decode: accurate integer DCT, fancy upsampling, block smoothing.
CASES = {
    "default": ("photo.jpg", ["-dct", "int"]),
    # jpBestSpeed: JDCT_IFAST (the dither fields matter only when quantising)
    "fast": ("photo.jpg", ["-dct", "fast"]),
    "half": ("photo.jpg", ["-scale", "1/2"]),
    "quarter": ("photo.jpg", ["-scale", "1/4"]),
    "eighth": ("photo.jpg", ["-scale", "1/8"]),
    # A grayscale file decoded to 24 bits: the gray value in all three.
    "gray-file-24bit": ("gray.jpg", ["-rgb"]),
    # Grayscale output is always quantised to 236 levels (one-pass, since
    # the two-pass quantiser needs three channels; Floyd-Steinberg).
    "grayscale": ("photo.jpg", ["-grayscale", "-colors", "236"]),
    "progressive": ("progressive.jpg", []),
    # Buffered-image mode: the final pass uses the accurate settings again.
    "progressive-display": ("progressive.jpg", []),
    "progressive-display-8bit": ("progressive.jpg", ["-colors", "236"]),
    # A progressive file cut after its first scans: block smoothing (on by
    # default, in djpeg too) fills in the missing coefficients.
    "truncated-progressive": ("truncated.jpg", []),
    # Smoothing = false clears do_block_smoothing, for which djpeg has no
    # switch (its -nosmooth turns off fancy upsampling instead). Block
    # smoothing changes nothing in a complete file, so there the result must
    # be djpeg's default one.
    "no-smoothing": ("progressive.jpg", []),
    "8bit-two-pass": ("photo.jpg", ["-colors", "236"]),
    # jf8Bit with jpBestSpeed: one pass, ordered dither, fast DCT.
    "8bit-one-pass": ("photo.jpg", ["-colors", "236", "-onepass", "-dither", "ordered", "-dct", "fast"]),
}


def photo(gray):
    """Gradients with fine noise and a few hard edges, like MakePhoto."""
    rnd = random.Random(12345)
    out = bytearray()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            noise = rnd.randint(-8, 7)
            edge = 60 if (x // 25 + y // 25) % 3 == 0 else 0
            r = min(255, max(0, x * 255 // WIDTH + noise - edge))
            g = min(255, max(0, y * 255 // HEIGHT + noise + edge // 2))
            b = min(255, max(0, ((x ^ y) & 255) // 2 + 64 + noise))
            out += bytes([(r * 3 + g * 6 + b) // 10]) if gray else bytes([r, g, b])
    magic = b"P5" if gray else b"P6"
    return magic + b"\n%d %d\n255\n" % (WIDTH, HEIGHT) + bytes(out)


def main():
    cjpeg, djpeg, outdir = sys.argv[1:4]
    os.makedirs(outdir, exist_ok=True)
    path = lambda name: os.path.join(outdir, name)
    with open(path("photo.ppm"), "wb") as f:
        f.write(photo(False))
    with open(path("gray.pgm"), "wb") as f:
        f.write(photo(True))
    for name, source, switches in [
        ("photo.jpg", "photo.ppm", ["-quality", "85"]),  # baseline, 4:2:0
        ("gray.jpg", "gray.pgm", ["-quality", "85"]),
        ("progressive.jpg", "photo.ppm", ["-quality", "85", "-progressive"]),
    ]:
        subprocess.run([cjpeg, *switches, "-outfile", path(name), path(source)], check=True)
    with open(path("progressive.jpg"), "rb") as f:
        whole = f.read()
    with open(path("truncated.jpg"), "wb") as f:
        f.write(whole[: len(whole) * 2 // 5])

    lines = []
    for case, (source, switches) in CASES.items():
        # Grayscale output is a PGM file; everything else a PPM file.
        ref = case + (".pgm" if "-grayscale" in switches else ".ppm")
        result = subprocess.run([djpeg, *switches, "-outfile", path(ref), path(source)], stderr=subprocess.PIPE)
        # Exit status 2 is "finished with warnings": the truncated file.
        if result.returncode not in (0, 2) or (result.returncode == 2 and source != "truncated.jpg"):
            sys.exit("djpeg failed on %s: %s" % (case, result.stderr.decode(errors="replace")))
        lines.append("%s %s %s\n" % (case, source, ref))
    with open(path("cases.txt"), "w") as f:
        f.writelines(lines)


if __name__ == "__main__":
    main()
