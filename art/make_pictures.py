#!/usr/bin/python3
"""Draws the program's pictures: the splash, the two About pictures and the icon.

The pictures are committed under app/pictures/; this script is not part of the
build. Run it again after a change (needs python3-pil and the DejaVu fonts):

    /usr/bin/python3 art/make_pictures.py app/pictures
"""

import math
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONTS = Path("/usr/share/fonts/truetype/dejavu")

SCREEN = (8, 22, 30)
GRID = (22, 58, 66)
GRID_MAJOR = (34, 86, 94)
TRACE_COLOURS = [(60, 255, 90), (255, 214, 64), (64, 216, 255), (255, 120, 90)]
ACCENT = (220, 30, 30)


def font(name, size):
    return ImageFont.truetype(str(FONTS / name), size)


def square_wave(pattern, x0, width, y_high, y_low):
    """Corner points of a stair line through the bit pattern."""
    step = width / len(pattern)
    points = []
    for i, bit in enumerate(pattern):
        y = y_high if bit == "1" else y_low
        x = x0 + i * step
        if points and points[-1][1] != y:
            points.append((x, points[-1][1]))
        points.append((x, y))
        points.append((x + step, y))
    return points


def glow_line(image, points, colour, width):
    """A trace with a soft halo, as on a phosphor screen."""
    halo = Image.new("RGBA", image.size, (0, 0, 0, 0))
    ImageDraw.Draw(halo).line(points, fill=colour + (150,), width=width + 4, joint="curve")
    halo = halo.filter(ImageFilter.GaussianBlur(3))
    image.alpha_composite(halo)
    ImageDraw.Draw(image).line(points, fill=colour + (255,), width=width, joint="curve")


def draw_grid(draw, box, step):
    left, top, right, bottom = box
    for i, x in enumerate(range(left, right + 1, step)):
        draw.line([(x, top), (x, bottom)], fill=GRID_MAJOR if i % 5 == 0 else GRID)
    for i, y in enumerate(range(top, bottom + 1, step)):
        draw.line([(left, y), (right, y)], fill=GRID_MAJOR if i % 5 == 0 else GRID)


def db25(draw, x, y, scale):
    """The 25-pin connector, seen from the front."""
    w, h = 150 * scale, 34 * scale
    shell = [(x, y), (x + w, y), (x + w - 12 * scale, y + h), (x + 12 * scale, y + h)]
    draw.polygon(shell, fill=(150, 156, 164), outline=(230, 232, 236))
    for i in range(13):
        cx = x + 16 * scale + i * 9.8 * scale
        draw.ellipse([cx - 3 * scale, y + 7 * scale, cx + 3 * scale, y + 13 * scale],
                     fill=(40, 40, 44))
    for i in range(12):
        cx = x + 21 * scale + i * 9.8 * scale
        draw.ellipse([cx - 3 * scale, y + 20 * scale, cx + 3 * scale, y + 26 * scale],
                     fill=(40, 40, 44))


