#!/usr/bin/python3
"""The xarray path at ERA5 scale: writes a synthetic ERA5-like file (era5_like.py)
and reports, on this machine,

- eager read -> compute -> write (NumPy-backed, one process): states a second,
  against a floor of 1,000,000;
- compute (persist) on a distributed.LocalCluster of one worker process and of
  two (threads_per_worker=1, loopback): the speed-up of two over one, against a
  floor of 1.7 on an idle machine, with the load average before and after and
  the CPU time the workers spent (equal sums mean the work did split in two);
- end to end with the NetCDF write on the same clusters, for information (the
  writes are serialised in the client).

Each figure is the least of --repeat runs. Needs the built package:

    PYTHONPATH=build/release/python /usr/bin/python3 bench/python/xarray_bench.py [--hours N]
"""

import argparse
import os
import sys
import tempfile
import time

import distributed
import xarray as xr

import hygrian
import hygrian.xarray

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import era5_like  # noqa: E402

CHUNKS = {"time": 1, "latitude": 181}  # about 260,000 states a block


def states_of(era5):
    return hygrian.xarray.psychrometrics(dry_bulb=era5.t2m, dew_point=era5.d2m, pressure=era5.sp)


def least(repeat, run):
    return min(run() for _ in range(repeat))


def eager(source, target):
    start = time.perf_counter()
    with xr.open_dataset(source) as era5:
        states_of(era5).to_netcdf(target)
    return time.perf_counter() - start


def on_cluster(workers, source, target, repeat):
    """(persist seconds, the workers' CPU seconds in it, end-to-end seconds with the
    write) on `workers` workers."""
    with distributed.LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                                  host="127.0.0.1", dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client, \
            xr.open_dataset(source, chunks=CHUNKS) as era5:
        distributed.wait(states_of(era5.isel(time=[0])).persist())  # imports in the workers

        def persist():
            cpu = client.run(time.process_time)
            start = time.perf_counter()
            distributed.wait(states_of(era5).persist())
            seconds = time.perf_counter() - start
            cpu = sum(t - cpu[w] for w, t in client.run(time.process_time).items())
            return seconds, cpu

        def write():
            start = time.perf_counter()
            states_of(era5).to_netcdf(target)
            return time.perf_counter() - start

        return least(repeat, persist), least(repeat, write)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--hours", type=int, default=6)
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()
    # spawned workers import hygrian from where this process did
    root = os.path.dirname(os.path.dirname(os.path.abspath(hygrian.__file__)))
    os.environ["PYTHONPATH"] = os.pathsep.join(
        p for p in [root, os.environ.get("PYTHONPATH", "")] if p)
    with tempfile.TemporaryDirectory() as work:
        source, target = os.path.join(work, "era5.nc"), os.path.join(work, "states.nc")
        era5_like.write(source, args.hours)
        states = args.hours * 721 * 1440
        load_before = os.getloadavg()
        seconds = least(args.repeat, lambda: eager(source, target))
        print(f"states: {states:,} ({args.hours} hours of 721 x 1440), "
              f"blocks of {CHUNKS} on the clusters")
        print(f"eager read -> compute -> write: {seconds:.2f} s, "
              f"{states / seconds:,.0f} states/s (floor 1,000,000)")
        one = on_cluster(1, source, target, args.repeat)
        two = on_cluster(2, source, target, args.repeat)
        print(f"persist: 1 worker {one[0][0]:.2f} s, 2 workers {two[0][0]:.2f} s, "
              f"speed-up {one[0][0] / two[0][0]:.2f} (floor 1.7); "
              f"workers' CPU {one[0][1]:.2f} s and {two[0][1]:.2f} s")
        print(f"end to end with the write: 1 worker {one[1]:.2f} s, 2 workers {two[1]:.2f} s, "
              f"speed-up {one[1] / two[1]:.2f} (information)")
        print("load average (1, 5, 15 min): before %.2f %.2f %.2f, after %.2f %.2f %.2f"
              % (load_before + os.getloadavg()))


if __name__ == "__main__":
    main()
