"""hygrian.pandas: frames of readings in, frames of states out on the same index,
eagerly and through dask.dataframe.map_partitions."""

import functools
import warnings

import dask.dataframe as dd
import numpy as np
import pandas as pd
import pytest

import hygrian
import hygrian.pandas as hp

# The figures here are the calculator model's.
calculator_frame = functools.partial(hp.psychrometrics, model="calculator")

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
    states = calculator_frame(frame, dry_bulb="t", pressure=pressure, **{name: "x"})
    assert states.index.equals(frame.index)
    assert list(states.columns) == list(hygrian.PROPERTIES) + ["status"]
    for prop, figure in figures.items():
        assert abs(states[prop].iloc[0] - figure) <= 0.005, prop
    assert list(states.status) == [0, 12, 0 if pressure == 101.325 else 1]
    p = frame.p.to_numpy() if pressure == "p" else pressure
    want = hygrian.psychrometrics(model="calculator", dry_bulb=frame.t.to_numpy(), pressure=p,
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
    # meta= spares dask a call on made-up rows (relative humidities of 1 %, a hint)
    meta = calculator_frame(frame.iloc[:0], dry_bulb="t", relative_humidity="rh", pressure="p")
    lazy = dd.from_pandas(frame, npartitions=partitions).map_partitions(
        calculator_frame, dry_bulb="t", relative_humidity="rh", pressure="p", meta=meta)
    got = lazy.compute(scheduler="synchronous")
    pd.testing.assert_frame_equal(got, calculator_frame(
        frame, dry_bulb="t", relative_humidity="rh", pressure="p"), check_exact=True)


@pytest.mark.parametrize("kwargs", [{}, {"dew_point": "x", "wet_bulb": "x"}, {"dew": "x"}])
def test_second_value_errors(kwargs):
    with pytest.raises(TypeError):
        calculator_frame(readings(25, 15, None), dry_bulb="t", **kwargs)


# a dry-bulb column as it may come; the dry-bulbs it gives (NaN: a gap, status
# 12) or the words of the ValueError
COLUMNS = [
    (pd.array([25.0, None], dtype="Float64"), [25.0, np.nan]),
    (pd.Series([25.0, np.nan]).convert_dtypes(), [25.0, np.nan]),
    (pd.array(["25.5", None], dtype="string"), [25.5, np.nan]),
    (np.array([" N/A ", ""], dtype=object), [np.nan, np.nan]),
    (np.array([25.0, "n/a"], dtype=object), [25.0, np.nan]),
    (np.array(["25", "warm"], dtype=object), "column 't': 'warm' is not a number"),
    (pd.array(["25,5", "1"], dtype="string"), "column 't': '25,5' is not a number"),
    # as hygrian-batch reads a table: "inf" no number, "1e999" too large
    (np.array(["25", "inf"], dtype=object), "column 't': 'inf' is not a number"),
    (np.array(["1e999"], dtype=object), "column 't': '1e999' is out of range"),
    (np.array(["-1E+400", "1"], dtype=object), "column 't': '-1E\\+400' is out of range"),
    (np.array([" 1e-999 ", "+.5"], dtype=object), [0.0, 0.5]),
]


@pytest.mark.parametrize("column,want", COLUMNS)
def test_nullable_and_text_columns(column, want):
    frame = pd.DataFrame({"t": column, "rh": 50.0})
    if isinstance(want, str):
        with pytest.raises(ValueError, match=want):
            calculator_frame(frame, dry_bulb="t", relative_humidity="rh")
        return
    states = calculator_frame(frame, dry_bulb="t", relative_humidity="rh")
    np.testing.assert_array_equal(states.dry_bulb, want)
    assert list(states.status) == [12 if np.isnan(t) else 0 for t in want]


# A name two columns share, or no column has: an error that says so.
@pytest.mark.parametrize("columns,words", [
    (["t", "rh", "t"], "column 't': 2 columns have that name; rename them"),
    (["temp", "rh"], "no column 't'; the columns are 'temp', 'rh'"),
])
def test_column_names(columns, words):
    frame = pd.DataFrame([[25.0, 50.0, 20.0][:len(columns)]], columns=columns)
    with pytest.raises((KeyError, ValueError), match=words):
        calculator_frame(frame, dry_bulb="t", relative_humidity="rh")


# over="water" is the handbook model over liquid water, as hygrian.handbook_over_water
# computes it, to the bit. At -10 degrees C and 80 %, saturation over supercooled
# water is 0.286453 kPa (Murphy and Koop 2005), over ice 0.259874 kPa (IAPWS R14-08);
# with an enhancement factor of 1.0045, e = 0.8 f p and W = 0.621945 e / (P - e) are
# 1.4162 g/kg over water, 10 % above ice's 1.2845 g/kg (1e-3 g/kg: f's third decimal).
def test_over_water_is_handbook_over_water():
    frame = pd.DataFrame({"t": [-10.0, 25.0], "rh": [80.0, 50.0]})
    got = hp.psychrometrics(frame, dry_bulb="t", relative_humidity="rh", over="water")
    want = hygrian.handbook_over_water.from_dry_bulb_relative_humidity(
        frame.t.to_numpy(), frame.rh.to_numpy(), 101.325)
    for prop, values in zip(hygrian.PROPERTIES, want):
        np.testing.assert_array_equal(got[prop].to_numpy(), values)
    assert abs(got.humidity_ratio[0] - 1.4162e-3) <= 1e-6
    ice = hp.psychrometrics(frame, dry_bulb="t", relative_humidity="rh")
    assert abs(ice.humidity_ratio[0] - 1.2845e-3) <= 1e-6


@pytest.mark.parametrize("columns,dtype,want", [("f4", None, "f4"), ("f4", "float64", "f8"),
                                                ("f8", np.float32, "f4")])
def test_output_dtype(columns, dtype, want):
    frame = pd.DataFrame({"t": [25.0], "w": [20.0]}, dtype=columns)
    states = calculator_frame(frame, dry_bulb="t", wet_bulb="w", dtype=dtype)
    assert list(states.dtypes) == [np.dtype(want)] * 9 + [np.int8]


# units=, output_units=, the second value's keyword, the readings (dry-bulb,
# second value, pressure) and published figures in the output units (IP ones
# from the exact definitions, as in test_xarray)
UNITS = [
    ({"dry_bulb": "degF", "dew_point": "°F"}, "library", "dew_point", 77, 59, 101.325,
     {"wet_bulb": 18.50, "relative_humidity": 53.82}),
    ({"humidity_ratio": "g/kg", "pressure": "inHg"}, "library", "humidity_ratio", 25, 12.599,
     29.9212524018947616, {"wet_bulb": 20.00, "dew_point": 17.56}),
    (None, "ip", "dew_point", 25, 15, 101.325,
     {"dry_bulb": 77, "dew_point": 59, "enthalpy": 30.143, "relative_humidity": 53.82}),
]


@pytest.mark.parametrize("units,output_units,name,t,second,p,figures", UNITS)
def test_units(units, output_units, name, t, second, p, figures):
    frame = pd.DataFrame({"t": [t], "x": [second], "p": [p]})
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # right units, no hint
        states = calculator_frame(frame, dry_bulb="t", pressure="p", units=units,
                                   output_units=output_units, **{name: "x"})
    for prop, figure in figures.items():
        assert abs(states[prop].iloc[0] - figure) <= 0.005, prop
    assert list(states.status) == [0]


# Any two columns that form a pair, in their units: an enthalpy in Btu/lb (h / 2.326
# + 7.68) and a fraction give the state of the same values in the library's units.
def test_any_pair_in_its_units():
    frame = pd.DataFrame({"h": [50 / 2.326 + 7.68], "rh": [0.5]})
    states = hp.psychrometrics(frame, enthalpy="h", relative_humidity="rh",
                               units={"enthalpy": "Btu/lb", "relative_humidity": "1"})
    want = hygrian.psychrometrics(enthalpy=50.0, relative_humidity=50.0)
    assert abs(states.dry_bulb.iloc[0] - want["dry_bulb"]) <= 1e-9


def test_kelvin_without_units_is_a_hint_and_a_misspelt_key_an_error():
    frame = pd.DataFrame({"t": [298.15, 300.0], "rh": [50.0, 60.0]})
    with pytest.warns(UserWarning, match="dry_bulb: values labelled 'degC' .* look like 'K'"):
        calculator_frame(frame, dry_bulb="t", relative_humidity="rh")
    with pytest.raises(ValueError, match="units: unknown key 'dry_blub'"):
        calculator_frame(frame, dry_bulb="t", relative_humidity="rh", units={"dry_blub": "K"})


# A table of air-handling units through a process: the rows are the ufunc's, gaps
# are status 12, and a missing or unknown argument is refused.
def test_process_over_a_table_of_units():
    units = pd.DataFrame({"t": [30.0, 26.0, None], "w": ["0.0133", "0.0115", "0.01"]},
                         index=["AHU-1", "AHU-2", "AHU-3"])
    got = hp.process(units, "heat_to", dry_bulb="t", humidity_ratio="w", leaving_dry_bulb=35.0,
                     flow=2.0)
    want = hygrian.heat_to([30.0, 26.0], [0.0133, 0.0115], 35.0, 2.0, hygrian.STANDARD_PRESSURE)
    assert list(got.columns) == list(hygrian.PROCESS_OUTPUTS)
    assert list(got.index) == list(units.index)
    assert np.array_equal(got["total_load"].to_numpy()[:2], want[12])
    assert got["status"].tolist() == [0, 0, 12]
    cold = hp.process(units, "heat_to", dry_bulb="t", humidity_ratio=0.001, leaving_dry_bulb=-5.0,
                      flow=2.0, over="water")
    over_water = hygrian.handbook_over_water.heat_to(30.0, 0.001, -5.0, 2.0, 101.325)
    assert cold["relative_humidity"].iloc[0] == over_water[3] != hygrian.heat_to(
        30.0, 0.001, -5.0, 2.0, 101.325)[3]
    with pytest.raises(TypeError, match="leaving_dry_bulb"):
        hp.process(units, "heat_to", dry_bulb="t", humidity_ratio="w", flow=2.0)


# The frame says how it was made, holds the columns asked for (and status), and
# clips readings above saturation on request: 105 % over ice at -10 degC is 95 %
# over water (IAPWS R14-08 over Murphy and Koop), above ice's saturation alone;
# over water, 105 % is above it.
@pytest.mark.parametrize("over, supersaturated, outputs, statuses", [
    ("ice", "flag", None, [0, 19, 13]),
    ("ice", "clip", ["wet_bulb"], [0, 20, 20]),
    ("water", "flag", ["wet_bulb", "dew_point"], [0, 13, 13]),
    ("water", "clip", "relative_humidity", [0, 20, 20]),
])
def test_provenance_outputs_and_clip(over, supersaturated, outputs, statuses):
    frame = pd.DataFrame({"t": [-10.0, -10.0, -10.0], "rh": [80.0, 105.0, 115.0]})
    states = hp.psychrometrics(frame, dry_bulb="t", relative_humidity="rh", over=over,
                               supersaturated=supersaturated, outputs=outputs)
    assert states.attrs == {"hygrian_version": hygrian.__version__, "model": "handbook",
                            "over": over, "supersaturated": supersaturated}
    asked = hygrian.PROPERTIES if outputs is None else [outputs] if isinstance(outputs, str) \
        else outputs
    assert list(states.columns) == [p for p in hygrian.PROPERTIES if p in asked] + ["status"]
    assert states["status"].tolist() == statuses
    whole = hp.psychrometrics(frame, dry_bulb="t", relative_humidity="rh", over=over,
                              supersaturated=supersaturated)
    pd.testing.assert_frame_equal(states, whole[states.columns])


# The same air-handling unit typed in IP (degF, cfm at the entering state) gives
# the SI run's loads, converted by the exact definitions: 1 Btu/h is
# 1.05505585262 / 3600 kW, 1 lb/h 0.45359237 / 3600 kg/s, 1 cfm 0.3048^3 / 60 m3/s.
def test_process_in_ip_units_is_the_si_process():
    frame = pd.DataFrame({"t": [86.0, 78.8], "w": [0.0133, 0.0115], "q": [10000.0, 6000.0]})
    ip = hp.process(frame, "cool_and_dehumidify", dry_bulb="t", humidity_ratio="w",
                    apparatus_dew_point=50.0, bypass_factor=0.1, flow="q",
                    units={"dry_bulb": "degF", "apparatus_dew_point": "°F", "flow": "cfm"},
                    output_units="ip")
    t = (frame["t"].to_numpy() - 32) * 5 / 9
    volume = frame["q"].to_numpy() * 0.3048 ** 3 / 60
    flow = hygrian.dry_air_flow(t, frame["w"].to_numpy(), volume, 101.325)
    si = dict(zip(hygrian.PROCESS_OUTPUTS, hygrian.cool_and_dehumidify(
        t, frame["w"].to_numpy(), 10.0, 0.1, flow, 101.325)))
    btu_per_hour = 1.05505585262 / 3600
    np.testing.assert_allclose(ip["total_load"], si["total_load"] / btu_per_hour, rtol=1e-12)
    np.testing.assert_allclose(ip["flow"], si["flow"] / (0.45359237 / 3600), rtol=1e-12)
    np.testing.assert_allclose(ip["dry_bulb"], si["dry_bulb"] * 9 / 5 + 32, rtol=1e-12)
    assert ip["status"].tolist() == [0, 0]
    with pytest.raises(ValueError, match="flow: unknown unit 'gpm'; known: kg/s, kg/h, lb/h"):
        hp.process(frame, "heat_to", dry_bulb="t", humidity_ratio="w", leaving_dry_bulb=95.0,
                   flow="q", units={"flow": "gpm"})


# The standard atmosphere (ASHRAE 2017 ch. 1 eq. 3, table 1: 1000 m 89.875 kPa,
# -500 m 107.478) and a volume flow's dry air (eq. 26 by hand: 1 m3/s at 20 degC,
# W 0.0073 is 101.325 / (0.287042 * 293.15 * (1 + 1.607858 * 0.0073)) = 1.19018 kg/s).
def test_altitude_and_dry_air_flow():
    p = hygrian.standard_pressure_at_altitude(np.array([1000.0, -500.0, 12000.0]))
    np.testing.assert_allclose(p[:2], [89.875, 107.478], atol=0.001)
    assert np.isnan(p[2])
    assert abs(hygrian.dry_air_flow(20.0, 0.0073, 1.0, 101.325) - 1.19018) < 1e-5


def test_heat_stress_columns_in_ip():
    # The NWS table: 90 degF at 60 % prints 100 degF, 100 degF at 50 % 118; a gap
    # is the state's status 12, NaN.
    frame = pd.DataFrame({"t": [90.0, 100.0, 50.0], "rh": [60.0, 50.0, ""]})
    out = hp.heat_stress(frame, dry_bulb="t", relative_humidity="rh", units={"dry_bulb": "degF"},
                         output_units="ip", outputs="heat_index")
    assert list(out.columns) == ["heat_index", "heat_index_status"]
    assert np.abs(out.heat_index[:2] - [100, 118]).max() <= 0.5
    assert out.heat_index_status.tolist() == [0, 0, 12] and np.isnan(out.heat_index[2])
