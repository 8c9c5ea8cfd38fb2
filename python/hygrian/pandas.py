"""Moist-air states of the rows of a pandas DataFrame.

    import pandas, hygrian.pandas
    readings = pandas.read_csv("station.csv", index_col="time", parse_dates=True)
    states = hygrian.pandas.psychrometrics(
        readings, dry_bulb="t", relative_humidity="rh", pressure="p")

The columns are in the library's units: degC, % (relative humidity), kg/kg,
kPa. The ufuncs get the columns as NumPy arrays, never as Series.
"""

import numpy as np
import pandas as pd  # the real pandas: imports are absolute

import hygrian

__all__ = ["psychrometrics"]


def psychrometrics(frame, *, dry_bulb, pressure=hygrian.STANDARD_PRESSURE, **second):
    """A DataFrame on frame's index with the nine properties and `status`.

    dry_bulb and exactly one second value (wet_bulb=, dew_point=,
    relative_humidity=, humidity_ratio= or specific_humidity=) name columns of
    frame; pressure is a number in kPa or the name of a column. Where a state
    cannot be computed, status holds the code (see hygrian.STATUS), the given
    values stay and the other properties are NaN.
    """
    columns = {
        name: frame[column].to_numpy(dtype=np.float64)
        for name, column in second.items()
        if column is not None
    }
    if isinstance(pressure, str):
        pressure = frame[pressure].to_numpy(dtype=np.float64)
    states = hygrian.psychrometrics(
        dry_bulb=frame[dry_bulb].to_numpy(dtype=np.float64), pressure=pressure, **columns
    )
    return pd.DataFrame(states, index=frame.index)
