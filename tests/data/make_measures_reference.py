#!/usr/bin/env python3
"""Writes measures_reference.csv: the heat-stress and atmospheric measures'
reference rows that tests/measures_test.cpp holds the library to.

    /usr/bin/python3 tests/data/make_measures_reference.py > tests/data/measures_reference.csv

Published rows are copied as printed (the NWS heat index table, Environment
Canada's humidex examples, Romps's LCL check values), each with the tolerance
its printed digits allow. Where no printed table was at hand, the rows are
computed here, independently of the library, from the published definitions:
the UTCI polynomial in exact rational arithmetic from its coefficients as
published (term by term, in their own order), Liljegren's WBGT model with his
own saturation relation and his damped iteration carried to 1e-10 K, and the
closed forms (Bolton, Steadman, ISO 7726) in 40-digit decimals."""
import csv
import math
import sys
from decimal import Decimal, getcontext
from fractions import Fraction

getcontext().prec = 40
D = Decimal
COLUMNS = ["measure", "dry_bulb", "given", "value_given", "pressure", "wind_speed",
           "mean_radiant_temperature", "globe_temperature", "air_speed", "solar_irradiance",
           "direct_fraction", "cos_zenith", "net_radiation", "printed", "unit", "tolerance",
           "why", "source"]
rows = []


def row(measure, dry_bulb, given, value_given, printed, unit, tolerance, why, source,
        pressure=101.325, **inputs):
    r = dict.fromkeys(COLUMNS, "")
    r.update(measure=measure, dry_bulb=repr(float(dry_bulb)), given=given,
             value_given=repr(float(value_given)), pressure=repr(float(pressure)),
             printed=printed, unit=unit, tolerance=tolerance, why=why, source=source)
    for key, value in inputs.items():
        r[key] = repr(float(value))
    rows.append(r)


def celsius(fahrenheit):
    return (fahrenheit - 32.0) * 5.0 / 9.0


# --- NWS heat index table: rows of air temperature (degF) from 110 down to 80,
# cells for 40, 45, ... 100 percent as far as printed.
NWS = "https://rfcafe.com/references/general/heat-index.htm (the NWS heat index chart, NOAA)"
TABLE = {110: [136], 108: [130, 137], 106: [124, 130, 137], 104: [119, 124, 131, 137],
         102: [114, 119, 124, 130, 137], 100: [109, 114, 118, 124, 129, 136],
         98: [105, 109, 113, 117, 123, 128, 134], 96: [101, 104, 108, 112, 116, 121, 126, 132],
         94: [97, 100, 102, 106, 110, 114, 119, 124, 129, 136],
         92: [94, 96, 99, 101, 105, 108, 112, 116, 121, 126, 131],
         90: [91, 93, 95, 97, 100, 103, 106, 109, 113, 117, 122, 127, 132],
         88: [88, 89, 91, 93, 95, 98, 100, 103, 106, 110, 113, 117, 121],
         86: [85, 87, 88, 89, 91, 93, 95, 97, 100, 102, 105, 108, 112],
         84: [83, 84, 85, 86, 88, 89, 90, 92, 94, 96, 98, 100, 103],
         82: [81, 82, 83, 84, 84, 85, 86, 88, 89, 90, 91, 93, 95],
         80: [80, 80, 81, 81, 82, 82, 83, 84, 84, 85, 86, 86, 87]}


def nws_formula(T, RH):
    """The NWS's definition, for the tolerance of cells printed otherwise."""
    hi = 0.5 * (T + 61.0 + (T - 68.0) * 1.2 + RH * 0.094)
    if hi < 80.0:
        return hi
    hi = (-42.379 + 2.04901523 * T + 10.14333127 * RH - 0.22475541 * T * RH
          - 6.83783e-3 * T * T - 5.481717e-2 * RH * RH + 1.22874e-3 * T * T * RH
          + 8.5282e-4 * T * RH * RH - 1.99e-6 * T * T * RH * RH)
    if RH > 85.0 and 80.0 <= T <= 87.0:
        hi += (RH - 85.0) / 10.0 * (87.0 - T) / 5.0
    return hi


