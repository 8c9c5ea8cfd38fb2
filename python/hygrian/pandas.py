"""Moist-air states of the rows of a pandas DataFrame.

    import pandas, hygrian.pandas
    readings = pandas.read_csv("station.csv", index_col="time", parse_dates=True)
    states = hygrian.pandas.psychrometrics(
        readings, dry_bulb="t", relative_humidity="rh", pressure="p")

The columns are in the library's units: degC, % (relative humidity), kg/kg,
kPa. The ufuncs get NumPy arrays, never Series.
"""

import numpy as np
import pandas as pd  # the real pandas: imports are absolute

import hygrian

__all__ = ["psychrometrics"]

_SECOND = {
    "wet_bulb": "from_dry_bulb_wet_bulb",
    "dew_point": "from_dry_bulb_dew_point",
    "relative_humidity": "from_dry_bulb_relative_humidity",
    "humidity_ratio": "from_dry_bulb_humidity_ratio",
    "specific_humidity": "from_dry_bulb_humidity_ratio",
}


def _column(frame, name):
    return frame[name].to_numpy(dtype=np.float64)


def psychrometrics(
    frame,
    *,
    dry_bulb,
    wet_bulb=None,
    dew_point=None,
    relative_humidity=None,
    humidity_ratio=None,
    specific_humidity=None,
    pressure=101.325,
):
    """A DataFrame on frame's index with the nine properties and `status`.

    dry_bulb and exactly one of the other measured values name columns of frame;
    pressure is a number in kPa or the name of a column. Where a state cannot be
    computed, status holds the code (see hygrian.STATUS), the given values stay
    and the other properties are NaN.
    """
    given = {
        "wet_bulb": wet_bulb,
        "dew_point": dew_point,
        "relative_humidity": relative_humidity,
        "humidity_ratio": humidity_ratio,
        "specific_humidity": specific_humidity,
    }
    given = {k: v for k, v in given.items() if v is not None}
    if len(given) != 1:
        raise ValueError(f"give exactly one of {', '.join(_SECOND)} with dry_bulb")
    [(name, column)] = given.items()
    second = _column(frame, column)
    if name == "specific_humidity":  # q to the humidity ratio q / (1 - q)
        second = second / (1.0 - second)
    if isinstance(pressure, str):
        pressure = _column(frame, pressure)
    outputs = getattr(hygrian, _SECOND[name])(_column(frame, dry_bulb), second, pressure)
    names = list(hygrian.PROPERTIES) + ["status"]
    return pd.DataFrame(dict(zip(names, outputs)), index=frame.index)
