#!/usr/bin/env python3
"""Independent oracle of the number code: reading coordinates, writing reals
and the extended arithmetic under them.

Every extended step is done on exact rationals (fractions.Fraction) and then
rounded to 64 significant bits, to nearest, ties to even, so the oracle shares
no code and no shortcut with the C++ side. It writes the golden tables the
unit tests compile in:

  tests/data/extended_real_golden.inc
  tests/data/parse_coordinate_golden.inc
  tests/data/format_real_golden.inc

Run from anywhere:  python3 tools/number_oracle.py
The inputs are drawn from a fixed seed, so the tables only change when this
script does.

  python3 tools/number_oracle.py --bulk FILE

writes the answers for 150,000 random inputs (100,000 value lines, 50,000
doubles) to FILE, which the build makes and the unit tests read:
  P <value line in hex> <status> <double bits in hex>
  F <double bits in hex> <text with '.' as separator>
"""
import math
import pathlib
import random
import re
import struct
import sys
from fractions import Fraction

EXT_BITS = 64
EXT_MAX_EXPONENT = 16383  # finite extended values are below 2^16384
EXT_MIN_EXPONENT = -16445  # smaller results become zero (no gradual underflow)
DBL_MAX = Fraction(2**53 - 1) * 2**971
OVERFLOW = "overflow"  # an extended step passed the range


# ---------------------------------------------------------------------------
# Exact rounding


def floor_log2(x):
    """e with 2^e <= x < 2^(e+1), for a positive Fraction."""
    n, d = x.numerator, x.denominator
    e = n.bit_length() - d.bit_length()
    if e >= 0:
        if n < d << e:
            e -= 1
    elif n << -e < d:
        e -= 1
    return e


def pow2(e):
    return Fraction(2) ** e


def round_half_even(x):
    """Nearest integer to a Fraction, ties to even."""
    q, r = divmod(x.numerator, x.denominator)
    twice = 2 * r
    if twice > x.denominator or (twice == x.denominator and q % 2 == 1):
        q += 1
    return q


def round_bits(x, bits):
    """x rounded to `bits` significant bits, ties to even (any sign).

    On the numerator and denominator as integers: x * 2^shift, with shift
    chosen to leave `bits` bits before the point, is rounded to a whole number.
    """
    if x == 0:
        return Fraction(0)
    n, d = abs(x.numerator), x.denominator
    shift = bits - 1 - floor_log2(Fraction(n, d))
    if shift >= 0:
        n <<= shift
    else:
        d <<= -shift
    q, r = divmod(n, d)
    if 2 * r > d or (2 * r == d and q % 2 == 1):
        q += 1
    r = Fraction(q << -shift, 1) if shift < 0 else Fraction(q, 1 << shift)
    return -r if x < 0 else r


def ext(x):
    """One extended rounding step; OVERFLOW once the range is passed."""
    if x is OVERFLOW:
        return OVERFLOW
    if x.denominator == 1 and abs(x.numerator) < 2**EXT_BITS:
        return x  # whole numbers below 2^64 have 64 significant bits at most
    r = round_bits(x, EXT_BITS)
    if r != 0 and floor_log2(abs(r)) > EXT_MAX_EXPONENT:
        return OVERFLOW
    if r != 0 and floor_log2(abs(r)) < EXT_MIN_EXPONENT:
        return Fraction(0)
    return r


def to_double(x):
    """(bits, overflow) of x rounded once to double, subnormals included."""
    if x is OVERFLOW:
        return 0x7FF0000000000000, True
    if x == 0:
        return 0, False
    sign = x < 0
    a = abs(x)
    if floor_log2(a) >= -1022:
        r = round_bits(a, 53)
    else:
        r = round_half_even(a * pow2(1074)) * pow2(-1074)
    sign_bit = (1 << 63) if sign else 0
    if r > DBL_MAX:
        return sign_bit | 0x7FF0000000000000, True
    value = float(r)  # exact: r is a double
    assert Fraction(value) == r
    return sign_bit | struct.unpack("<Q", struct.pack("<d", value))[0], False


def bits_of(value):
    return struct.unpack("<Q", struct.pack("<d", value))[0]


