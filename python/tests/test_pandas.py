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
    assert list(states.status) == [0, 12, 0 if pressure == 101.325 else 1]
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


# a dry-bulb column as it may come, the dry-bulbs it gives (NaN: a gap)
NAN = np.nan
COLUMNS = [
    (pd.array([25.0, None, 30.0], dtype="Float64"), [25.0, NAN, 30.0]),
    (pd.array([25, None, 30], dtype="Int64"), [25.0, NAN, 30.0]),
    (pd.Series([25.0, NAN, 30.0]).convert_dtypes(), [25.0, NAN, 30.0]),
    (pd.array(["25.5", "N/A", None], dtype="string"), [25.5, NAN, NAN]),
    (np.array(["25", " N/A ", ""], dtype=object), [25.0, NAN, NAN]),
    (np.array([25.0, "n/a", None], dtype=object), [25.0, NAN, NAN]),
    (np.array(["NaN", "nan", "NA"], dtype=object), [NAN, NAN, NAN]),
]


@pytest.mark.parametrize("column,dry_bulbs", COLUMNS)
def test_nullable_and_text_columns(column, dry_bulbs):
    frame = pd.DataFrame({"t": column, "rh": [50.0] * 3})
    states = hp.psychrometrics(frame, dry_bulb="t", relative_humidity="rh")
    np.testing.assert_array_equal(states.dry_bulb.to_numpy(), dry_bulbs)
    assert list(states.status) == [12 if np.isnan(t) else 0 for t in dry_bulbs]


# a text column's values, the column and the words of the ValueError
BAD_TEXTS = [
    (["25", "N/A", "warm"], "t", "column 't': 'warm' is not a number"),
    (["25", "25,5", "x"], "t", "column 't': '25,5' is not a number"),
    (pd.array(["-", "1"], dtype="string"), "t", "column 't': '-' is not a number"),
]


@pytest.mark.parametrize("values,name,words", BAD_TEXTS)
def test_other_text_is_a_value_error(values, name, words):
    frame = pd.DataFrame({"t": pd.Series(values, dtype=object) if isinstance(values, list)
                          else values, "rh": 50.0})
    with pytest.raises(ValueError, match=words):
        hp.psychrometrics(frame, dry_bulb="t", relative_humidity="rh")


# the columns' dtype, dtype=, the properties' dtype
DTYPES = [
    (np.float32, None, np.float32),
    (np.float64, None, np.float64),
    ("Float32", None, np.float64),
    (np.float64, "float32", np.float32),
    (np.float32, np.float64, np.float64),
]


@pytest.mark.parametrize("column_dtype,dtype,want", DTYPES)
def test_output_dtype(column_dtype, dtype, want):
    frame = pd.DataFrame({"t": [25.0, 30.0], "w": [20.0, 18.0]}).astype(column_dtype)
    states = hp.psychrometrics(frame, dry_bulb="t", wet_bulb="w", dtype=dtype)
    assert list(states.dtypes) == [want] * 9 + [np.int8]
    wide = hp.psychrometrics(frame, dry_bulb="t", wet_bulb="w", dtype="float64")
    pd.testing.assert_frame_equal(states, wide.astype(states.dtypes.to_dict()))
