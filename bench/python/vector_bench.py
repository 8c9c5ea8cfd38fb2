"""Nanoseconds per state of the handbook-model ufuncs (the full state with the
dew point and the wet-bulb, through hygrian::ComputeStates in SIMD lanes)
against plain vectorised NumPy evaluating the same handbook relations (ASHRAE
2017 ch. 1: Hyland-Wexler with Hardy's enhancement factor, eqs. 20, 26, 30;
the dew point by two Newton steps from Magnus's guess) without a wet-bulb
search, and (where numba imports) against numba code of the same relations
computing the full state with the wet-bulb, state by state, on one core, in
the same run.

    /usr/bin/python3 bench/python/vector_bench.py [BUILD_DIR]   # default build/bench

BUILD_DIR is a tree of the bench preset with the Python module built
(cmake --build --preset bench --target hygrian_python). Least CPU time of
several passes over 1,000,000 everyday states (-20 to 45 degrees C, 5 to 100
percent, 80 to 103 kPa). Goals: the ufunc at least as fast as NumPy, and
faster than numba; float32 no slower than float64."""

import os
import sys
import time

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "../../build/bench"))
sys.path.insert(0, os.path.join(BUILD, "python"))

import hygrian  # noqa: E402

STATES = 1_000_000
PASSES = 5
EPSILON = 0.621945
# ln p (Pa) = C/T + C0 + C1 T + C2 T^2 + C3 T^3 (+ C4 T^4) + Clog ln T
ICE = (-5.6745359e3, 6.3925247, -9.677843e-3, 6.2215701e-7, 2.0747825e-9, -9.484024e-13,
       4.1635019)
WATER = (-5.8002206e3, 1.3914993, -4.8640239e-2, 4.1764768e-5, -1.4452093e-8, 0.0, 6.5459673)
# Hardy's alpha (A0..A3) and ln beta (B0..B3)
F_ICE = (-6.0190570e-2, 7.3984060e-4, -3.0897838e-6, 4.3669918e-9,
         -9.4868712e1, 7.2392075e-1, -2.1963437e-3, 2.4668279e-6)
F_WATER = (-1.6302041e-1, 1.8071570e-3, -6.7703064e-6, 8.5813609e-9,
           -5.9890467e1, 3.4378043e-1, -7.7326396e-4, 6.3405286e-7)
F_SUPERCOOLED = (-5.5898100e-2, 6.7140389e-4, -2.7492721e-6, 3.8268958e-9,
                 -8.1985393e1, 5.8230823e-1, -1.6340527e-3, 1.6725084e-6)


def pick(ice, water, t):
    return [np.where(t <= 0.01, i, w) for i, w in zip(ice, water)]


def log_saturation(t, P):
    """ln(f p_ws) in kPa at t (degrees C) over ice at and below 0.01, and its slope."""
    T = t + 273.15
    c, c0, c1, c2, c3, c4, clog = pick(ICE, WATER, t)
    log_pure = c / T + c0 + T * (c1 + T * (c2 + T * (c3 + T * c4))) + clog * np.log(T) \
        - np.log(1000.0)
    slope = (clog - c / T) / T + c1 + T * (2 * c2 + T * (3 * c3 + T * 4 * c4))
    water = np.where(t < 0.0, np.array(F_SUPERCOOLED)[:, None], np.array(F_WATER)[:, None]) \
        if np.ndim(t) else F_WATER
    a0, a1, a2, a3, b0, b1, b2, b3 = pick(F_ICE, water, t)
    pure = np.exp(log_pure)
    alpha = a0 + T * (a1 + T * (a2 + T * a3))
    beta = np.exp(b0 + T * (b1 + T * (b2 + T * b3)))
    log_f = np.maximum(np.where(pure < P, alpha * (1 - pure / P) + beta * (P / pure - 1), 0.0),
                       0.0)
    return log_pure + log_f, slope


