"""hygrian.xarray on a distributed.LocalCluster of two worker processes over
loopback: an ERA5-like NetCDF file in, chunked into blocks, NetCDF out (the
states, and heat-stress measures), equal to the eager computation to the bit; workers that cannot import hygrian are named.
Workers are spawned processes that import hygrian on their own, so the module is
importable and the script guarded."""

import os
import re
import sys

import distributed
import numpy as np
import pytest
import xarray as xr

import hygrian
import hygrian.xarray as hx

# int16 packing as ERA5 has it: variable, units, low and high of the field
PACKED = [("t2m", "K", 220.0, 320.0), ("d2m", "K", 200.0, 300.0), ("sp", "Pa", 50e3, 105e3)]


def write_era5_like(path, shape=(3, 8, 12)):
    rng = np.random.default_rng(18)
    coords = {"time": np.arange(shape[0]), "latitude": 90 - 0.25 * np.arange(shape[1]),
              "longitude": 0.25 * np.arange(shape[2])}
    variables, encoding = {}, {}
    for name, unit, low, high in PACKED:
        values = rng.uniform(low, high, shape).astype(np.float32)
        variables[name] = (tuple(coords), values, {"units": unit})
        encoding[name] = {"dtype": "int16", "scale_factor": (high - low) / 65000,
                          "add_offset": (high + low) / 2, "_FillValue": -32767}
    xr.Dataset(variables, coords).to_netcdf(path, encoding=encoding)


def states_of(era5):
    return hx.psychrometrics(dry_bulb=era5.t2m, dew_point=era5.d2m, pressure=era5.sp)


def heat_stress_of(era5):
    return hx.heat_stress(dry_bulb=era5.t2m, dew_point=era5.d2m, pressure=era5.sp,
                          wind_speed=2.0, mean_radiant_temperature=era5.t2m,
                          outputs=["heat_index", "humidex", "utci"])


@pytest.mark.parametrize("compute", [states_of, heat_stress_of])
def test_two_worker_processes(tmp_path, monkeypatch, compute):
    source, target = tmp_path / "era5.nc", tmp_path / "states.nc"
    write_era5_like(source)
    # the spawned workers find hygrian where this process found it
    package_root = os.path.dirname(os.path.dirname(os.path.abspath(hygrian.__file__)))
    monkeypatch.setenv("PYTHONPATH", os.pathsep.join(
        [package_root] + [p for p in os.environ.get("PYTHONPATH", "").split(os.pathsep) if p]))
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  host="127.0.0.1", dashboard_address=None,
                                  local_directory=tmp_path / "dask") as cluster, \
            distributed.Client(cluster) as client, \
            xr.open_dataset(source, chunks={"time": 1, "latitude": 4}) as era5:
        states = compute(era5).persist()
        distributed.wait(states)
        held = client.has_what()
        assert len(held) == 2 and all(held.values()), held  # blocks on both workers
        assert all(address.startswith("tcp://127.0.0.1:") for address in held)
        states.to_netcdf(target)
    with xr.open_dataset(source) as era5, xr.open_dataset(target) as got:
        want = compute(era5)
        assert list(got.data_vars) == list(want.data_vars)
        for name, values in want.data_vars.items():
            a, b = got[name].values, values.values
            assert a.dtype == b.dtype and np.array_equal(np.isnan(a), np.isnan(b)), name
            np.testing.assert_array_equal(a[~np.isnan(a)].view(np.uint8),
                                          b[~np.isnan(b)].view(np.uint8), name)
        # most cells computed, each measure at some
        statuses = [v.values for name, v in want.data_vars.items() if name.endswith("status")]
        assert all((status == 0).mean() > 0.25 for status in statuses), statuses


def test_workers_that_cannot_import_hygrian_are_named(tmp_path):
    preload = tmp_path / "without_hygrian.py"  # runs in each worker before it starts
    preload.write_text("import sys\nsys.modules['hygrian'] = None\n")
    t2m = xr.DataArray(np.full(4, 298.15), dims="x", attrs={"units": "K"})
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, host="127.0.0.1",
                                  dashboard_address=None, local_directory=tmp_path / "dask",
                                  preload=[str(preload)]) as cluster, \
            distributed.Client(cluster) as client:
        workers = ", ".join(sorted(client.scheduler_info()["workers"]))
        with pytest.raises(ImportError, match=re.escape(f"worker(s) {workers} (ModuleNotFound")):
            hx.psychrometrics(dry_bulb=t2m.chunk(2), dew_point=t2m.chunk(2))
        eager = hx.psychrometrics(dry_bulb=t2m, dew_point=t2m)  # computed here: not asked
        assert (eager.status == 0).all()


if __name__ == "__main__":
    sys.exit(pytest.main(["-q", __file__]))
