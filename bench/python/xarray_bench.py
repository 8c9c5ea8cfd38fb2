#!/usr/bin/python3
"""The xarray path at ERA5 scale: writes a synthetic ERA5-like file (era5_like.py)
and reports, on this machine,

- eager read -> compute -> write (NumPy-backed, one process): states a second,
  against a floor of 1,000,000, and each phase timed alone: the read (open
  the file and decode it into memory), the compute (hygrian.xarray on the
  arrays in memory: unit conversions, the ufunc, the outputs) and the write;
  the compute's share of the whole, against a goal of below a third. Each run
  is a fresh process, as a script's would be. --against DIR times another
  build of the package (PYTHONPATH=DIR) in the same run, taking turns;
- compute (persist) on a distributed.LocalCluster of one worker process and of
  two (threads_per_worker=1, loopback): the speed-up of two over one, against a
  floor of 1.7 on an idle machine, with the load average before and after and
  the CPU time of each worker (what the speed-up would be with a core for
  each worker: the one worker's CPU over the busier of the two's);
- end to end with the NetCDF write on the same clusters, for information (the
  workers write one block at a time, under a lock).

Each figure is the least of --repeat runs; the two clusters take turns. Needs the built package:

    PYTHONPATH=build/release/python /usr/bin/python3 bench/python/xarray_bench.py \
        [--hours N] [--eager] [--against OTHER/python]
"""

import argparse
import contextlib
import json
import os
import subprocess
import sys
import tempfile
import time

import dask
import distributed
import xarray as xr

import hygrian
import hygrian.xarray

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import era5_like  # noqa: E402

CHUNKS = {"time": 1, "latitude": 181}  # about 260,000 states a block


def states_of(era5):
    return hygrian.xarray.psychrometrics(dry_bulb=era5.t2m, dew_point=era5.d2m, pressure=era5.sp,
                                          over="water")  # ERA5's d2m is over water


def eager(source, target):
    """Seconds of the read (opening the file and decoding it into memory), the
    compute (on the arrays in memory) and the write, in this process, and the
    compute's CPU seconds (less sensitive than its wall time to other work on
    the machine)."""
    start = time.perf_counter()
    with xr.open_dataset(source) as era5:
        era5.load()
        loaded, cpu = time.perf_counter(), time.process_time()
        states = states_of(era5)
        computed, cpu = time.perf_counter(), time.process_time() - cpu
        states.to_netcdf(target)
    return loaded - start, computed - loaded, time.perf_counter() - computed, cpu


def eager_in_process(source, target, path):
    """eager() in a fresh process that imports hygrian from path."""
    env = dict(os.environ, PYTHONPATH=os.pathsep.join(
        p for p in [path, os.environ.get("PYTHONPATH", "")] if p))
    run = subprocess.run([sys.executable, os.path.abspath(__file__), "--phases", source, target],
                         env=env, check=True, capture_output=True, text=True)
    return tuple(json.loads(run.stdout))