for T, cells in TABLE.items():
    for k, printed in enumerate(cells):
        RH = 40 + 5 * k
        off = abs(nws_formula(T, RH) - printed)
        if off <= 0.5:
            tolerance, why = "0.5", "the printed whole degree"
        else:
            tolerance = f"{math.ceil(off * 100) / 100 + 0.01:.2f}"
            why = f"the printed cell is {off:.2f} degF from the NWS's own formula"
        row("heat_index", celsius(T), "relative_humidity", RH, str(printed), "degF", tolerance,
            why, NWS)

# --- Environment Canada's humidex examples.
EC = ("Environment Canada, as quoted in the Humidex article of Wikipedia "
      "(30 degC with dew points of 15 and 25 degC)")
row("humidex", 30, "dew_point", 15, "34", "degC", "0.5", "the printed whole degree", EC)
row("humidex", 30, "dew_point", 25, "42", "degC", "0.5", "the printed whole degree", EC)
row("humidex", 30, "relative_humidity", 70, "41", "degC", "0.5", "the printed whole degree",
    "http://www.zone10.org.au/humidex.htm (a chart after Environment Canada's: 30 degC, 70 %)")

# --- Romps (2017): his published check values of lcl.py (p, T, rhl or rhs).
TTRIP, PTRIP, E0V, E0S, RGASV = 273.16, 611.65, 2.3740e6, 0.3337e6, 461.0
CVV, CVL, CVS = 1418.0, 4119.0, 1861.0
CPV = CVV + RGASV


def pvstarl(T):
    return PTRIP * (T / TTRIP) ** ((CPV - CVL) / RGASV) * math.exp(
        (E0V - (CVV - CVL) * TTRIP) / RGASV * (1 / TTRIP - 1 / T))


def pvstars(T):
    return PTRIP * (T / TTRIP) ** ((CPV - CVS) / RGASV) * math.exp(
        (E0V + E0S - (CVV - CVS) * TTRIP) / RGASV * (1 / TTRIP - 1 / T))


ROMPS = "Romps (2017) J. Atmos. Sci. 74:3891, the check values of his lcl.py (version 1.0)"
for T, over, height in [(300.0, "liquid", "1433.844139279"), (300.0, "ice", "923.2222457185"),
                        (200.0, "liquid", "542.8017712435"), (200.0, "ice", "1061.585301941")]:
    pv = 0.5 * (pvstarl(T) if over == "liquid" else pvstars(T))
    row("lifting_condensation_level_height", T - 273.15, "vapor_pressure", pv / 1000.0, height,
        "m", repr(float(height) * 1e-9), "his check's 1e-10 relative, with room for the last bits",
        f"{ROMPS}: 100 kPa, {T:.0f} K, half saturated over {over}", pressure=100.0)

