#!/usr/bin/python3
"""Writes a synthetic ERA5-like NetCDF file: hourly, 0.25 degrees (721 x 1440),
t2m and d2m in K and sp in Pa, int16-packed as ERA5 packs them (scale_factor,
add_offset, _FillValue -32767). The fields are smooth with noise: t2m from about
225 K at the poles to 300 K at the equator with a daily cycle, d2m 0 to 25 K
below it but never above 90 % of ice saturation where it is below 0 degrees C
(real air is seldom supersaturated over ice near the ground), sp from terrain between sea level and about 5 km (53 to 103 kPa).

    /usr/bin/python3 bench/python/era5_like.py OUT.nc [--hours N]
"""

import argparse

import numpy as np
import xarray as xr

# variable, units, long_name, the packing range (low, high)
VARIABLES = [
    ("t2m", "K", "2 metre temperature", 180.0, 335.0),
    ("d2m", "K", "2 metre dewpoint temperature", 160.0, 320.0),
    ("sp", "Pa", "Surface pressure", 45000.0, 108000.0),
]


def ice_saturated_dew_point(t2m):
    """The dew point over water (K) of air at 90 % of ice saturation at t2m (K),
    and t2m itself above 0 degrees C: Magnus's forms with WMO's constants (the
    10 % covers their error and the int16 packing's)."""
    t = t2m - 273.15
    y = 22.46 * t / (272.62 + t) + np.log(0.9)  # ln(0.9 e_i / 6.112 hPa)
    return np.where(t < 0.0, 273.15 + 243.12 * y / (17.62 - y), t2m)


def fields(hours, seed=2026):
    rng = np.random.default_rng(seed)
    latitude = np.linspace(90.0, -90.0, 721)
    longitude = np.arange(1440) * 0.25
    lat, lon = np.meshgrid(np.radians(latitude), np.radians(longitude), indexing="ij")
    terrain = np.zeros_like(lat)
    for _ in range(12):  # a few random ridges and basins
        k, m, phase = rng.integers(1, 9), rng.integers(1, 9), rng.uniform(0, 2 * np.pi)
        terrain += np.sin(k * lat + phase) * np.cos(m * lon - phase)
    height = np.clip(terrain * 900.0, 0.0, 5000.0)  # m; the rest is sea
    sp = 101325.0 * np.exp(-height / 8000.0)
    base = 300.0 - 75.0 * np.sin(lat) ** 2 - 0.0065 * height
    t2m = np.empty((hours,) + lat.shape, np.float32)
    d2m = np.empty_like(t2m)
    psurf = np.empty_like(t2m)
    for hour in range(hours):
        solar = np.cos(lon + 2 * np.pi * (hour - 14) / 24.0)  # warmest at 14 h local
        t2m[hour] = base + 6.0 * solar * np.cos(lat) + rng.normal(0.0, 2.0, lat.shape)
        d2m[hour] = np.minimum(t2m[hour] - rng.gamma(2.0, 4.0, lat.shape).clip(0.0, 25.0),
                               ice_saturated_dew_point(t2m[hour]))
        psurf[hour] = sp + rng.normal(0.0, 300.0, lat.shape)
    coords = {
        "time": np.datetime64("2026-07-01T00:00", "ns") + np.arange(hours) * np.timedelta64(1, "h"),
        "latitude": latitude,
        "longitude": longitude,
    }
    return coords, {"t2m": t2m, "d2m": d2m, "sp": psurf}


def write(path, hours):
    coords, values = fields(hours)
    variables, encoding = {}, {}
    for name, units, long_name, low, high in VARIABLES:
        variables[name] = (tuple(coords), values[name], {"units": units, "long_name": long_name})
        encoding[name] = {"dtype": "int16", "scale_factor": (high - low) / 65534,
                          "add_offset": (high + low) / 2, "_FillValue": np.int16(-32767)}
    xr.Dataset(variables, coords).to_netcdf(path, encoding=encoding)


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("out")
    parser.add_argument("--hours", type=int, default=6)
    args = parser.parse_args()
    write(args.out, args.hours)
