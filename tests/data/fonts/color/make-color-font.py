#!/usr/bin/python3
# Writes color-layers.ttf, the tests' colour font (python3-fonttools): one
# colour glyph at U+E000 made of two layers, a full square in the first
# palette's red and, over it, a half-size square in the text's own colour;
# U+E001 is an ordinary square. Run from this folder.
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables import C_O_L_R_, C_P_A_L_


def square(left, bottom, right, top):
    pen = TTGlyphPen(None)
    pen.moveTo((left, bottom))
    pen.lineTo((left, top))
    pen.lineTo((right, top))
    pen.lineTo((right, bottom))
    pen.closePath()
    return pen.glyph()


names = [".notdef", "colorBox", "plainBox", "layerFull", "layerInner"]
builder = FontBuilder(1000, isTTF=True)
builder.setupGlyphOrder(names)
builder.setupCharacterMap({0xE000: "colorBox", 0xE001: "plainBox"})
builder.setupGlyf({
    ".notdef": square(100, 0, 500, 700),
    "colorBox": square(0, 0, 1000, 1000),
    "plainBox": square(0, 0, 1000, 1000),
    "layerFull": square(0, 0, 1000, 1000),
    "layerInner": square(250, 250, 750, 750),
})
# Left side bearings are the outlines' left edges, as renderers expect.
glyf = builder.font["glyf"]
builder.setupHorizontalMetrics({name: (1000, glyf[name].xMin) for name in names})
builder.setupHorizontalHeader(ascent=1000, descent=-200)
builder.setupNameTable({"familyName": "Movane Test Color", "styleName": "Regular"})
builder.setupOS2(sTypoAscender=1000, sTypoDescender=-200, usWinAscent=1000, usWinDescent=200)
builder.setupPost()
builder.setupCOLR({"colorBox": [("layerFull", 0), ("layerInner", 0xFFFF)]}, version=0)
builder.setupCPAL([[(1.0, 0.0, 0.0, 1.0)]])
builder.save("color-layers.ttf")