def dew_point(p, P):
    log_p = np.log(p)
    y = log_p - np.log(0.6112 * 1.004)
    ice = y < 0.0
    t = np.where(ice, 272.62, 243.12) * y / (np.where(ice, 22.46, 17.62) - y)
    for _ in range(2):
        value, slope = log_saturation(t, P)
        t = t - (value - log_p) / slope
    return t


def state(t, p, P):
    """Every property but the wet-bulb from the vapour pressure p."""
    saturation = np.exp(log_saturation(t, P)[0])
    W = EPSILON * p / (P - p)
    Ws = EPSILON * saturation / (P - saturation)
    return {"relative_humidity": 100 * p / saturation, "humidity_ratio": W,
            "degree_of_saturation": W / Ws, "enthalpy": 1.006 * t + W * (2501 + 1.86 * t),
            "specific_volume": 0.287042 * (t + 273.15) * (1 + 1.607858 * W) / P,
            "vapor_pressure": p, "dew_point": dew_point(p, P)}


def numpy_from_relative_humidity(t, rh, P):
    return state(t, rh / 100 * np.exp(log_saturation(t, P)[0]), P)


def numpy_from_humidity_ratio(t, W, P):
    return state(t, P * W / (EPSILON + W), P)


def numpy_from_dew_point(t, td, P):
    return state(t, np.exp(log_saturation(td, P)[0]), P)


def numba_from_relative_humidity():
    """The relative-humidity pair's full state with the wet-bulb (the psychrometric
    equation, ASHRAE 2017 eqs. 33 and 35, by regula falsi between the dew point
    and the dry-bulb), compiled by numba; None where numba does not import."""
    try:
        import numba
    except ImportError:
        return None
    ice, water = np.array(ICE), np.array(WATER)
    f_ice, f_water = np.array(F_ICE), np.array(F_WATER)

    @numba.njit
    def saturation(t, P):
        c, f = (ice, f_ice) if t <= 0.01 else (water, f_water)
        T = t + 273.15
        pure = np.exp(c[0] / T + c[1] + T * (c[2] + T * (c[3] + T * (c[4] + T * c[5])))
                      + c[6] * np.log(T)) / 1000.0
        alpha = f[0] + T * (f[1] + T * (f[2] + T * f[3]))
        beta = np.exp(f[4] + T * (f[5] + T * (f[6] + T * f[7])))
        log_f = max(alpha * (1 - pure / P) + beta * (P / pure - 1), 0.0) if pure < P else 0.0
        return pure * np.exp(log_f)

    @numba.njit
    def psychrometric(t, x, P):
        ps = saturation(x, P)
        Ws = EPSILON * ps / (P - ps)
        if x <= 0.0:
            return ((2830.0 - 0.24 * x) * Ws - 1.006 * (t - x)) / (2830.0 + 1.86 * t - 2.1 * x)
        return ((2501.0 - 2.326 * x) * Ws - 1.006 * (t - x)) / (2501.0 + 1.86 * t - 4.186 * x)

    @numba.njit
    def one(t, rh, P, out):
        sat = saturation(t, P)
        p = rh / 100.0 * sat
        W = EPSILON * p / (P - p)
        Ws = EPSILON * sat / (P - sat)
        log_p = np.log(p)
        y = log_p - np.log(0.6112 * 1.004)
        td = (272.62 * y / (22.46 - y)) if y < 0.0 else (243.12 * y / (17.62 - y))
        for _ in range(3):
            h = 1e-6
            g = np.log(saturation(td, P)) - log_p
            td -= g * h / (np.log(saturation(td + h, P)) - log_p - g)
        # Regula falsi (Illinois) between the dew point and the dry-bulb.
        a, b = td, t
        ra, rb = psychrometric(t, a, P) - W, psychrometric(t, b, P) - W
        x, side = b, 0
        for _ in range(100):
            if rb == ra:
                break
            x = b - rb * (b - a) / (rb - ra)
            rx = psychrometric(t, x, P) - W
            if rx == 0.0 or abs(b - a) < 1e-10:
                break
            if (rx > 0.0) == (rb > 0.0):
                b, rb = x, rx
                if side == 1:
                    ra *= 0.5
                side = 1
            else:
                a, ra = x, rx
                if side == -1:
                    rb *= 0.5
                side = -1
        out[0], out[1], out[2], out[3] = 100 * p / sat, W, W / Ws, td
        out[4] = 1.006 * t + W * (2501 + 1.86 * t)
        out[5] = 0.287042 * (t + 273.15) * (1 + 1.607858 * W) / P
        out[6], out[7] = p, x

    @numba.njit
    def run(t, rh, P):
        out = np.empty((t.size, 8))
        for i in range(t.size):
            one(t[i], rh[i], P[i], out[i])
        return out

    return run