# --- UTCI: the operational polynomial, exact.
UTCI_TERMS = [
    ((0, 0, 0, 0), "6.07562052E-01"),
    ((1, 0, 0, 0), "-2.27712343E-02"),
    ((2, 0, 0, 0), "8.06470249E-04"),
    ((3, 0, 0, 0), "-1.54271372E-04"),
    ((4, 0, 0, 0), "-3.24651735E-06"),
    ((5, 0, 0, 0), "7.32602852E-08"),
    ((6, 0, 0, 0), "1.35959073E-09"),
    ((0, 1, 0, 0), "-2.25836520E+00"),
    ((1, 1, 0, 0), "8.80326035E-02"),
    ((2, 1, 0, 0), "2.16844454E-03"),
    ((3, 1, 0, 0), "-1.53347087E-05"),
    ((4, 1, 0, 0), "-5.72983704E-07"),
    ((5, 1, 0, 0), "-2.55090145E-09"),
    ((0, 2, 0, 0), "-7.51269505E-01"),
    ((1, 2, 0, 0), "-4.08350271E-03"),
    ((2, 2, 0, 0), "-5.21670675E-05"),
    ((3, 2, 0, 0), "1.94544667E-06"),
    ((4, 2, 0, 0), "1.14099531E-08"),
    ((0, 3, 0, 0), "1.58137256E-01"),
    ((1, 3, 0, 0), "-6.57263143E-05"),
    ((2, 3, 0, 0), "2.22697524E-07"),
    ((3, 3, 0, 0), "-4.16117031E-08"),
    ((0, 4, 0, 0), "-1.27762753E-02"),
    ((1, 4, 0, 0), "9.66891875E-06"),
    ((2, 4, 0, 0), "2.52785852E-09"),
    ((0, 5, 0, 0), "4.56306672E-04"),
    ((1, 5, 0, 0), "-1.74202546E-07"),
    ((0, 6, 0, 0), "-5.91491269E-06"),
    ((0, 0, 1, 0), "3.98374029E-01"),
    ((1, 0, 1, 0), "1.83945314E-04"),
    ((2, 0, 1, 0), "-1.73754510E-04"),
    ((3, 0, 1, 0), "-7.60781159E-07"),
    ((4, 0, 1, 0), "3.77830287E-08"),
    ((5, 0, 1, 0), "5.43079673E-10"),
    ((0, 1, 1, 0), "-2.00518269E-02"),
    ((1, 1, 1, 0), "8.92859837E-04"),
    ((2, 1, 1, 0), "3.45433048E-06"),
    ((3, 1, 1, 0), "-3.77925774E-07"),
    ((4, 1, 1, 0), "-1.69699377E-09"),
    ((0, 2, 1, 0), "1.69992415E-04"),
    ((1, 2, 1, 0), "-4.99204314E-05"),
    ((2, 2, 1, 0), "2.47417178E-07"),
    ((3, 2, 1, 0), "1.07596466E-08"),
    ((0, 3, 1, 0), "8.49242932E-05"),
    ((1, 3, 1, 0), "1.35191328E-06"),
    ((2, 3, 1, 0), "-6.21531254E-09"),
    ((0, 4, 1, 0), "-4.99410301E-06"),
    ((1, 4, 1, 0), "-1.89489258E-08"),
    ((0, 5, 1, 0), "8.15300114E-08"),
    ((0, 0, 2, 0), "7.55043090E-04"),
    ((1, 0, 2, 0), "-5.65095215E-05"),
    ((2, 0, 2, 0), "-4.52166564E-07"),
    ((3, 0, 2, 0), "2.46688878E-08"),
    ((4, 0, 2, 0), "2.42674348E-10"),
    ((0, 1, 2, 0), "1.54547250E-04"),
    ((1, 1, 2, 0), "5.24110970E-06"),
    ((2, 1, 2, 0), "-8.75874982E-08"),
    ((3, 1, 2, 0), "-1.50743064E-09"),
    ((0, 2, 2, 0), "-1.56236307E-05"),
    ((1, 2, 2, 0), "-1.33895614E-07"),
    ((2, 2, 2, 0), "2.49709824E-09"),
    ((0, 3, 2, 0), "6.51711721E-07"),
    ((1, 3, 2, 0), "1.94960053E-09"),
    ((0, 4, 2, 0), "-1.00361113E-08"),
    ((0, 0, 3, 0), "-1.21206673E-05"),
    ((1, 0, 3, 0), "-2.18203660E-07"),
    ((2, 0, 3, 0), "7.51269482E-09"),
    ((3, 0, 3, 0), "9.79063848E-11"),
    ((0, 1, 3, 0), "1.25006734E-06"),
    ((1, 1, 3, 0), "-1.81584736E-09"),
    ((2, 1, 3, 0), "-3.52197671E-10"),
    ((0, 2, 3, 0), "-3.36514630E-08"),
    ((1, 2, 3, 0), "1.35908359E-10"),
    ((0, 3, 3, 0), "4.17032620E-10"),
    ((0, 0, 4, 0), "-1.30369025E-09"),
    ((1, 0, 4, 0), "4.13908461E-10"),
    ((2, 0, 4, 0), "9.22652254E-12"),
    ((0, 1, 4, 0), "-5.08220384E-09"),
    ((1, 1, 4, 0), "-2.24730961E-11"),
    ((0, 2, 4, 0), "1.17139133E-10"),
    ((0, 0, 5, 0), "6.62154879E-10"),
    ((1, 0, 5, 0), "4.03863260E-13"),
    ((0, 1, 5, 0), "1.95087203E-12"),
    ((0, 0, 6, 0), "-4.73602469E-12"),
    ((0, 0, 0, 1), "5.12733497E+00"),
    ((1, 0, 0, 1), "-3.12788561E-01"),
    ((2, 0, 0, 1), "-1.96701861E-02"),
    ((3, 0, 0, 1), "9.99690870E-04"),
    ((4, 0, 0, 1), "9.51738512E-06"),
    ((5, 0, 0, 1), "-4.66426341E-07"),
    ((0, 1, 0, 1), "5.48050612E-01"),
    ((1, 1, 0, 1), "-3.30552823E-03"),
    ((2, 1, 0, 1), "-1.64119440E-03"),
    ((3, 1, 0, 1), "-5.16670694E-06"),
    ((4, 1, 0, 1), "9.52692432E-07"),
    ((0, 2, 0, 1), "-4.29223622E-02"),
    ((1, 2, 0, 1), "5.00845667E-03"),
    ((2, 2, 0, 1), "1.00601257E-06"),
    ((3, 2, 0, 1), "-1.81748644E-06"),
    ((0, 3, 0, 1), "-1.25813502E-03"),
    ((1, 3, 0, 1), "-1.79330391E-04"),
    ((2, 3, 0, 1), "2.34994441E-06"),
    ((0, 4, 0, 1), "1.29735808E-04"),
    ((1, 4, 0, 1), "1.29064870E-06"),
    ((0, 5, 0, 1), "-2.28558686E-06"),
    ((0, 0, 1, 1), "-3.69476348E-02"),
    ((1, 0, 1, 1), "1.62325322E-03"),
    ((2, 0, 1, 1), "-3.14279680E-05"),
    ((3, 0, 1, 1), "2.59835559E-06"),
    ((4, 0, 1, 1), "-4.77136523E-08"),
    ((0, 1, 1, 1), "8.64203390E-03"),
    ((1, 1, 1, 1), "-6.87405181E-04"),
    ((2, 1, 1, 1), "-9.13863872E-06"),
    ((3, 1, 1, 1), "5.15916806E-07"),
    ((0, 2, 1, 1), "-3.59217476E-05"),
    ((1, 2, 1, 1), "3.28696511E-05"),
    ((2, 2, 1, 1), "-7.10542454E-07"),
    ((0, 3, 1, 1), "-1.24382300E-05"),
    ((1, 3, 1, 1), "-7.38584400E-09"),
    ((0, 4, 1, 1), "2.20609296E-07"),
    ((0, 0, 2, 1), "-7.32469180E-04"),
    ((1, 0, 2, 1), "-1.87381964E-05"),
    ((2, 0, 2, 1), "4.80925239E-06"),
    ((3, 0, 2, 1), "-8.75492040E-08"),
    ((0, 1, 2, 1), "2.77862930E-05"),
    ((1, 1, 2, 1), "-5.06004592E-06"),
    ((2, 1, 2, 1), "1.14325367E-07"),
    ((0, 2, 2, 1), "2.53016723E-06"),
    ((1, 2, 2, 1), "-1.72857035E-08"),
    ((0, 3, 2, 1), "-3.95079398E-08"),
    ((0, 0, 3, 1), "-3.59413173E-07"),
    ((1, 0, 3, 1), "7.04388046E-07"),
    ((2, 0, 3, 1), "-1.89309167E-08"),
    ((0, 1, 3, 1), "-4.79768731E-07"),
    ((1, 1, 3, 1), "7.96079978E-09"),
    ((0, 2, 3, 1), "1.62897058E-09"),
    ((0, 0, 4, 1), "3.94367674E-08"),
    ((1, 0, 4, 1), "-1.18566247E-09"),
    ((0, 1, 4, 1), "3.34678041E-10"),
    ((0, 0, 5, 1), "-1.15606447E-10"),
    ((0, 0, 0, 2), "-2.80626406E+00"),
    ((1, 0, 0, 2), "5.48712484E-01"),
    ((2, 0, 0, 2), "-3.99428410E-03"),
    ((3, 0, 0, 2), "-9.54009191E-04"),
    ((4, 0, 0, 2), "1.93090978E-05"),
    ((0, 1, 0, 2), "-3.08806365E-01"),
    ((1, 1, 0, 2), "1.16952364E-02"),
    ((2, 1, 0, 2), "4.95271903E-04"),
    ((3, 1, 0, 2), "-1.90710882E-05"),
    ((0, 2, 0, 2), "2.10787756E-03"),
    ((1, 2, 0, 2), "-6.98445738E-04"),
    ((2, 2, 0, 2), "2.30109073E-05"),
    ((0, 3, 0, 2), "4.17856590E-04"),
    ((1, 3, 0, 2), "-1.27043871E-05"),
    ((0, 4, 0, 2), "-3.04620472E-06"),
    ((0, 0, 1, 2), "5.14507424E-02"),
    ((1, 0, 1, 2), "-4.32510997E-03"),
    ((2, 0, 1, 2), "8.99281156E-05"),
    ((3, 0, 1, 2), "-7.14663943E-07"),
    ((0, 1, 1, 2), "-2.66016305E-04"),
    ((1, 1, 1, 2), "2.63789586E-04"),
    ((2, 1, 1, 2), "-7.01199003E-06"),
    ((0, 2, 1, 2), "-1.06823306E-04"),
    ((1, 2, 1, 2), "3.61341136E-06"),
    ((0, 3, 1, 2), "2.29748967E-07"),
    ((0, 0, 2, 2), "3.04788893E-04"),
    ((1, 0, 2, 2), "-6.42070836E-05"),
    ((2, 0, 2, 2), "1.16257971E-06"),
    ((0, 1, 2, 2), "7.68023384E-06"),
    ((1, 1, 2, 2), "-5.47446896E-07"),
    ((0, 2, 2, 2), "-3.59937910E-08"),
    ((0, 0, 3, 2), "-4.36497725E-06"),
    ((1, 0, 3, 2), "1.68737969E-07"),
    ((0, 1, 3, 2), "2.67489271E-08"),
    ((0, 0, 4, 2), "3.23926897E-09"),
    ((0, 0, 0, 3), "-3.53874123E-02"),
    ((1, 0, 0, 3), "-2.21201190E-01"),
    ((2, 0, 0, 3), "1.55126038E-02"),
    ((3, 0, 0, 3), "-2.63917279E-04"),
    ((0, 1, 0, 3), "4.53433455E-02"),
    ((1, 1, 0, 3), "-4.32943862E-03"),
    ((2, 1, 0, 3), "1.45389826E-04"),
    ((0, 2, 0, 3), "2.17508610E-04"),
    ((1, 2, 0, 3), "-6.66724702E-05"),
    ((0, 3, 0, 3), "3.33217140E-05"),
    ((0, 0, 1, 3), "-2.26921615E-03"),
    ((1, 0, 1, 3), "3.80261982E-04"),
    ((2, 0, 1, 3), "-5.45314314E-09"),
    ((0, 1, 1, 3), "-7.96355448E-04"),
    ((1, 1, 1, 3), "2.53458034E-05"),
    ((0, 2, 1, 3), "-6.31223658E-06"),
    ((0, 0, 2, 3), "3.02122035E-04"),
    ((1, 0, 2, 3), "-4.77403547E-06"),
    ((0, 1, 2, 3), "1.73825715E-06"),
    ((0, 0, 3, 3), "-4.09087898E-07"),
    ((0, 0, 0, 4), "6.14155345E-01"),
    ((1, 0, 0, 4), "-6.16755931E-02"),
    ((2, 0, 0, 4), "1.33374846E-03"),
    ((0, 1, 0, 4), "3.55375387E-03"),
    ((1, 1, 0, 4), "-5.13027851E-04"),
    ((0, 2, 0, 4), "1.02449757E-04"),
    ((0, 0, 1, 4), "-1.48526421E-03"),
    ((1, 0, 1, 4), "-4.11469183E-05"),
    ((0, 1, 1, 4), "-6.80434415E-06"),
    ((0, 0, 2, 4), "-9.77675906E-06"),
    ((0, 0, 0, 5), "8.82773108E-02"),
    ((1, 0, 0, 5), "-3.01859306E-03"),
    ((0, 1, 0, 5), "1.04452989E-03"),
    ((0, 0, 1, 5), "2.47090539E-04"),
    ((0, 0, 0, 6), "1.48348065E-03"),
]
UTCI = ("computed exactly from the coefficients of Broede et al. (2012) Int. J. Biometeorol. "
        "56:481, UTCI_approx version a 0.002 as published")


