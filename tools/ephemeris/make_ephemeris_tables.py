#!/usr/bin/env python3
"""Make the precise ephemeris's tables from the theories' public files.

    make_ephemeris_tables.py VSOP_DIR ELP_DIR ERFA_NUT00B_C OUT_DIR

VSOP_DIR      VSOP87A.mer ... VSOP87A.nep and VSOP87A.ear (VizieR VI/81)
ELP_DIR       the ELP/MPP02 series as elp_main.* and elp_pert.* (the
              authors' files restated with amplitudes in radians and km)
ERFA_NUT00B_C ERFA's src/nut00b.c (the IAU 2000B nutation series)
OUT_DIR       catalog/data

Writes vsop87a.csv, elpmpp02.csv and nutation_2000b.csv. Terms too small
to matter between 1900 and 2100 are left out (the thresholds below); the
script prints, for each series, the terms kept and the largest and RMS
change that leaving the rest out makes over 1900-2100 at 400 dates.
"""
import math
import os
import re
import sys

ARCSEC = math.pi / 648000.0

# --- VSOP87A: heliocentric rectangular coordinates, ecliptic and equinox
# J2000, in AU; a term is A cos(B + C t), t in Julian millennia of TDB from
# J2000, times t^power.
PLANETS = ["mer", "ven", "ear", "mar", "jup", "sat", "ura", "nep"]
NAMES = {"mer": "mercury", "ven": "venus", "ear": "earth", "mar": "mars", "jup": "jupiter",
         "sat": "saturn", "ura": "uranus", "nep": "neptune"}
# A term is kept when A * 0.1^power (its size at 1900 or 2100) reaches
# this many AU: about 0.01" seen from the nearest the planet comes.
VSOP_KEEP = {"mer": 2e-8, "ven": 1e-8, "ear": 1e-8, "mar": 2e-8, "jup": 2e-7, "sat": 4e-7,
             "ura": 1e-6, "nep": 2e-6}


def read_vsop(path):
    terms = []
    coord = power = None
    for line in open(path, encoding="ascii"):
        if line.startswith(" VSOP87"):
            m = re.search(r"VARIABLE (\d).*\*T\*\*(\d)", line)
            coord, power = int(m.group(1)) - 1, int(m.group(2))
            continue
        fields = line.split()
        # The numbers as the file writes them (so the table keeps their digits).
        terms.append((coord, power, float(fields[-3]), float(fields[-2]), float(fields[-1]), tuple(fields[-3:])))
    return terms


def vsop_value(terms, t):
    out = [0.0, 0.0, 0.0]
    for coord, power, a, b, c, _ in terms:
        out[coord] += a * math.cos(b + c * t) * t ** power
    return out


# --- ELP/MPP02, with the constants fitted to DE405 (Chapront & Francou
# 2003, and the authors' notes): longitude and latitude in radians,
# distance in km, each term A sin(phase + sum of multipliers x arguments)
# times T^power, T in Julian centuries of TDB from J2000.
DE405 = dict(Dw1_1=-0.35106, Dgam=0.00085, De=-0.00006, Deart_1=0.00732, Dep=0.00224, Dw2_1=0.08017,
             Dw3_1=-0.04317)
ELP_KEEP = {0: 0.002 * ARCSEC, 1: 0.002 * ARCSEC, 2: 0.002}  # rad, rad, km at |T| = 1


def elp_factors():
    p = DE405
    am, alpha = 0.074801329, 0.002571881
    dtsm, xa = 2.0 * alpha / (3.0 * am), 2.0 * alpha / 3.0
    w11 = (1732559343.73604 + p["Dw1_1"]) * ARCSEC
    delnu_nu = (0.55604 + p["Dw1_1"]) * ARCSEC / w11
    dele = (0.01789 + p["De"]) * ARCSEC
    delg = (-0.08066 + p["Dgam"]) * ARCSEC
    delnp_nu = (-0.06424 + p["Deart_1"]) * ARCSEC / w11
    delep = (-0.12879 + p["Dep"]) * ARCSEC
    fb = [-am * delnu_nu + delnp_nu, delg, dele, delep, -xa * delnu_nu + dtsm * delnp_nu]
    return fb, 1.0 - 2.0 / 3.0 * delnu_nu


def read_elp(folder):
    fb, fa = elp_factors()
    terms = []  # (coord, power, multipliers[13], amplitude, phase)
    for coord, name in enumerate(["long", "lat", "dist"]):
        lines = open(os.path.join(folder, f"elp_main.{name}"), encoding="ascii").read().split("\n")[1:]
        for line in lines:
            f = line.split()
            if not f:
                continue
            i = [int(v) for v in f[:4]]
            a, b = float(f[4]), [float(v) for v in f[5:10]]
            amp = (fa if coord == 2 else 1.0) * a + sum(fb[j] * b[j] for j in range(5))
            # Distance is a cosine series: cos x = sin(x + pi/2).
            terms.append((coord, 0, i + [0] * 9, amp, math.pi / 2 if coord == 2 else 0.0))
        for power in range(4):
            path = os.path.join(folder, f"elp_pert.{name}T{power}")
            if not os.path.exists(path):
                continue
            for line in open(path, encoding="ascii").read().split("\n")[1:]:
                f = line.split()
                if f:
                    terms.append((coord, power, [int(v) for v in f[:13]], float(f[13]), float(f[14])))
    return terms


