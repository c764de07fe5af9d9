#!/usr/bin/env python3
"""Writes the committed seed corpora, fuzz/corpus/<target>/. Each seed is laid out the way
the target reads it through FuzzedDataProvider (numbers from the end, strings from the
front), so it starts the fuzzer on the texts that matter; run again after changing the
order in which a target reads its input."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


class Input:
    """Bytes that FuzzedDataProvider hands back as the values written, in that order."""

    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in the order read, so reversed at the end

    def integral(self, lo, hi, value):
        assert lo <= value <= hi
        span, x, size = hi - lo, value - lo, 0
        while size < 8 and (span >> (8 * size)) > 0:
            size += 1
        for k in reversed(range(size)):
            self.back.append((x >> (8 * k)) & 0xFF)
        return self

    def int32(self, value):
        return self.integral(-2**31, 2**31 - 1, value)

    def boolean(self, value):
        return self.integral(0, 255, 1 if value else 0)

    def string(self, text, last=False):
        data = text.encode("latin-1") if isinstance(text, str) else text
        self.front += data.replace(b"\\", b"\\\\")
        if not last:
            self.front += b"\\|"  # a backslash and any other byte end the string
        return self

    def rest(self, text):
        self.front += text.encode("latin-1") if isinstance(text, str) else text
        return self

    def bytes(self):
        return bytes(self.front) + bytes(reversed(self.back))


def spin_value():
    INT_MIN, INT_MAX = -2**31, 2**31 - 1
    texts = ["0", "42", "-1", "+7", "  12", "-0", "2147483647", "-2147483648", "2147483648",
             "-2147483649", "$7FFFFFFF", "$80000000", "0xFFFFFFFF", "0x100000000",
             "x00000000000ff", "X1", "0X", "$", "", " ", "1 ", "12a", "--1", "0000000000000042"]
    numbers = [(0, 0, 5, 1), (1, 100, INT_MAX, 1), (INT_MIN, INT_MAX, INT_MIN, -1),
               (-5, -5, 7, INT_MIN)]
    for i, text in enumerate(texts):
        lo, hi, v, inc = numbers[i % len(numbers)]
        yield Input().int32(lo).int32(hi).int32(v).int32(inc).boolean(i % 2 == 0).rest(text)


def parameters():
    cases = [
        ("C:\\Work\\heavy", "C:\\Out\\heavy.vkpak", "Heavy Weapons", "Me", "1.0", "(c) 2024"),
        ("C:\\", "D:\\out dir\\", 'x" -flagdev -source "C:\\', "", "", ""),
        ("\\\\server\\share\\", "\\\\\\", '"', '""', '\\"', "a\\\\\\\"b"),
        (" lead and trail ", "tab\there", "%s%d%n", "100%", "\xe9\x80\xff", ""),
        ("", "", "", "", "", ""),
        ("a\0b", "\0", "-waitonexit", "-source", "'single'", "semi;colon&|<>^"),
    ]
    for i, fields in enumerate(cases):
        seed = Input().boolean(i & 1).boolean(i & 2).boolean(i & 4)
        seed.int32([0, 1, 3, -1, 2**31 - 1, -2**31][i % 6])
        for k, field in enumerate(fields):
            seed.string(field, last=k == len(fields) - 1)
        yield seed


def paths():
    cases = [
        (0, "C:\\Program Files\\Veskmaker\\Veskmaker.exe"), (0, "C:\\a.b\\noext"),
        (0, "C:x.exe"), (0, "Veskmaker.exe"), (0, "\\\\?\\C:\\long\\path\\x.exe"),
        (0, "\\\\srv\\share\\v.exe"), (0, "C:/fwd/x.exe"), (0, "C:\\dir\\file.exe:stream"),
        (0, "C:"), (0, ""), (0, ".ini"), (0, "C:\\dir.d\\"),
        (1, "C:\\\x81\\\\x.exe"), (1, "C:\\\x81.\\x"), (1, "C:\\name\x81"),
        (1, "C:\\\x95\\\\\x95\\"), (2, "\x81:\\x.exe"), (3, "C:\\\xe9\xe9.\\y.exe"),
    ]
    for mode, path in cases:
        yield Input().integral(0, 3, mode).rest(path)


def completion():
    items = ["C:\\Work\\heavy", "c:\\work\\light", "D:\\Out", "C:"]
    cases = [("C:\\W", 4, "o", items), ("c", 1, ":", items), ("", 0, "d", items),
             ("xyz", -2, "C", items), ("C:\\Work\\h", 300, "e", items), ("", 0, "\b", items),
             ("a", 0, "\t", ["ab"]), ("a", 1, "\x1b", ["ab"]), ("\xe9", 1, "\xc9", ["\xe9\xe9"])]
    for text, sel, typed, entries in cases:
        seed = Input().integral(-128, 127, ord(typed) - (256 if ord(typed) > 127 else 0))
        seed.integral(-2, 300, sel).integral(0, 7, 2)
        seed.string(text)
        for k, item in enumerate(entries):
            seed.string(item, last=k == len(entries) - 1)
        yield seed


def error_text():
    cases = [
        (0, 0xABCDEF, "EAccessViolation", "Veskmaker.exe", "Bad read"),
        (0, 0, "Exception", "m.exe", "done."), (0, 2**64 - 1, "%s", "%n%p.exe", "100%d"),
        (0, 1, "E", "x", ""), (1, 0x1000, "E", "x", "a\x81)"), (1, 0x1000, "E", "x", "a\x81"),
        (3, 0x10, "E", "x", "\x81)\x81)"), (2, 7, "E", "x", "Caf\xe9"),
    ]
    for mode, address, cls, module, message in cases:
        yield (Input().integral(0, 3, mode).integral(0, 2**64 - 1, address)
               .string(cls).string(module).rest(message))


def history_ini():
    def section(seed, name):
        known = {"source": 0, "out": 1, "SOURCE": 2}
        seed.integral(0, 3, known.get(name, 3))
        if name not in known:
            seed.string(name)

    def key(seed, number):
        seed.integral(0, 3, 0).integral(0, 41, number)

    def settings(seed, lines):
        seed.integral(0, 40, len(lines))
        for sec, number, value in lines:
            section(seed, sec)
            key(seed, number)
            seed.string(value)

    def add(seed, text, flip=False):
        seed.integral(0, 7, 0).string(text).boolean(flip)

    def load(seed, sec, fail_at=None):
        seed.integral(0, 7, 2)
        section(seed, sec)
        seed.integral(0, 15, 1).boolean(fail_at is not None)
        if fail_at is not None:
            seed.integral(0, 12, fail_at)

    def save(seed, sec, fail_after=0):
        seed.integral(0, 7, 3)
        section(seed, sec)
        seed.integral(0, 15, 1).integral(0, 12, fail_after)

    def set_max(seed, value):
        seed.integral(0, 7, 4).integral(-2, 40, value)

    lines = [("source", i, "C:\\Work\\entry%d" % i) for i in range(12)]
    lines += [("out", 0, "C:\\out.vkpak"), ("out", 1, ""), ("out", 3, "D:\\x.vkpak"),
              ("SOURCE", 2, "shadowed"), ("source", 0, "second 0")]

    seed = Input()
    settings(seed, lines)
    set_max(seed, 10)
    load(seed, "source")
    add(seed, "C:\\Work\\new")
    add(seed, "c:\\work\\ENTRY3")
    save(seed, "source")
    load(seed, "out")
    yield seed

    seed = Input()
    settings(seed, lines[:5])
    set_max(seed, 3)
    load(seed, "source", fail_at=2)
    add(seed, "x")
    add(seed, "X", flip=True)
    save(seed, "out", fail_after=1)
    set_max(seed, 1)
    set_max(seed, -1)
    add(seed, "y")
    yield seed

    seed = Input()
    settings(seed, [])
    set_max(seed, 10)
    for i in range(12):
        add(seed, "entry %d" % (i % 7))
    save(seed, "SOURCE")
    load(seed, "source")
    yield seed


def main():
    for target in (spin_value, parameters, paths, completion, error_text, history_ini):
        folder = os.path.join(HERE, "corpus", target.__name__)
        os.makedirs(folder, exist_ok=True)
        # Inputs merged in from a fuzzing run are kept; only the written seeds are replaced.
        for name in os.listdir(folder):
            if name.startswith("seed-"):
                os.remove(os.path.join(folder, name))
        for i, seed in enumerate(target()):
            with open(os.path.join(folder, "seed-%02d" % i), "wb") as f:
                f.write(seed.bytes())


if __name__ == "__main__":
    main()