def utci(Ta, Tmrt, va, pa):
    Ta, d, va, pa = Fraction(Ta), Fraction(Tmrt) - Fraction(Ta), Fraction(va), Fraction(pa)
    total = Ta
    for (i, j, k, l), c in UTCI_TERMS:
        total += Fraction(c) * Ta ** i * va ** j * d ** k * pa ** l
    return total


for Ta, Tmrt, va, pa in [(30, 40, 1, 2), (25, 27, 1, 1.5), (-20, -25, 5, 0.1), (40, 80, 3, 3),
                         (0, 10, 10, 0.5), (-45, -40, 16, 0.05), (45, 110, 0.5, 4.5),
                         (10, -15, 2, 1)]:
    value = float(utci(Ta, Tmrt, va, pa))
    row("utci", Ta, "vapor_pressure", pa, repr(value), "degC", "1e-9",
        "exact arithmetic against the library's doubles", UTCI, mean_radiant_temperature=Tmrt,
        wind_speed=va)


# --- Liljegren et al. (2008): an independent prototype of the published model,
# with his own saturation relation (Buck 1981, times 1.004) and his damped
# iteration, carried on until the steps are below 1e-10 K.
def liljegren(Ta, e, P, u10, S, cosz, fdir=None):
    """Ta in degC, e and P in hPa, u10 in m/s, S in W/m2: (Tg, Tnwb, WBGT) in degC."""
    sigma, cp, mair, mh2o = 5.6696e-8, 1003.5, 28.97, 18.015
    rair = 8314.34 / mair
    pr = cp / (cp + 1.25 * rair)
    if cosz >= 0.00873:
        toa = 1367.0 * cosz
        s = min(S / toa, 0.85)
        S = s * toa
        if fdir is None:
            fdir = max(min(math.exp(3 - 1.34 * s - 1.65 / s), 0.9), 0.0) if s > 0 else 0.0
    else:
        S, fdir = 0.0, 0.0
    classes = [[1, 1, 2, 4, 0, 5, 6], [1, 2, 3, 4, 0, 5, 6], [2, 2, 3, 4, 0, 4, 4],
               [3, 3, 4, 4, 0, 0, 0], [3, 4, 4, 4, 0, 0, 0]]
    if cosz > 0:
        j = 0 if S >= 925 else 1 if S >= 675 else 2 if S >= 175 else 3
        i = 4 if u10 >= 6 else 3 if u10 >= 5 else 2 if u10 >= 3 else 1 if u10 >= 2 else 0
    else:
        j, i = 5, 2 if u10 >= 2.5 else 1 if u10 >= 2 else 0
    p = [0.07, 0.07, 0.10, 0.15, 0.35, 0.55][classes[i][j] - 1]
    u = max(u10 * (2 / 10) ** p, 0.13)
    T = Ta + 273.15

    def esat(tk):
        return 6.1121 * math.exp(17.502 * (tk - 273.15) / (tk - 32.18)) * 1.004

    def visc(t):
        omega = (t / 97 - 2.9) / 0.4 * -0.034 + 1.048
        return 2.6693e-6 * math.sqrt(mair * t) / (3.617 ** 2 * omega)

    def cond(t):
        return (cp + 1.25 * rair) * visc(t)

    def rho(t):
        return P * 100 / (rair * t)

    sky = 0.5 * (0.575 * e ** 0.143 * T ** 4 + 0.999 * T ** 4)
    direct = fdir * (1 / (2 * cosz) - 1) if S > 0 else 0.0
    tg = T
    for _ in range(100000):
        tref = 0.5 * (tg + T)
        re = u * rho(tref) * 0.0508 / visc(tref)
        h = (2 + 0.6 * math.sqrt(re) * pr ** 0.3333) * cond(tref) / 0.0508
        new = (sky - h / (sigma * 0.95) * (tg - T)
               + S / (2 * sigma * 0.95) * 0.95 * (direct + 1 + 0.45)) ** 0.25
        if abs(new - tg) < 1e-10:
            break
        tg = 0.9 * tg + 0.1 * new
    tw = T - 5
    tan = math.sqrt(1 - cosz * cosz) / cosz if S > 0 else 0.0
    for _ in range(100000):
        tref = 0.5 * (tw + T)
        re = u * rho(tref) * 0.007 / visc(tref)
        h = 0.281 * re ** 0.6 * pr ** 0.44 * cond(tref) / 0.007
        fatm = (sigma * 0.95 * (sky - tw ** 4)
                + 0.6 * S * ((1 - fdir) * (1 + 0.25 * 0.007 / 0.0254)
                             + fdir * (tan / math.pi + 0.25 * 0.007 / 0.0254) + 0.45))
        ew = esat(tw)
        diff = (3.64e-4 * (tref / math.sqrt(132 * 647.3)) ** 2.334 * (36.4 * 218) ** (1 / 3)
                * (132 * 647.3) ** (5 / 12) * math.sqrt(1 / mair + 1 / mh2o) / (P / 1013.25)
                * 1e-4)
        sc = visc(tref) / (rho(tref) * diff)
        hevap = (313.15 - tref) / 30 * -71100 + 2.4073e6
        new = T - hevap / (cp * mair / mh2o) * (ew - e) / (P - ew) * (pr / sc) ** 0.56 + fatm / h
        if abs(new - tw) < 1e-10:
            break
        tw = 0.9 * tw + 0.1 * new
    tg, tw = tg - 273.15, tw - 273.15
    return tg, tw, 0.7 * tw + 0.2 * tg + 0.1 * Ta