def splash(out):
    width, height = 446, 295
    image = Image.new("RGBA", (width, height))
    draw = ImageDraw.Draw(image)
    for y in range(height):
        t = y / height
        draw.line([(0, y), (width, y)],
                  fill=(int(6 + 10 * t), int(16 + 18 * t), int(28 + 20 * t), 255))
    screen = (18, 18, 428, 196)
    draw.rectangle(screen, fill=SCREEN + (255,), outline=(90, 120, 130))
    draw_grid(draw, screen, 10)

    labels = ["D0", "D1", "D2", "S3", "S7", "C0"]
    patterns = [
        "0101010101010101010101010101010101",
        "0011001100110011001100110011001100",
        "0000111100001111000011110000111100",
        "1110001011011100010110111000101101",
        "1100000000111111111100000000001111",
        "0111111111111111011111111111111110",
    ]
    label_font = font("DejaVuSansMono-Bold.ttf", 10)
    for row, (label, pattern) in enumerate(zip(labels, patterns)):
        top = screen[1] + 10 + row * 29
        colour = TRACE_COLOURS[row % len(TRACE_COLOURS)]
        draw.text((screen[0] + 5, top + 4), label, font=label_font, fill=colour + (255,))
        points = square_wave(pattern, screen[0] + 32, screen[2] - screen[0] - 40, top, top + 16)
        glow_line(image, points, colour, 2)
    draw = ImageDraw.Draw(image)
    # A cursor line over the traces, as when a cycle is picked out.
    draw.line([(300, screen[1] + 2), (300, screen[3] - 2)], fill=(255, 255, 255, 160), width=1)

    title_font = font("DejaVuSans-Bold.ttf", 40)
    title = "VOLTARIX"
    box = draw.textbbox((0, 0), title, font=title_font)
    tx = 22
    shadow = Image.new("RGBA", image.size, (0, 0, 0, 0))
    ImageDraw.Draw(shadow).text((tx + 2, 204), title, font=title_font, fill=(0, 0, 0, 200))
    image.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(2)))
    draw = ImageDraw.Draw(image)
    draw.text((tx, 202), title, font=title_font, fill=(236, 242, 246, 255))
    draw.line([(tx, 252), (tx + box[2] - box[0], 252)], fill=ACCENT + (255,), width=3)
    sub_font = font("DejaVuSans.ttf", 13)
    draw.text((tx, 258), "Логический анализатор LPT-порта", font=sub_font,
              fill=(180, 214, 224, 255))
    draw.text((tx, 275), "17 каналов  •  регистры  •  EPP", font=font("DejaVuSans.ttf", 11),
              fill=(120, 160, 172, 255))
    db25(draw, 262, 222, 1.05)
    for i in range(8):
        x = 282 + i * 15
        draw.line([(x, 222), (x, 208)], fill=(200, 170, 90, 255), width=2)
    image.convert("RGB").save(out / "splash.jpg", quality=90, optimize=True)


def logo_mark(size):
    """The program's mark: a screen with a stair line and a probe tip."""
    scale = 8
    big = size * scale
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    margin = big * 0.06
    radius = big * 0.18
    draw.rounded_rectangle([margin, margin, big - margin, big - margin], radius=radius,
                           fill=(16, 34, 44, 255), outline=(120, 150, 160, 255),
                           width=max(1, int(big * 0.04)))
    inner = [big * 0.18, big * 0.2, big * 0.82, big * 0.8]
    for i in range(1, 4):
        y = inner[1] + (inner[3] - inner[1]) * i / 4
        draw.line([(inner[0], y), (inner[2], y)], fill=(36, 80, 88, 255), width=max(1, big // 64))
    line_width = max(2, int(big * 0.055))
    wave = square_wave("0110100", inner[0], inner[2] - inner[0], big * 0.27, big * 0.45)
    draw.line(wave, fill=TRACE_COLOURS[0] + (255,), width=line_width, joint="curve")
    wave = square_wave("1001011", inner[0], inner[2] - inner[0], big * 0.57, big * 0.73)
    draw.line(wave, fill=TRACE_COLOURS[1] + (255,), width=line_width, joint="curve")
    return image.resize((size, size), Image.LANCZOS)


def about_logo(out):
    """The 132 x 34 word mark for the About window."""
    scale = 4
    w, h = 132 * scale, 34 * scale
    image = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    word_font = font("DejaVuSans-Bold.ttf", 24 * scale)
    draw.text((2 * scale, -1 * scale), "VOLTARIX", font=word_font, fill=(20, 40, 110, 255))
    wave = square_wave("0101100110", 2 * scale, 128 * scale, 28 * scale, 32 * scale)
    draw.line(wave, fill=(0, 150, 60, 255), width=2 * scale)
    image.resize((132, 34), Image.LANCZOS).save(out / "about_logo.png")


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "app/pictures")
    out.mkdir(parents=True, exist_ok=True)
    splash(out)
    logo_mark(32).save(out / "about_mark.png")
    about_logo(out)
    for size in (32, 48, 256):
        logo_mark(size).save(out / f"voltarix_{size}.png")


if __name__ == "__main__":
    main()
