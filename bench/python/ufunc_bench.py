"""Nanoseconds per state of each calculator-model ufunc (hygrian.calculator),
float64 and float32, against the C++ library's own loop with the calculator
model (bench/python/reference.cpp) on the same inputs, and against the same
relations in plain NumPy (numpy_baseline.py), all in the same run. (The
handbook model's ufuncs, hygrian's default, compute in SIMD lanes:
vector_bench.py times them.)

    /usr/bin/python3 bench/python/ufunc_bench.py [BUILD_DIR]   # default build/bench

BUILD_DIR is a tree of the bench preset (cmake --preset bench && cmake --build
--preset bench). Figures are the least CPU time of several passes, over rounds
that take turns, so a busy machine slows every side alike. Goals: the float64
ufunc within 1.15x of the library's loop, and at least 3x faster than NumPy."""

import os
import subprocess
import sys
import tempfile
import time

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "../../build/bench"))
sys.path.insert(0, os.path.join(BUILD, "python"))
sys.path.insert(0, HERE)

import hygrian  # noqa: E402
import numpy_baseline  # noqa: E402

STATES = 1_000_000
ROUNDS, PASSES = 3, 3
REFERENCE = os.path.join(BUILD, "bench", "hygrian_python_reference")


def weather(n):
    """Everyday states: -20 to 45 degrees C, 5 to 100 percent, 80 to 103 kPa."""
    rng = np.random.default_rng(2026)
    t = rng.uniform(-20.0, 45.0, n)
    rh = rng.uniform(5.0, 100.0, n)
    P = rng.uniform(80.0, 103.0, n)
    s = hygrian.calculator.from_dry_bulb_relative_humidity(t, rh, P)
    keep = s[-1] == 0
    names = dict(zip(hygrian.PROPERTIES, s))
    return {name: names[name][keep] for name in hygrian.PROPERTIES}, P[keep]


def best_ns(run, n, passes=PASSES):
    best = float("inf")
    for _ in range(passes):
        start = time.process_time_ns()
        run()
        best = min(best, (time.process_time_ns() - start) / n)
    return best


def reference_ns(pair, inputs, directory):
    path = os.path.join(directory, pair + ".f64")
    np.concatenate(inputs).tofile(path)
    out = subprocess.run([REFERENCE, pair, path, str(PASSES)], check=True, capture_output=True,
                         text=True).stdout.split()
    return float(out[0])


def largest_difference(ufunc_state, numpy_state):
    """The largest absolute difference over the nine properties, as a sanity check
    that the baseline computes the same thing."""
    return max(float(np.max(np.abs(u - numpy_state[name])))
               for name, u in zip(hygrian.PROPERTIES, ufunc_state))


def outputs(n, dtype):
    return tuple(np.empty(n, dtype) for _ in hygrian.PROPERTIES) + (np.empty(n, np.int8),)


def main():
    states, P = weather(STATES)
    n = len(P)
    pairs = ["wet_bulb", "dew_point", "relative_humidity", "humidity_ratio"]
    sides = ["library", "float64", "float32", "new arrays", "numpy"]
    figures = {pair: {side: [] for side in sides} for pair in pairs}
    out64, out32 = outputs(n, np.float64), outputs(n, np.float32)
    with tempfile.TemporaryDirectory() as directory:
        for _ in range(ROUNDS):
            for pair in pairs:
                ufunc = getattr(hygrian.calculator, "from_dry_bulb_" + pair)
                baseline = getattr(numpy_baseline, "from_dry_bulb_" + pair)
                inputs = (states["dry_bulb"], states[pair], P)
                inputs32 = tuple(a.astype(np.float32) for a in inputs)
                f = figures[pair]
                f["library"].append(reference_ns(pair, inputs, directory))
                # Into arrays kept from pass to pass, as the library's loop keeps its own.
                f["float64"].append(best_ns(lambda: ufunc(*inputs, out=out64), n))
                f["float32"].append(best_ns(lambda: ufunc(*inputs32, out=out32), n))
                # Into new arrays each time, as a user calls it and NumPy works.
                f["new arrays"].append(best_ns(lambda: ufunc(*inputs), n))
                f["numpy"].append(best_ns(lambda: baseline(*inputs), n, passes=1))
    print(f"{n} everyday states, least of {ROUNDS} rounds x {PASSES} passes, CPU ns per state\n")
    print("| pair | library loop | ufunc float64 | ufunc float32 | ufunc float64, new arrays "
          "| plain NumPy | float64 / library | NumPy / new arrays | largest difference to NumPy |")
    print("|---|---|---|---|---|---|---|---|---|")
    for pair in pairs:
        best = {side: min(values) for side, values in figures[pair].items()}
        inputs = (states["dry_bulb"], states[pair], P)
        difference = largest_difference(getattr(hygrian.calculator, "from_dry_bulb_" + pair)(*inputs),
                                        getattr(numpy_baseline, "from_dry_bulb_" + pair)(*inputs))
        print(f"| {pair.replace('_', ' ')} | {best['library']:.0f} | {best['float64']:.0f} "
              f"| {best['float32']:.0f} | {best['new arrays']:.0f} | {best['numpy']:.0f} "
              f"| {best['float64'] / best['library']:.2f}x "
              f"| {best['numpy'] / best['new arrays']:.1f}x | {difference:.1e} |")


if __name__ == "__main__":
    main()