LILJEGREN = ("computed from Liljegren et al. (2008) J. Occup. Environ. Hyg. 5:645 by an "
             "independent prototype (his saturation relation and iteration)")
for Ta, e, P, u10, S, cosz, fdir in [(32, 25, 1013.25, 2, 800, 0.7, None),
                                     (35, 30, 1000, 1, 900, 0.9, None),
                                     (28, 20, 1013.25, 4, 400, 0.5, None),
                                     (40, 15, 950, 3, 1000, 0.95, 0.8),
                                     (25, 15, 1013.25, 6, 0, -0.2, None),
                                     (30, 35, 1010, 0.5, 600, 0.3, None),
                                     (20, 12, 900, 2.2, 300, 0.6, 0.3),
                                     (45, 10, 980, 5.5, 950, 0.85, None)]:
    tg, tw, wbgt = liljegren(Ta, e, P, u10, S, cosz, fdir)
    inputs = dict(wind_speed=u10, solar_irradiance=S, cos_zenith=cosz)
    if fdir is not None:
        inputs["direct_fraction"] = fdir
    row("wet_bulb_globe_temperature", Ta, "vapor_pressure", e / 10, f"{wbgt:.2f}", "degC", "0.1",
        "the model's saturation relation (Buck's against the handbook's) and printed digits",
        LILJEGREN, pressure=P / 10, **inputs)


