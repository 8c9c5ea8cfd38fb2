"""hygrian.pandas: frames of readings in, frames of states out on the same index,
eagerly and through dask.dataframe.map_partitions."""

import dask.dataframe as dd
import numpy as np
import pandas as pd
import pytest

import hygrian
import hygrian.pandas as hp

# the second value's keyword, a published state at 101.325 kPa (dry-bulb, second
# value, figures to their last digit)
CASES = [
    ("wet_bulb", 25, 20, {"dew_point": 17.56, "relative_humidity": 63.48}),
    ("dew_point", 25, 15, {"wet_bulb": 18.50, "relative_humidity": 53.82}),
    ("relative_humidity", -5, 80, {"wet_bulb": -5.82, "dew_point": -7.55}),
    ("humidity_ratio", 25, 0.012599, {"wet_bulb": 20.00, "dew_point": 17.56}),
    ("specific_humidity", 25, 0.0124422402, {"wet_bulb": 20.00, "dew_point": 17.56}),
]

INDEXES = {
    "range": pd.RangeIndex(3),
    "stations": pd.Index(["Uccle", "Lindenberg", "Payerne"], name="station"),
    "hours": pd.date_range("2026-07-01", periods=3, freq="H", name="time"),
}


def readings(t, second, index):
    """The published state, an unreadable dry-bulb, the state at 0 kPa."""
    return pd.DataFrame({"t": [t, np.nan, t], "x": [second] * 3, "p": [101.325, 101.325, 0.0],
                         "note": ["a", "b", "c"]}, index=index)


@pytest.mark.parametrize("pressure", ["p", 101.325])
@pytest.mark.parametrize("index", INDEXES)
@pytest.mark.parametrize("name,t,second,figures", CASES)
def test_frames(name, t, second, figures, index, pressure):
    frame = readings(t, second, INDEXES[index])
    states = hp.psychrometrics(frame, dry_bulb="t", pressure=pressure, **{name: "x"})
    assert states.index.equals(frame.index)
    assert list(states.columns) == list(hygrian.PROPERTIES) + ["status"]
    for prop, figure in figures.items():
        assert abs(states[prop].iloc[0] - figure) <= 0.005, prop
    assert list(states.status) == [0, 1, 0 if pressure == 101.325 else 1]
    p = frame.p.to_numpy() if pressure == "p" else pressure
    want = hygrian.psychrometrics(dry_bulb=frame.t.to_numpy(), pressure=p,
                                  **{name: frame.x.to_numpy()})
    for prop, values in want.items():
        assert states[prop].dtype == values.dtype
        np.testing.assert_array_equal(states[prop].to_numpy().view(np.uint8), values.view(np.uint8))


@pytest.mark.parametrize("rows,partitions", [(0, 1), (1, 1), (10, 3), (1000, 7)])
def test_map_partitions(rows, partitions):
    hours = pd.date_range("2026-01-01", periods=rows, freq="H", name="time")
    rng = np.random.default_rng(rows)
    frame = pd.DataFrame({"t": rng.uniform(-30, 40, rows), "rh": rng.uniform(0, 100, rows),
                          "p": rng.uniform(80, 105, rows)}, index=hours)
    lazy = dd.from_pandas(frame, npartitions=partitions).map_partitions(
        hp.psychrometrics, dry_bulb="t", relative_humidity="rh", pressure="p")
    got = lazy.compute(scheduler="synchronous")
    pd.testing.assert_frame_equal(got, hp.psychrometrics(
        frame, dry_bulb="t", relative_humidity="rh", pressure="p"), check_exact=True)


@pytest.mark.parametrize("kwargs", [{}, {"dew_point": "x", "wet_bulb": "x"}, {"dew": "x"}])
def test_second_value_errors(kwargs):
    with pytest.raises(TypeError):
        hp.psychrometrics(readings(25, 15, None), dry_bulb="t", **kwargs)
