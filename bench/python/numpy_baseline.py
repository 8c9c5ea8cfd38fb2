"""The same moist-air relations written in plain vectorised NumPy, as a user would
write them without the package: the baseline of bench/python/ufunc_bench.py.
Temperatures in degrees C, pressures in kPa; the wet-bulb by bisection."""

import numpy as np

KELVIN = 273.16
EPSILON = 0.62198  # water / dry air


def saturation_pressure(t):
    T = t + KELVIN
    ice = np.exp(24.2779 - 6238.64 / T - 0.344438 * np.log(T))
    water = np.exp(-7511.52 / T + 0.02399897 * T + 89.63121 - 1.1654551e-05 * T**2
                   - 1.2810336e-08 * T**3 + 2.0998405e-11 * T**4 - 12.150799 * np.log(T))
    return np.where(T <= KELVIN, ice, water)


def humidity_ratio_from_pressure(p, P):
    return EPSILON * p / (P - p)


def humidity_ratio_from_wet_bulb(t, tw, P):
    saturated = humidity_ratio_from_pressure(saturation_pressure(tw), P)
    return ((2501.0 - 2.411 * tw) * saturated - 1.006 * (t - tw)) / (2501.0 + 1.775 * t - 4.186 * tw)


def dew_point(p, t):
    alpha = np.log(p)
    a2 = np.where(t <= 0, 0.4273, np.where(t <= 50, 1.079, 1.991))
    a1 = np.where(t <= 0, 12.41, np.where(t <= 50, 14.38, 9.478))
    a0 = np.where(t <= 0, 5.994, np.where(t <= 50, 6.983, 13.80))
    return a2 * alpha**2 + a1 * alpha + a0


def wet_bulb(t, td, W, P, tolerance=1e-6):
    """Bisection on W - W(t, x) between min(td, t) - 1 and t."""
    lo = np.minimum(td, t) - 1.0
    hi = np.array(t, dtype=float, copy=True)
    while np.max(hi - lo) > tolerance:
        mid = 0.5 * (lo + hi)
        above = W - humidity_ratio_from_wet_bulb(t, mid, P) > 0
        lo = np.where(above, mid, lo)
        hi = np.where(above, hi, mid)
    return 0.5 * (lo + hi)


def state(t, p, W, P):
    """Everything but the wet-bulb from the vapour pressure p and humidity ratio W."""
    ps = saturation_pressure(t)
    return {
        "dew_point": dew_point(p, t),
        "relative_humidity": p / ps * 100.0,
        "enthalpy": (2501.0 + 1.775 * t) * W + 1.006 * t,
        "humidity_ratio": W,
        "degree_of_saturation": W / humidity_ratio_from_pressure(ps, P),
        "specific_volume": 0.28705 * (t + KELVIN) / P * (1.0 + 1.6078 * W),
        "vapor_pressure": p,
    }


def from_dry_bulb_wet_bulb(t, tw, P):
    W = humidity_ratio_from_wet_bulb(t, tw, P)
    return dict(dry_bulb=t, wet_bulb=tw, **state(t, W * P / (W + EPSILON), W, P))


def from_dry_bulb_dew_point(t, td, P):
    p = saturation_pressure(td)
    W = humidity_ratio_from_pressure(p, P)
    s = state(t, p, W, P)
    s["dew_point"] = td
    return dict(dry_bulb=t, wet_bulb=wet_bulb(t, td, W, P), **s)


def from_dry_bulb_relative_humidity(t, rh, P):
    p = rh / 100.0 * saturation_pressure(t)
    W = humidity_ratio_from_pressure(p, P)
    s = state(t, p, W, P)
    return dict(dry_bulb=t, wet_bulb=wet_bulb(t, s["dew_point"], W, P), **s)


def from_dry_bulb_humidity_ratio(t, W, P):
    p = W * P / (W + EPSILON)
    s = state(t, p, W, P)
    return dict(dry_bulb=t, wet_bulb=wet_bulb(t, s["dew_point"], W, P), **s)