# --- Closed forms in 40-digit decimals.
def ex(x):
    return D(x).exp()


def ln(x):
    return D(x).ln()


def pw(x, y):
    return ex(D(y) * ln(x))


EPS = D("0.621945")
for Ta, e, P in [(20, 2.0, 85), (30, 3.5, 100), (-10, 0.2, 70), (5, 0.8, 50)]:
    T = D(Ta) + D("273.15")
    W = EPS * D(e) / (D(P) - D(e))
    theta = T * pw(D(100) / D(P), D("0.2857")) - D("273.15")
    eh = D(e) * 10
    TL = D(2840) / (D("3.5") * ln(T) - ln(eh) - D("4.805")) + 55
    thdl = T * pw(D(1000) / (D(P) * 10 - eh), D("0.2854")) * pw(T / TL, D("0.28") * W)
    thetae = thdl * ex((D(3036) / TL - D("1.78")) * W * (1 + D("0.448") * W)) - D("273.15")
    tv = T * (1 + W / EPS) / (1 + W) - D("273.15")
    for key, value, src in [("potential_temperature", theta, "T (100/P)^0.2857 (AMS Glossary)"),
                            ("equivalent_potential_temperature", thetae,
                             "Bolton (1980) Mon. Weather Rev. 108:1046, eqs. 21, 24 and 39"),
                            ("virtual_temperature", tv, "T (1 + W/0.621945)/(1 + W)")]:
        row(key, Ta, "vapor_pressure", e, f"{value:.12f}", "degC", "1e-9",
            "40-digit decimals against the library's doubles", f"computed: {src}", pressure=P)