def best_ns(run, n):
    best = float("inf")
    for _ in range(PASSES):
        start = time.process_time_ns()
        run()
        best = min(best, (time.process_time_ns() - start) / n)
    return best


def main():
    rng = np.random.default_rng(2026)
    t, rh, P = rng.uniform(-20, 45, STATES), rng.uniform(5, 100, STATES), rng.uniform(80, 103, STATES)
    s = dict(zip(hygrian.PROPERTIES, hygrian.from_dry_bulb_relative_humidity(t, rh, P)))
    cases = [("relative_humidity", rh, numpy_from_relative_humidity),
             ("dew_point", s["dew_point"], numpy_from_dew_point),
             ("humidity_ratio", s["humidity_ratio"], numpy_from_humidity_ratio),
             ("wet_bulb", s["wet_bulb"], None)]
    print(f"{STATES} everyday states, least of {PASSES} passes, CPU ns per state\n")
    print("| pair | ufunc (full state, wet-bulb) | the same in float32 | NumPy (no wet-bulb) "
          "| NumPy / ufunc | largest RH difference |")
    print("|---|---|---|---|---|---|")
    t32, P32 = t.astype(np.float32), P.astype(np.float32)
    for name, second, baseline in cases:
        ufunc = getattr(hygrian, "from_dry_bulb_" + name)
        ours = best_ns(lambda: ufunc(t, second, P), STATES)
        second32 = second.astype(np.float32)
        single = best_ns(lambda: ufunc(t32, second32, P32), STATES)
        row = f"| {name.replace('_', ' ')} | {ours:.0f} | {single:.0f}"
        if baseline is None:
            print(f"{row} | | | |")
            continue
        theirs = best_ns(lambda: baseline(t, second, P), STATES)
        got = dict(zip(hygrian.PROPERTIES, ufunc(t, second, P)))
        difference = float(np.nanmax(np.abs(got["relative_humidity"]
                                            - baseline(t, second, P)["relative_humidity"])))
        print(f"{row} | {theirs:.0f} | {theirs / ours:.2f}x | {difference:.1e} |")
    compiled = numba_from_relative_humidity()
    if compiled is None:
        print("\nnumba does not import: not compared")
        return
    compiled(t[:10], rh[:10], P[:10])  # compiled before timing
    ours = best_ns(lambda: hygrian.from_dry_bulb_relative_humidity(t, rh, P), STATES)
    theirs = best_ns(lambda: compiled(t, rh, P), STATES)
    # Off the 0 degrees C plateau (ice or water on the wick), which regula falsi
    # does not know of.
    off = s["wet_bulb"] != 0.0
    wet_bulb = float(np.nanmax(np.abs(compiled(t, rh, P)[off, 7] - s["wet_bulb"][off])))
    print("\n| pair | ufunc (full state, wet-bulb) | numba (full state, wet-bulb) "
          "| numba / ufunc | largest wet-bulb difference off 0 |")
    print("|---|---|---|---|---|")
    print(f"| relative humidity | {ours:.0f} | {theirs:.0f} | {theirs / ours:.2f}x "
          f"| {wet_bulb:.1e} |")


if __name__ == "__main__":
    main()
