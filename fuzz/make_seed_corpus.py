#!/usr/bin/env python3
"""Writes the seed corpus of the converter core fuzzer into fuzz/corpus/.

Each seed is a script in the fuzzer's input encoding (see operation_script.h):
the worked examples of the converter, the select-all / clear and pin-click
sequences, and a few long pastes. Run it again after changing the list and
commit its output; the files it writes are the corpus regression test.
"""

import pathlib


def number(value):
    """An unsigned LEB128 number."""
    out = bytearray()
    while True:
        byte = value & 0x7F
        value >>= 7
        if value:
            out.append(byte | 0x80)
        else:
            out.append(byte)
            return bytes(out)


def typed(op, text, repeat=None, append=False):
    if isinstance(text, str):
        text = text.encode()
    prefix = b"+" if append else b""
    if repeat is not None:
        prefix += b"*" + number(repeat)
    return prefix + op + number(len(text)) + text


def hex_box(text, **kw):
    return typed(b"x", text, **kw)


def decimal_box(text, **kw):
    return typed(b"d", text, **kw)


def binary_box(text, **kw):
    return typed(b"b", text, **kw)


CONVERT_HEX = b"H"
CONVERT_DECIMAL = b"D"
TOGGLE = b"T"


def click(*pins):
    return b"".join(str(pin).encode() for pin in pins)


SEEDS = {}

# Hexadecimal texts, each converted and then its own display converted again.
HEX_TEXTS = {
    "3F": "3F", "3f-lower-case": "3f", "0x1f-prefix": "0x1f", "00FF": "00FF",
    "ampersand-HFF": "&HFF", "minus-5": "-5", "blank-between-1-0": "1 0",
    "7FFFFFFF-largest-in-range": "7FFFFFFF", "80000000-out-of-range": "80000000",
    "FFFFFFFF": "FFFFFFFF", "123456789ABCDEF0-sixteen-digits": "123456789ABCDEF0",
    "0": "0", "0000": "0000", "xyz-no-digits": "xyz", "two-blanks": "  ",
    "000000001-leading-zeros": "000000001", "100-nine-binary-digits": "100",
    "C8": "C8", "utf8-letters-around-digits": "全3选F", "full-width-digits": "３Ｆ",
    "nul-and-high-bytes": b"\x00\xff3\x80F", "letters-after-F": "1G2gHz",
}
for name, text in HEX_TEXTS.items():
    SEEDS[f"hex-{name}"] = hex_box(text) + CONVERT_HEX + CONVERT_HEX

# Decimal texts: the accepted ones, the refused ones, and the convert again.
DECIMAL_TEXTS = {
    "200": "200", "0200-leading-zero": "0200", "256-nine-binary-digits": "256",
    "0": "0", "2147483647-largest": "2147483647", "2147483648-too-large": "2147483648",
    "minus-1": "-1", "blanks-plus-12": " +12 ", "tab-7-tab": "\t7\t", "two-blanks": "  ",
    "plus-alone": "+", "12.5-fraction": "12.5", "1e3-exponent": "1e3",
    "digit-grouping": "1,000", "full-width-digits": "２００", "twenty-nines": "9" * 20,
}
for name, text in DECIMAL_TEXTS.items():
    SEEDS[f"decimal-{name}"] = decimal_box(text) + CONVERT_DECIMAL + CONVERT_HEX

SEEDS.update({
    "empty-hex-warns": CONVERT_HEX + hex_box("") + CONVERT_HEX,
    "empty-decimal-warns": CONVERT_DECIMAL + decimal_box("") + CONVERT_DECIMAL,
    "typed-binary-survives-a-warning": binary_box("1111") + CONVERT_DECIMAL + CONVERT_HEX,
    "decimal-0200-on-pins-already-C8": decimal_box("200") + CONVERT_DECIMAL +
        decimal_box("0200") + CONVERT_DECIMAL + CONVERT_HEX,
    "decimal-256-on-P7-already-set": click(7) + decimal_box("256") + CONVERT_DECIMAL +
        CONVERT_HEX,
    "hex-100-on-P7-already-set": click(7) + hex_box("100") + CONVERT_HEX + CONVERT_HEX,
    "hex-0-after-pins-set": click(0, 5) + hex_box("0") + CONVERT_HEX,
    "decimal-0-after-pins-set": click(3) + decimal_box("0") + CONVERT_DECIMAL,
    "select-all": TOGGLE + CONVERT_HEX,
    "select-all-then-clear": TOGGLE + TOGGLE + CONVERT_HEX + CONVERT_DECIMAL,
    "clear-then-click-P3": TOGGLE + TOGGLE + click(3),
    "select-all-after-clicking-every-pin": click(0, 1, 2, 3, 4, 5, 6, 7) + TOGGLE + TOGGLE,
    "click-each-pin-twice": click(0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7),
    "unclick-after-select-all": TOGGLE + click(7, 0) + TOGGLE + TOGGLE,
    "conversion-after-select-all-keeps-caption": TOGGLE + hex_box("3") + CONVERT_HEX + TOGGLE,
    "decimal-overwrites-typed-hex": hex_box("zz") + decimal_box("5") + CONVERT_DECIMAL,
    "hex-overwrites-typed-decimal": decimal_box("abc") + hex_box("A") + CONVERT_HEX,
    # Long pastes, in the hundred-thousand-character range a user can paste.
    "long-hex-F": hex_box("F", repeat=100000) + CONVERT_HEX + CONVERT_HEX,
    "long-hex-zeros-then-1": hex_box("0", repeat=100000) + hex_box("1", append=True) +
        CONVERT_HEX + CONVERT_HEX,
    "long-hex-zeros": hex_box("0", repeat=100000) + CONVERT_HEX,
    "long-hex-utf8": hex_box("全选", repeat=20000) + CONVERT_HEX,
    "long-hex-mixed": hex_box("0x12 &Hab-", repeat=10000) + CONVERT_HEX + click(4),
    "long-decimal-leading-zeros": decimal_box("0", repeat=100000) +
        decimal_box("200", append=True) + CONVERT_DECIMAL + CONVERT_HEX,
    "long-decimal-blanks": decimal_box(" ", repeat=100000) + CONVERT_DECIMAL,
    "long-decimal-digits": decimal_box("9", repeat=100000) + CONVERT_DECIMAL,
    "long-binary-typed": binary_box("10", repeat=100000) + TOGGLE + click(2),
})


def main():
    corpus = pathlib.Path(__file__).resolve().parent / "corpus"
    # Only the seeds are rewritten: inputs kept from fuzzing runs stay.
    corpus.mkdir(exist_ok=True)
    for name, script in SEEDS.items():
        (corpus / name).write_bytes(script)
    print(f"wrote {len(SEEDS)} seeds to {corpus}")


if __name__ == "__main__":
    main()