STEADMAN = "computed: Steadman (1994) Aust. Met. Mag. 43:1, as the Bureau of Meteorology gives it"
for Ta, e, v, Q in [(30, 2.5, 3, 300), (10, 1.0, 8, 50), (38, 1.5, 0, 600)]:
    at = D(Ta) + D("0.33") * D(e) * 10 - D("0.70") * D(v) - D("4.00")
    ats = (D(Ta) + D("0.348") * D(e) * 10 - D("0.70") * D(v) + D("0.70") * D(Q) / (D(v) + 10)
           - D("4.25"))
    row("apparent_temperature", Ta, "vapor_pressure", e, f"{at:.12f}", "degC", "1e-9",
        "decimals against doubles", STEADMAN, wind_speed=v)
    row("apparent_temperature_in_sun", Ta, "vapor_pressure", e, f"{ats:.12f}", "degC", "1e-9",
        "decimals against doubles", STEADMAN, wind_speed=v, net_radiation=Q)
    est = D("0.567") * D(Ta) + D("0.393") * D(e) * 10 + D("3.94")
    row("wet_bulb_globe_temperature_estimate", Ta, "vapor_pressure", e, f"{est:.12f}", "degC",
        "1e-9", "decimals against doubles",
        "computed: the Bureau of Meteorology's 0.567 T + 0.393 e + 3.94")

ISO = "computed: ISO 7726 (1998) Annex B, the larger of forced and natural convection"
for ta, tg, va in [(30, 55, 0.3), (20, 25, 0.0), (25, 40, 2.0), (10, 5, 1.0)]:
    forced = D("1.1e8") * pw(D(va), D("0.6")) / pw(D("0.15"), D("0.4")) if va else D(0)
    natural = D("0.25e8") * pw(abs(D(tg) - D(ta)) / D("0.15"), D("0.25"))
    h = max(forced, natural)
    mrt = pw((D(tg) + 273) ** 4 + h / D("0.95") * (D(tg) - D(ta)), D("0.25")) - 273
    row("mean_radiant_temperature", ta, "vapor_pressure", 1.0, f"{mrt:.12f}", "degC", "1e-9",
        "decimals against doubles", ISO, globe_temperature=tg, air_speed=va)

writer = csv.DictWriter(sys.stdout, COLUMNS, lineterminator="\n")
writer.writeheader()
writer.writerows(rows)