def eager_line(label, phases, states):
    """The eager figures of the fastest of phases' runs ((read, compute, write,
    compute's CPU) each), and the median of the runs' compute CPU seconds."""
    read, compute, written, _ = min(phases, key=lambda p: sum(p[:3]))
    seconds = read + compute + written
    median = sorted(p[3] for p in phases)[len(phases) // 2]
    return (f"{label}eager read -> compute -> write: {seconds:.2f} s, "
            f"{states / seconds:,.0f} states/s (floor 1,000,000); read {read:.2f} s, "
            f"compute {compute:.2f} s (CPU, median of the runs: {median:.2f} s), write "
            f"{written:.2f} s; the compute {compute / seconds:.0%} (goal below a third)")


def persist(client, era5):
    """Seconds to compute the states into the workers' memory, and the CPU
    seconds the workers spent on it."""
    with client.as_current(), dask.config.set(scheduler=client):
        cpu = client.run(time.process_time)
        start = time.perf_counter()
        distributed.wait(states_of(era5).persist())
        seconds = time.perf_counter() - start
        after = client.run(time.process_time)
    return seconds, sorted(after[w] - cpu[w] for w in cpu)


def write(client, era5, target):
    with client.as_current(), dask.config.set(scheduler=client):
        start = time.perf_counter()
        states_of(era5).to_netcdf(target)
        return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--hours", type=int, default=6)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--eager", action="store_true", help="the eager path only")
    parser.add_argument("--against", metavar="DIR",
                        help="also the eager path with the package from DIR, taking turns")
    parser.add_argument("--phases", nargs=2, metavar=("SOURCE", "TARGET"),
                        help=argparse.SUPPRESS)  # one eager run, for eager_in_process
    args = parser.parse_args()
    if args.phases:
        print(json.dumps(eager(*args.phases)))
        return
    # spawned workers import hygrian from where this process did
    root = os.path.dirname(os.path.dirname(os.path.abspath(hygrian.__file__)))
    os.environ["PYTHONPATH"] = os.pathsep.join(
        p for p in [root, os.environ.get("PYTHONPATH", "")] if p)
    with tempfile.TemporaryDirectory() as work, contextlib.ExitStack() as stack:
        source, target = os.path.join(work, "era5.nc"), os.path.join(work, "states.nc")
        era5_like.write(source, args.hours)
        states = args.hours * 721 * 1440
        load_before = os.getloadavg()
        builds = {"": root} if not args.against else {"this build: ": root,
                                                       f"{args.against}: ": args.against}
        runs = {label: [] for label in builds}
        for _ in range(args.repeat):
            for label, path in builds.items():
                runs[label].append(eager_in_process(source, target, path))
        print(f"states: {states:,} ({args.hours} hours of 721 x 1440), "
              f"blocks of {CHUNKS} on the clusters")
        for label, phases in runs.items():
            print(eager_line(label, phases, states))
        if args.eager:
            print("load average (1, 5, 15 min): before %.2f %.2f %.2f, after %.2f %.2f %.2f"
                  % (load_before + os.getloadavg()))
            return
        # Both clusters stay up and take turns, so a change of load on the
        # machine hits both alike; an idle cluster costs next to nothing.
        clients = {}
        for workers in (1, 2):
            cluster = stack.enter_context(distributed.LocalCluster(
                n_workers=workers, threads_per_worker=1, processes=True, host="127.0.0.1",
                dashboard_address=None))
            clients[workers] = stack.enter_context(
                distributed.Client(cluster, set_as_default=False))
        era5 = stack.enter_context(xr.open_dataset(source, chunks=CHUNKS, inline_array=True))
        for client in clients.values():  # the workers' imports
            with client.as_current(), dask.config.set(scheduler=client):
                distributed.wait(states_of(era5.isel(time=[0])).persist())
        rounds = [{w: persist(c, era5) for w, c in clients.items()} for _ in range(args.repeat)]
        one, two = (min(r[w] for r in rounds) for w in (1, 2))
        print(f"persist: 1 worker {one[0]:.2f} s, 2 workers {two[0]:.2f} s, "
              f"speed-up {one[0] / two[0]:.2f} (floor 1.7)")
        print(f"  the workers' CPU: {one[1][0]:.2f} s; "
              f"{' + '.join(f'{c:.2f}' for c in two[1])} s, the busier one "
              f"{one[1][0] / two[1][-1]:.2f} times less than the one worker")
        rounds = [{w: write(c, era5, target) for w, c in clients.items()}
                  for _ in range(args.repeat)]
        one, two = (min(r[w] for r in rounds) for w in (1, 2))
        print(f"end to end with the write: 1 worker {one:.2f} s, 2 workers {two:.2f} s, "
              f"speed-up {one / two:.2f} (information)")
        print("load average (1, 5, 15 min): before %.2f %.2f %.2f, after %.2f %.2f %.2f"
              % (load_before + os.getloadavg()))


if __name__ == "__main__":
    main()
