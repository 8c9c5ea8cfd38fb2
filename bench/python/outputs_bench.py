#!/usr/bin/python3
"""hygrian.xarray's memory and its float32 speed on a synthetic ERA5-like file
(era5_like.py; 12 hours by default, 12,458,880 states), loaded into memory as
xarray decodes its int16: float32 t2m and d2m in K, sp in Pa.

- memory: in a fresh process for each case, the resident memory once the file
  is loaded, and the peak above it while hygrian.xarray computes (the kernel's
  high-water mark, reset after the load): every property, and the wet-bulb
  alone (wet_bulb_temperature). The goal for the wet-bulb alone: one float32
  output and the int8 status, 5 bytes a state, and a few small buffers.
- speed: hygrian.xarray.psychrometrics on the float32 DataArrays (units
  converted in blocks, float32 out) against the ufunc itself on the same
  values already in degC and kPa, as float32 arrays (float32 out), in one
  process, taking turns; the ratio of their speeds against a goal of 0.9.

Both with over="water" (ERA5's d2m). --against DIR measures another build of
the package (PYTHONPATH=DIR) in the same run, taking turns. Needs the built package:

    PYTHONPATH=build/release/python /usr/bin/python3 bench/python/outputs_bench.py \\
        [--hours N] [--repeat N] [--against OTHER/python]
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
import xarray as xr

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import era5_like  # noqa: E402

MB = 1 << 20


def resident():
    """This process's resident memory and its high-water mark, bytes."""
    fields = {}
    with open("/proc/self/status", encoding="ascii") as status:
        for line in status:
            key, _, value = line.partition(":")
            if key in ("VmRSS", "VmHWM"):
                fields[key] = int(value.split()[0]) * 1024
    return fields["VmRSS"], fields["VmHWM"]


def peak(source, case):
    """In this process: (resident after the load, peak above it during the
    compute, seconds of the compute) for case "all" or "wet_bulb"."""
    import hygrian.xarray  # pylint: disable=import-outside-toplevel
    with xr.open_dataset(source) as era5:
        era5.load()
        loaded, _ = resident()
        with open("/proc/self/clear_refs", "w", encoding="ascii") as clear:
            clear.write("5")  # the high-water mark back to the resident memory
        start = time.perf_counter()
        if case == "wet_bulb":
            result = hygrian.xarray.wet_bulb_temperature(era5.t2m, era5.d2m, era5.sp)
        else:
            result = hygrian.xarray.psychrometrics(dry_bulb=era5.t2m, dew_point=era5.d2m,
                                                   pressure=era5.sp, over="water")
        seconds = time.perf_counter() - start
        _, high = resident()
        del result
    return loaded, high - loaded, seconds


def speeds(source, repeat):
    """Best seconds of the ufunc and of hygrian.xarray on the same float32 data:
    wall and CPU (this process's, less sensitive to other work on the machine)."""
    import hygrian  # pylint: disable=import-outside-toplevel
    import hygrian.xarray  # pylint: disable=import-outside-toplevel
    with xr.open_dataset(source) as era5:
        era5.load()
        t = (era5.t2m.values - np.float32(273.15)).astype(np.float32)
        d = (era5.d2m.values - np.float32(273.15)).astype(np.float32)
        p = (era5.sp.values / np.float32(1000.0)).astype(np.float32)
        ufunc = hygrian.handbook_over_water.from_dry_bulb_dew_point
        runs = {
            "ufunc": lambda: ufunc(t, d, p),
            "xarray": lambda: hygrian.xarray.psychrometrics(
                dry_bulb=era5.t2m, dew_point=era5.d2m, pressure=era5.sp, over="water"),
        }
        best = {f"{name} {clock}": float("inf") for name in runs for clock in ("wall", "cpu")}
        for _ in range(repeat):
            for name, run in runs.items():
                wall, cpu = time.perf_counter(), time.process_time()
                result = run()
                best[f"{name} wall"] = min(best[f"{name} wall"], time.perf_counter() - wall)
                best[f"{name} cpu"] = min(best[f"{name} cpu"], time.process_time() - cpu)
                del result
    return best


def in_process(path, *arguments):
    """This script with arguments in a fresh process that imports hygrian from path."""
    env = dict(os.environ, PYTHONPATH=os.pathsep.join(
        p for p in [path, os.environ.get("PYTHONPATH", "")] if p))
    run = subprocess.run([sys.executable, os.path.abspath(__file__), *arguments], env=env,
                         check=True, capture_output=True, text=True)
    return json.loads(run.stdout)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--hours", type=int, default=12)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--against", metavar="DIR",
                        help="also another build of the package, taking turns")
    parser.add_argument("--peak", nargs=2, metavar=("SOURCE", "CASE"), help=argparse.SUPPRESS)
    parser.add_argument("--speeds", metavar="SOURCE", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.peak:
        print(json.dumps(peak(*args.peak)))
        return
    if args.speeds:
        print(json.dumps(speeds(args.speeds, args.repeat)))
        return
    import hygrian  # pylint: disable=import-outside-toplevel
    root = os.path.dirname(os.path.dirname(os.path.abspath(hygrian.__file__)))
    builds = {"this build": root}
    if args.against:
        builds[args.against] = args.against
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "era5.nc")
        era5_like.write(source, args.hours)
        states = args.hours * 721 * 1440
        print(f"states: {states:,} ({args.hours} hours of 721 x 1440), float32, over water; "
              f"load average {os.getloadavg()[0]:.2f}")
        budget = states * 5 / MB
        for label, path in builds.items():
            for case in ("all", "wet_bulb"):
                runs = [in_process(path, "--peak", source, case) for _ in range(args.repeat)]
                loaded = min(r[0] for r in runs)
                above = min(r[1] for r in runs)
                seconds = min(r[2] for r in runs)
                what = "every property" if case == "all" else "the wet-bulb alone"
                print(f"{label}, {what}: loaded {loaded / MB:.0f} MB, the compute's peak "
                      f"{above / MB:.0f} MB above it (whole run {(loaded + above) / MB:.0f} MB; "
                      f"one float32 output and the status: {budget:.0f} MB), {seconds:.2f} s")
        for label, path in builds.items():
            best = in_process(path, "--speeds", source, "--repeat", str(args.repeat))
            print(f"{label}: ufunc {best['ufunc cpu']:.2f} s of CPU "
                  f"({states / best['ufunc cpu'] / 1e6:.2f} M states/s; wall "
                  f"{best['ufunc wall']:.2f} s), hygrian.xarray {best['xarray cpu']:.2f} s of CPU "
                  f"({states / best['xarray cpu'] / 1e6:.2f} M states/s; wall "
                  f"{best['xarray wall']:.2f} s): {best['ufunc cpu'] / best['xarray cpu']:.2f} of "
                  f"the ufunc's speed (goal 0.9; by wall time "
                  f"{best['ufunc wall'] / best['xarray wall']:.2f})")
    print(f"load average after: {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