def elp_arguments(T):
    """D, F, l, l', Me, Ve, EM, Ma, Ju, Sa, Ur, Ne, zeta at T (radians)."""
    p = DE405
    sec = ARCSEC
    # Only what the truncation check needs: the main rates and epochs.
    w1 = (218 + 18 / 60 + (59.95571 - 0.07008) / 3600) * math.pi / 180 + (1732559343.73604 + p["Dw1_1"]) * T * sec
    w2 = (83 + 21 / 60 + (11.67475 + 0.20794) / 3600) * math.pi / 180 + 14643420.3171 * T * sec
    w3 = (125 + 2 / 60 + (40.39816 - 0.07215) / 3600) * math.pi / 180 - 6967919.5383 * T * sec
    ea = (100 + 27 / 60 + 59.13885 / 3600) * math.pi / 180 + 129597742.293 * T * sec
    pomp = (102 + 56 / 60 + 14.45766 / 3600) * math.pi / 180 + 1161.24342 * T * sec
    planets = [(252, 15, 3.216919, 538101628.66888), (181, 58, 44.758419, 210664136.45777),
               (100, 27, 59.13885, 129597742.293), (355, 26, 3.642778, 68905077.65936),
               (34, 21, 5.379392, 10925660.57335), (50, 4, 38.902495, 4399609.33632),
               (314, 3, 4.354234, 1542482.57845), (304, 20, 56.808371, 786547.897)]
    args = [w1 - ea + math.pi, w1 - w3, w1 - w2, ea - pomp]
    args += [(d + m / 60 + s / 3600) * math.pi / 180 + r * T * sec for d, m, s, r in planets]
    args.append(w1 + 5028.79695 * T * sec)
    return args


def elp_value(terms, T):
    out = [0.0, 0.0, 0.0]
    args = elp_arguments(T)
    for coord, power, mult, amp, phase in terms:
        out[coord] += amp * math.sin(phase + sum(m * a for m, a in zip(mult, args) if m)) * T ** power
    return out


def report(name, full, kept, value, dates, scale, unit):
    dropped = [t for t in full if t not in kept]
    worst = rms = 0.0
    for d in dates:
        v = value(dropped, d)
        size = math.sqrt(sum(x * x for x in v)) * scale
        worst = max(worst, size)
        rms += size * size
    print(f"{name}: {len(kept)} of {len(full)} terms, left out at most {worst:.3g} {unit} "
          f"(RMS {math.sqrt(rms / len(dates)):.3g})")


def main():
    vsop_dir, elp_dir, nut_c, out = sys.argv[1:5]
    dates = [-0.1 + 0.2 * k / 399 for k in range(400)]  # millennia, 1900..2100

    with open(os.path.join(out, "vsop87a.csv"), "w", encoding="ascii", newline="") as f:
        f.write("body,coord,power,amplitude_au,phase_rad,frequency_rad_per_millennium\n")
        for planet in PLANETS:
            terms = read_vsop(os.path.join(vsop_dir, f"VSOP87A.{planet}"))
            kept = [t for t in terms if abs(t[2]) * 0.1 ** t[1] >= VSOP_KEEP[planet]]
            # Left out, as an angle seen from 1 AU.
            report(f"VSOP87A {NAMES[planet]}", terms, set(kept), vsop_value, dates, 206264.806, "AU-arcsec")
            # Amplitudes to 1e-11 AU or 10 digits, phases to 1e-9 rad,
            # frequencies to 12 digits: far inside the truncation.
            for coord, power, a, b, c, _ in kept:
                f.write(f"{NAMES[planet]},{coord},{power},{a:.10g},{b:.9f},{c:.12g}\n")

    terms = read_elp(elp_dir)
    kept = [t for t in terms if abs(t[3]) >= ELP_KEEP[t[0]]]
    with open(os.path.join(out, "elpmpp02.csv"), "w", encoding="ascii", newline="") as f:
        f.write("coord,power,d,f,l,lp,me,ve,em,ma,ju,sa,ur,ne,zeta,amplitude,phase_rad\n")
        for coord, power, mult, amp, phase in kept:
            f.write(f"{coord},{power},{','.join(str(m) for m in mult)},{amp:.10g},{phase:.10f}\n")
    centuries = [d * 10 for d in dates[::8]]
    for coord, unit, scale in [(0, "arcsec", 1 / ARCSEC), (1, "arcsec", 1 / ARCSEC), (2, "km", 1.0)]:
        full_c = [t for t in terms if t[0] == coord]
        kept_c = set(id(t) for t in kept if t[0] == coord)
        dropped = [t for t in full_c if id(t) not in kept_c]
        worst = max(abs(elp_value(dropped, T)[coord]) * scale for T in centuries)
        print(f"ELP/MPP02 {['longitude', 'latitude', 'distance'][coord]}: "
              f"{len(full_c) - len(dropped)} of {len(full_c)} terms, left out at most {worst:.3g} {unit}")

    # IAU 2000B: the 77 luni-solar rows of ERFA's nut00b.c (multipliers of
    # l, l', F, D, Om; then ps, pst, pc, ec, ect, es in 0.1 microarcsec).
    text = open(nut_c, encoding="ascii").read()
    body = text[text.index("} x[] = {"):text.index("};", text.index("} x[] = {"))]
    rows = re.findall(r"\{([^{}]*)\}", body)
    if len(rows) != 77:
        sys.exit(f"expected the 77 rows of IAU 2000B, found {len(rows)}")
    with open(os.path.join(out, "nutation_2000b.csv"), "w", encoding="ascii", newline="") as f:
        f.write("l,lp,f,d,om,ps,pst,pc,ec,ect,es\n")
        for row in rows:
            v = [x.strip() for x in row.split(",")]
            f.write(",".join([str(int(x)) for x in v[:5]] + [str(float(x)) for x in v[5:]]) + "\n")
    print("IAU 2000B nutation: 77 terms")


if __name__ == "__main__":
    main()