def double_of(bits):
    return struct.unpack("<d", struct.pack("<Q", bits))[0]


# ---------------------------------------------------------------------------
# Powers of ten and the three-factor scaling

POWERS = {}


def power_of_ten(k):
    if k not in POWERS:
        POWERS[k] = ext(Fraction(10) ** k)
    return POWERS[k]


def scale(x, n):
    """x * 10^n by the rounded factors 10^(m%32), 10^(32*(m//32%16)), 10^(512*(m//512))."""
    m = abs(n)
    for k in (m % 32, 32 * ((m // 32) % 16), 512 * (m // 512)):
        if k == 0:
            continue
        x = ext(x * power_of_ten(k)) if n > 0 else ext(x / power_of_ten(k))
        if x is OVERFLOW:
            return OVERFLOW
    return x


# ---------------------------------------------------------------------------
# Reading a coordinate

FULL_FORM = re.compile(rb" *[+-]?(?=.)([0-9]*)(?:\.([0-9]*))?(?:[eE]([+-]?[0-9]+))?", re.S)
PREFIX_FORM = re.compile(rb" *[+-]?([0-9]*)(?:\.([0-9]*))?(?:[eE][+-]?[0-9]*)?")


def gather(digits):
    """acc := acc * 10 + digit, each operation rounded; OVERFLOW on passing the range."""
    acc = Fraction(0)
    for c in digits:
        acc = ext(acc * 10)
        if acc is OVERFLOW:
            return OVERFLOW
        acc = ext(acc + (c - 48))
        if acc is OVERFLOW:
            return OVERFLOW
    return acc


def parse(text):
    """(status, bits) for a value line given as bytes."""
    text = text.split(b"\0", 1)[0]
    match = FULL_FORM.fullmatch(text)
    if not match:
        prefix = PREFIX_FORM.match(text)
        acc = gather(prefix.group(1) + (prefix.group(2) or b""))
        if acc is OVERFLOW or to_double(acc)[1]:
            return "kOutOfRange", 0
        return "kInvalid", 0
    negative = text.lstrip(b" ").startswith(b"-")
    integer, fraction, exponent = match.group(1), match.group(2) or b"", match.group(3)
    acc = gather(integer + fraction)
    if acc is OVERFLOW:
        return "kOutOfRange", 0
    n = (int(exponent) if exponent else 0) - len(fraction)
    if acc == 0:
        value = Fraction(0)
    elif n >= 5120:
        value = "inf"
    elif n <= -5120:
        value = Fraction(0)
    else:
        value = scale(acc, n)
    if value == "inf":
        bits, overflow = 0x7FF0000000000000, False
    else:
        bits, overflow = to_double(value)
    if overflow:
        return "kOutOfRange", 0
    if negative:
        bits |= 1 << 63
    return "kValid", bits


# ---------------------------------------------------------------------------
# Writing a real


def format_real(value, separator="."):
    if math.isnan(value):
        return "NAN"
    if math.isinf(value):
        return "INF"
    if value == 0:
        return "0"
    v = abs(Fraction(value))
    e2 = floor_log2(v)
    E = ((e2 * 19728) >> 16) + 1
    y = round_half_even(scale(v, 18 - E))
    if y >= 10**18:
        y = ext(Fraction(y) / 10)
        E += 1
    elif y < 10**17:
        E -= 1
        y = round_half_even(scale(v, 18 - E))
    y = round_half_even(Fraction(y))
    assert 10**17 <= y < 10**18, (value, y)
    d = str(y)
    top = int(d[:15])
    if int(d[15]) >= 5:
        top += 1
        if top == 10**15:
            top = 10**14
            E += 1
    D = str(top).rstrip("0")
    out = "-" if value < 0 else ""
    if E > 15 or E < -3:
        out += D[0] + (separator + D[1:] if len(D) > 1 else "") + "E" + str(E - 1)
    elif E >= 1:
        out += D[:E] + "0" * (E - len(D)) + (separator + D[E:] if len(D) > E else "")
    else:
        out += "0" + separator + "0" * (-E) + D
    assert len(out) <= 22
    return out


# ---------------------------------------------------------------------------
# Golden tables


def ext_parts(x):
    """(exponent, significand) of a positive extended Fraction, or (0, 0) for zero."""
    if x == 0:
        return 0, 0
    e = floor_log2(x)
    sig = x / pow2(e - 63)
    assert sig.denominator == 1 and sig.numerator >> 63 == 1
    return e, sig.numerator


def from_parts(e, sig):
    return Fraction(sig) * pow2(e - 63)


def c_string(data):
    out = []
    for b in data:
        if b in (0x22, 0x5C):
            out.append("\\" + chr(b))
        elif 0x20 <= b < 0x7F and b != 0x3F:
            out.append(chr(b))
        else:
            out.append("\\%03o" % b)
    return '"' + "".join(out) + '"'


def random_significand(rng):
    kind = rng.randrange(4)
    if kind == 0:
        return rng.getrandbits(63) | 1 << 63
    if kind == 1:  # few bits: exact results and ties
        s = 1 << 63
        for _ in range(rng.randrange(1, 4)):
            s |= 1 << rng.randrange(64)
        return s
    if kind == 2:  # long runs of ones
        return (1 << 64) - (1 << rng.randrange(64))
    return (1 << 63) | (rng.getrandbits(20) << rng.randrange(44))


def extended_rows(rng):
    lines = ["// Generated by tools/number_oracle.py; do not edit."]

    lines.append("// {n, exponent, significand, overflow}: 1 scaled by 10^n in the rounded steps.")
    lines.append("constexpr ScaleRow kScaleRows[] = {")
    ns = list(range(0, 32)) + [32 * k for k in range(1, 16)] + [512 * k for k in range(1, 10)]
    ns += [-k for k in (1, 5, 27, 28, 31, 33, 300, 308, 323, 340, 1000, 4951, 5119)]
    ns += [33, 100, 308, 340, 1000, 4000, 4931, 4932]
    for n in ns:
        r = scale(Fraction(1), n)
        e, s = ext_parts(r) if r is not OVERFLOW else (0, 0)
        lines.append(f"    {{{n}, {e}, 0x{s:016X}u, {str(r is OVERFLOW).lower()}}},")
    lines.append("};")

    lines.append("// {a exponent, a significand, b exponent, b significand,")
    lines.append("//  product exponent, product significand, quotient exponent, quotient significand}")
    lines.append("constexpr MulDivRow kMulDivRows[] = {")
    # Products that fall exactly halfway (rounded up to even, then down to even)
    # and exact ones, then random operands.
    pairs = [(0, 0xC000000000000000, 0, 0x8000000000000001),
             (0, 0xC000000000000000, 0, 0x8000000000000003),
             (5, 0x8000000000000001, -3, 0x8000000000000001),
             (0, 0xFFFFFFFFFFFFFFFF, 0, 0xFFFFFFFFFFFFFFFF),
             (0, 0x8000000000000000, 0, 0xFFFFFFFFFFFFFFFF),
             (3, 0xA000000000000000, 3, 0xA000000000000000)]
    for _ in range(120):
        pairs.append((rng.randrange(-80, 80), random_significand(rng),
                      rng.randrange(-80, 80), random_significand(rng)))
    for ea, sa, eb, sb in pairs:
        a, b = from_parts(ea, sa), from_parts(eb, sb)
        ep, sp = ext_parts(ext(a * b))
        eq, sq = ext_parts(ext(a / b))
        lines.append(f"    {{{ea}, 0x{sa:016X}u, {eb}, 0x{sb:016X}u, "
                     f"{ep}, 0x{sp:016X}u, {eq}, 0x{sq:016X}u}},")
    lines.append("};")

    lines.append("// {exponent, significand, addend, sum exponent, sum significand}")
    lines.append("constexpr AddRow kAddRows[] = {")
    for _ in range(80):
        e = rng.choice([rng.randrange(-70, 0), rng.randrange(0, 64), rng.randrange(64, 140)])
        s = random_significand(rng)
        addend = rng.choice([1, 5, 9, rng.randrange(1, 1 << 32)])
        es, ss = ext_parts(ext(from_parts(e, s) + addend))
        lines.append(f"    {{{e}, 0x{s:016X}u, {addend}u, {es}, 0x{ss:016X}u}},")
    lines.append("};")

    lines.append("// {exponent, significand, rounded exponent, rounded significand (0: zero)}")
    lines.append("constexpr RoundRow kRoundRows[] = {")
    for _ in range(60):
        e = rng.randrange(-3, 66)
        s = random_significand(rng)
        er, sr = ext_parts(Fraction(round_half_even(from_parts(e, s))))
        lines.append(f"    {{{e}, 0x{s:016X}u, {er}, 0x{sr:016X}u}},")
    lines.append("};")

    lines.append("// {exponent, significand, double bits, overflow}")
    lines.append("constexpr NarrowRow kNarrowRows[] = {")
    for _ in range(100):
        e = rng.choice([rng.randrange(-1080, -1018), rng.randrange(-40, 40),
                        rng.randrange(1015, 1026)])
        s = random_significand(rng)
        if rng.randrange(3) == 0:  # a tie at the double's last place
            s = (s & ~0x7FF) | 0x400
        bits, overflow = to_double(from_parts(e, s))
        lines.append(f"    {{{e}, 0x{s:016X}u, 0x{bits:016X}u, {str(overflow).lower()}}},")
    lines.append("};")
    return lines


def random_decimal(rng):
    integer = "".join(rng.choice("0123456789") for _ in range(rng.randrange(0, 22)))
    fraction = "".join(rng.choice("0123456789") for _ in range(rng.randrange(0, 22)))
    text = integer + ("." + fraction if fraction or rng.randrange(4) == 0 else "")
    if not integer and not fraction:
        text = "0" + text
    if rng.randrange(2):
        text += rng.choice("eE") + rng.choice(["", "+", "-"]) + str(rng.randrange(0, 340))
    return rng.choice(["", "", "-", "+", " ", "  -"]) + text


def near_halfway(rng):
    """Decimal text close to the midpoint of two neighbouring doubles."""
    while True:
        value = double_of(rng.getrandbits(63))
        if math.isfinite(value) and value != 0:
            break
    mid = (Fraction(value) + Fraction(math.nextafter(value, math.inf))) / 2
    digits = rng.randrange(17, 30)
    e10 = len(str(int(mid))) if mid >= 1 else -len(str(int(1 / mid)))
    shift = digits - e10
    whole = round_half_even(mid * Fraction(10) ** shift) + rng.choice([-1, 0, 0, 1])
    return f"{whole}E{-shift}"


def parse_inputs(rng):
    fixed = [
        "12.5", " 12.5", "-3", "+0.25", ".5", "5.", "1e3", "1E+3", "2.5E-2", "1E-400",
        "1E5200", "-1E5200", "12.5 ", "1,5", "1.2.3", "1E", "1E5x", "0x10", "\t1", "1E400",
        ".", "E5", "-E5", "-.", "-", "+", "   ", "  -", "-0", "0", "-0.0", "0E5200", "-0E5200",
        "0E-5200", "1E-5200", "1E5119", "1E5120", "1E-5119", "1E4932", "1E4931", "1E-4950",
        "1E308", "1E309", "1.7976931348623157E308", "1.7976931348623158E308",
        "1.7976931348623159E308", "-1.7976931348623159E308", "179769313486231580793728971405301E276",
        "4.9406564584124654E-324", "2.4703282292062327E-324", "2.4703282292062328E-324",
        "2.2250738585072011E-308", "2.2250738585072014E-308", "1E-323", "3E-324",
        "9007199254740993", "9007199254740993.0000000000001", "9007199254740992.9999999999999",
        "18446744073709551615", "18446744073709551616", "18446744073709551617",
        "184467440737095516150", "123456789012345678901234567890",
        "0.1", "0.2", "0.3", "3.141592653589793", "655628.4071677865", "1e-5", "1.5e-10",
        "1E99999999999999999999999999", "1E-99999999999999999999999999", "0E99999999999999999999",
        "1.5\0junk", "\0", " \0 1", "1e+", "1e-", "1E 5", "1e5.0", "--1", "+-1", " +1", "1 ",
        "00000000000000000000000000000000012", "0.000000000000000000000000000000000012",
        "1" * 309, "1" * 308, "1" * 320 + "x", "1" * 300 + "x", "1" * 320 + "E-300",
        "9" * 309 + ".5.", "1" + "0" * 400 + "E-400", "1" + "0" * 400 + "E-800",
        "0." + "0" * 330 + "1E330",
    ]
    inputs = [s.encode("latin-1") for s in fixed]
    inputs += [random_decimal(rng).encode() for _ in range(150)]
    inputs += [near_halfway(rng).encode() for _ in range(80)]
    return inputs


def parse_rows(rng):
    lines = ["// Generated by tools/number_oracle.py; do not edit.",
             "// {value line, status, double bits}"]
    for text in parse_inputs(rng):
        status, bits = parse(text)
        lines.append(f"    {{{c_string(text)}sv, CoordinateStatus::{status}, 0x{bits:016X}u}},")
    return lines


def format_inputs(rng):
    values = [0.0, -0.0, 1.0, -1.0, 0.1, -2.5, 100.0, 123.456, -123456.789, 3.141592653589793,
              2 / 3, 0.1 + 0.2, 0.001, 0.0001, 0.00015, -0.0005, 0.00012345678901234567,
              0.00001, 1.5e-10, 1e14, 123456789012345.0, 99999999999999.99, 1e15,
              999999999999999.9, 1234567890123456.0, 12345678901234567.0, 1e100, -1e-100,
              655628.4071677865, 1.7976931348623157e308, 5e-324, 2.2250738585072014e-308,
              math.inf, -math.inf, math.nan, 999999999999999.4, 999999999999999.5,
              0.000999999999999999, 0.0009999999999999999, 9.999999999999999e22]
    for k in range(-325, 309, 7):
        p = float(f"1e{k}")
        values += [p, math.nextafter(p, 0), math.nextafter(p, math.inf)]
    for _ in range(150):
        while True:
            value = double_of(rng.getrandbits(64))
            if math.isfinite(value):
                break
        values.append(value)
    for _ in range(60):
        values.append(float(random_decimal(rng).replace(" ", "")))
    return values


def format_rows(rng):
    lines = ["// Generated by tools/number_oracle.py; do not edit.",
             "// {double bits, text with '.' as separator}"]
    for value in format_inputs(rng):
        lines.append(f"    {{0x{bits_of(value):016X}u, \"{format_real(value)}\"}},")
    return lines


def coordinate_text(rng):
    """A value line as drawings hold them: up to 20 digits, a point anywhere,
    sometimes an exponent."""
    count = rng.randrange(1, 21)
    digits = "".join(rng.choice("0123456789") for _ in range(count))
    point = rng.randrange(0, count + 1)
    text = digits[:point] + "." + digits[point:]
    if rng.randrange(3) == 0:
        text += rng.choice("Ee") + str(rng.randrange(-40, 41))
    return rng.choice(["", "-"]) + text


def bulk_lines(rng):
    for i in range(100000):
        kind = i % 4
        if kind < 2:
            text = coordinate_text(rng)
        elif kind == 2:
            text = near_halfway(rng)
        else:
            text = random_decimal(rng)
        status, bits = parse(text.encode())
        yield f"P {text.encode().hex()} {status} {bits:016X}"
    for i in range(50000):
        kind = i % 3
        if kind == 0:  # any finite double
            while True:
                value = double_of(rng.getrandbits(64))
                if math.isfinite(value):
                    break
        elif kind == 1:  # the magnitudes of coordinates
            value = rng.choice([-1, 1]) * 10 ** rng.uniform(-10, 18)
        else:
            value = float(coordinate_text(rng))
        yield f"F {bits_of(value):016X} {format_real(value)}"


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--bulk":
        rng = random.Random(150000)
        text = "\n".join(bulk_lines(rng)) + "\n"
        pathlib.Path(sys.argv[2]).write_text(text)
        return
    data = pathlib.Path(__file__).resolve().parent.parent / "tests" / "data"
    data.mkdir(exist_ok=True)
    rng = random.Random(20261207)
    (data / "extended_real_golden.inc").write_text("\n".join(extended_rows(rng)) + "\n")
    (data / "parse_coordinate_golden.inc").write_text("\n".join(parse_rows(rng)) + "\n")
    (data / "format_real_golden.inc").write_text("\n".join(format_rows(rng)) + "\n")


if __name__ == "__main__":
    main()
