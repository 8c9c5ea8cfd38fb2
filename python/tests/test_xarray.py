"""hygrian.xarray: units in, CF names out, shapes, lazy against eager, statuses.
Expected figures are the published states of the library's own tests."""

import warnings

import dask
import functools
import dask.array as da
import numpy as np
import pytest
import xarray as xr

import hygrian
import hygrian.units as hu
import hygrian.xarray as hx

# The figures here are the calculator model's, as the C API gives them.
calculator_states = functools.partial(hx.psychrometrics, model="calculator")

LIBRARY_UNITS = {"dry_bulb": "degC", "wet_bulb": "degC", "dew_point": "degC",
                 "relative_humidity": "%", "humidity_ratio": "kg/kg",
                 "specific_humidity": "kg/kg", "vapor_pressure": "kPa", "pressure": "kPa"}

# Published states at 101.325 kPa: the measured pair, figures to their last digit.
CASES = {
    "wet": ({"dry_bulb": 25, "wet_bulb": 20}, {"dew_point": 17.56, "relative_humidity": 63.48}),
    "dew": ({"dry_bulb": 25, "dew_point": 15}, {"wet_bulb": 18.50, "relative_humidity": 53.82}),
    "rh": ({"dry_bulb": -5, "relative_humidity": 80}, {"wet_bulb": -5.82, "dew_point": -7.55}),
    "ratio": ({"dry_bulb": 25, "humidity_ratio": 0.012599},
              {"wet_bulb": 20.00, "dew_point": 17.56}),
    # q = w / (1 + w) of the row above, worked by hand
    "q": ({"dry_bulb": 25, "specific_humidity": 0.0124422402},
          {"wet_bulb": 20.00, "dew_point": 17.56}),
    # e = P w / (0.621945 + w) of the "ratio" row, worked by hand (ASHRAE eq. 20)
    "e": ({"dry_bulb": 25, "vapor_pressure": 2.0118285},
          {"wet_bulb": 20.00, "dew_point": 17.56}),
}

# case, input, its unit, its value in that unit (the other inputs in library units)
UNITS = [
    ("dew", "dry_bulb", "K", 298.15), ("dew", "dry_bulb", "degC", 25.0),
    ("dew", "dry_bulb", "°C", 25.0), ("dew", "dry_bulb", "Celsius", 25.0),
    ("dew", "dew_point", "K", 288.15), ("wet", "wet_bulb", "K", 293.15),
    ("dew", "pressure", "Pa", 101325.0), ("dew", "pressure", "hPa", 1013.25),
    ("dew", "pressure", "kPa", 101.325),
    ("rh", "relative_humidity", "%", 80.0), ("rh", "relative_humidity", "1", 0.8),
    ("ratio", "humidity_ratio", "kg/kg", 0.012599), ("ratio", "humidity_ratio", "1", 0.012599),
    ("ratio", "humidity_ratio", "kg kg-1", 0.012599),
    ("ratio", "humidity_ratio", "kg kg**-1", 0.012599),
    ("q", "specific_humidity", "kg kg-1", 0.0124422402),
    ("e", "vapor_pressure", "hPa", 20.118285), ("e", "vapor_pressure", "Pa", 2011.8285),
    ("e", "vapor_pressure", "kPa", 2.0118285),
    # spellings and units of hygrian.units.UNITS, values from the exact definitions
    ("dew", "dry_bulb", "degK", 298.15), ("dew", "dry_bulb", "K ", 298.15),
    ("dew", "dry_bulb", "degrees_Celsius", 25.0), ("dew", "dew_point", "°F", 59.0),
    ("dew", "dry_bulb", "Degrees Fahrenheit", 77.0),
    ("dew", "dry_bulb", "degR", 536.67), ("dew", "pressure", "pascal", 101325.0),
    ("dew", "pressure", "hpa", 1013.25), ("dew", "pressure", "millibar", 1013.25),
    ("dew", "pressure", "psia", 14.6959487755134494), ("dew", "pressure", "inHg", 29.92125240189476),
    ("rh", "relative_humidity", "fraction", 0.8), ("ratio", "humidity_ratio", "g/kg", 12.599),
    ("ratio", "humidity_ratio", "grains/lb", 88.193),
]


def array(value, unit, dims=("site",)):
    values = np.asarray(value, dtype=np.float64).reshape((-1,) * len(dims))
    return xr.DataArray(values, dims=dims, attrs={} if unit is None else {"units": unit})


def inputs(pair, pressure=101.325, units=LIBRARY_UNITS):
    given = {k: array(v, units[k]) for k, v in pair.items()}
    return {**given, "pressure": array(pressure, units["pressure"])}


@pytest.mark.parametrize("how", ["attribute", "units=", "lazy"])
@pytest.mark.parametrize("case,name,unit,value", UNITS)
def test_units(case, name, unit, value, how):
    pair, figures = CASES[case]
    kwargs = inputs(pair)
    kwargs[name] = array(value, None if how == "units=" else unit)
    if how == "lazy":
        kwargs = {k: v.chunk() for k, v in kwargs.items()}
    states = calculator_states(**kwargs, units={name: unit} if how == "units=" else None)
    for prop, figure in figures.items():
        assert abs(float(states[prop][0]) - figure) <= 0.005, prop
    assert int(states.status[0]) == 0


# An enthalpy in each of its units (Btu/lb: h / 2.326 + 7.68) with a fraction, by the
# handbook model: the state of the same values in the library's units.
@pytest.mark.parametrize("unit,value", [("kJ/kg", 50.0), ("J/kg", 50000.0),
                                        ("Btu/lb", 50 / 2.326 + 7.68)])
def test_enthalpy_units(unit, value):
    states = hx.psychrometrics(enthalpy=array(value, unit), relative_humidity=array(0.5, "1"))
    want = hygrian.psychrometrics(enthalpy=50.0, relative_humidity=50.0)
    assert abs(float(states.dry_bulb[0]) - want["dry_bulb"]) <= 1e-9


# property, library unit, CF unit, CF standard_name or long_name, and the
# published figure of case "dew" +- half its last digit, in each unit; then the
# IP unit, figure and tolerance from the exact definitions (t * 9/5 + 32, h /
# 2.326 + 7.68, v / (0.3048**3 / 0.45359237), p / 6.894757293168361)
OUTPUTS = [
    ("dry_bulb", "degC", "K", "standard_name", "air_temperature", 25, 0, 298.15, 1e-9,
     "degF", 77, 1e-9),
    ("wet_bulb", "degC", "K", "standard_name", "wet_bulb_temperature", 18.50, 0.005, 291.65,
     0.005, "degF", 65.30, 0.009),
    ("dew_point", "degC", "K", "standard_name", "dew_point_temperature", 15, 0, 288.15, 1e-9,
     "degF", 59, 1e-9),
    ("relative_humidity", "%", "1", "standard_name", "relative_humidity", 53.82, 0.005, 0.5382,
     0.5e-4, "%", 53.82, 0.005),
    ("enthalpy", "kJ/kg", "J/kg", "standard_name", "specific_enthalpy_of_air", 52.25, 0.005,
     52250, 5, "Btu/lb", 30.14346, 0.00215),
    ("humidity_ratio", "kg/kg", "kg kg-1", "standard_name", "humidity_mixing_ratio", 0.0106482,
     0.5e-7, 0.0106482, 0.5e-7, "lb/lb", 0.0106482, 0.5e-7),
    ("degree_of_saturation", "1", "1", "long_name", "degree of saturation", 0.5303, 0.5e-4,
     0.5303, 0.5e-4, "1", 0.5303, 0.5e-4),
    ("specific_volume", "m3/kg", "m3 kg-1", "long_name",
     "specific volume per unit mass of dry air", 0.859, 0.5e-3, 0.859, 0.5e-3,
     "ft3/lb", 13.75986, 0.0081),
    ("vapor_pressure", "kPa", "Pa", "standard_name", "water_vapor_partial_pressure_in_air",
     1.705, 0.5e-3, 1705, 0.5, "psi", 0.2472893, 0.73e-4),
]


@pytest.mark.parametrize(
    "prop,unit,cf_unit,key,name,figure,tol,cf_figure,cf_tol,ip_unit,ip_figure,ip_tol", OUTPUTS)
def test_outputs(prop, unit, cf_unit, key, name, figure, tol, cf_figure, cf_tol, ip_unit,
                 ip_figure, ip_tol):
    for output_units, want_unit, want, within in (
        ("library", unit, figure, tol), ("cf", cf_unit, cf_figure, cf_tol),
        ("ip", ip_unit, ip_figure, ip_tol)):
        states = calculator_states(**inputs(CASES["dew"][0]), output_units=output_units)
        assert list(states.data_vars) == list(hygrian.PROPERTIES) + ["status"]
        got = states[prop]
        assert got.attrs["units"] == want_unit and got.attrs[key] == name
        assert ("long_name" in got.attrs) == (key == "long_name")
        assert abs(float(got[0]) - want) <= within, output_units


def bits(values):
    return np.atleast_1d(np.asarray(values)).view(np.uint8)


def library_arrays(t2m, d2m, sp):
    """What psychrometrics converts K, K, Pa to, for the ufunc."""
    return np.asarray(t2m, np.float64) - 273.15, np.asarray(d2m, np.float64) - 273.15, \
        np.asarray(sp, np.float64) / 1000.0


def field(shape, dims, low, high, seed):
    values = np.random.default_rng(seed).uniform(low, high, shape).astype(np.float32)
    return xr.DataArray(values, dims=dims, coords={d: np.arange(n) * 0.25 for d, n in
                                                   zip(dims, shape)})


# dims and shape of t2m and d2m; of sp (None: a number, 101325 Pa); the chunks
# (None: NumPy-backed); the slab size; the ufunc calls expected (one per slab of
# a NumPy input, one per Dask block)
SHAPES = [
    ((), (), None, None, None, 8, 1),
    (("x",), (5,), ("x",), (5,), None, 8, 1),
    (("x",), (20,), ("x",), (20,), None, 8, 3),
    (("t", "y", "x"), (2, 3, 5), ("y", "x"), (3, 5), None, 7, 6),
    (("t", "y", "x"), (2, 3, 5), ("y", "x"), (3, 5), None, 2, 18),
    (("t", "y", "x"), (2, 3, 5), None, None, None, 100, 1),
    (("x",), (20,), ("x",), (20,), {"x": 6}, 8, 4),
    (("t", "y", "x"), (2, 3, 5), ("y", "x"), (3, 5), {"t": 1, "y": 2}, 100, 4),
    (("t", "y", "x"), (4, 3, 5), None, None, {"t": 1}, 100, 4),
]


@pytest.mark.parametrize("dims,shape,sp_dims,sp_shape,chunks,slab,calls", SHAPES)
def test_shapes_lazy_and_eager(dims, shape, sp_dims, sp_shape, chunks, slab, calls, monkeypatch):
    t2m = field(shape, dims, 230, 320, 1).assign_attrs(units="K")
    d2m = (t2m - field(shape, dims, 0, 30, 2)).assign_attrs(units="K")
    sp = 101325.0 if sp_dims is None else field(sp_shape, sp_dims, 50e3, 105e3, 3)
    units = {"pressure": "Pa"}
    want = hygrian.calculator.from_dry_bulb_dew_point(*library_arrays(t2m, d2m, sp))
    seen = []

    def counted(*args, **kwargs):
        seen.append(args[0].shape)
        return want_ufunc(*args, **kwargs)

    want_ufunc = hygrian.calculator.from_dry_bulb_dew_point
    monkeypatch.setattr(hygrian.calculator, "from_dry_bulb_dew_point", counted)
    monkeypatch.setattr(hx, "SLAB", slab)
    if chunks is not None:
        t2m, d2m = t2m.chunk(chunks), d2m.chunk(chunks)
    with dask.config.set(scheduler="synchronous"):
        states = calculator_states(dry_bulb=t2m, dew_point=d2m, pressure=sp, units=units)
        lazy = isinstance(states.wet_bulb.data, da.Array)
        assert lazy == (chunks is not None) and len(seen) == (0 if lazy else calls)
        if lazy:
            assert states.wet_bulb.data.npartitions == calls
        states = states.compute()
    assert len(seen) == calls, seen
    assert states.wet_bulb.dims == dims and all(states[d].equals(t2m[d]) for d in dims)
    for got, expected in zip(states.data_vars.values(), want):  # float32 in, float32 out
        assert got.dtype == (np.float32 if expected.dtype == np.float64 else expected.dtype)
        np.testing.assert_array_equal(bits(got.values), bits(expected.astype(got.dtype)))
    wet = hx.wet_bulb_temperature(t2m, d2m, sp, units=units, model="calculator", over="ice")
    np.testing.assert_array_equal(wet.values, states.wet_bulb.values)


# the measured pair in library units, the status expected, the outputs that are
# NaN (None: all but the given pair)
STATUSES = [
    ({"dry_bulb": 25, "dew_point": 15}, 0, ()),
    ({"dry_bulb": np.nan, "dew_point": 15}, 12, None),
    ({"dry_bulb": 25, "relative_humidity": np.nan}, 12, None),
    ({"dry_bulb": 25, "wet_bulb": 20, "pressure": np.nan}, 12, None),
    ({"dry_bulb": 25, "relative_humidity": np.inf}, 1, None),
    # not finite: invalid input (1), not outside the range (15)
    ({"dry_bulb": np.inf, "relative_humidity": 50}, 1, None),
    ({"dry_bulb": -np.inf, "dew_point": 15}, 1, None),
    ({"dry_bulb": 25, "wet_bulb": 20, "pressure": 0.0}, 1, None),
    ({"dry_bulb": 25, "wet_bulb": 5}, 5, None),
    ({"dry_bulb": 25, "relative_humidity": 0}, 6, None),
    ({"dry_bulb": 100, "dew_point": 100}, 11, None),
]


@pytest.mark.filterwarnings("ignore:relative_humidity. values labelled '%'")  # RH 0
@pytest.mark.parametrize("lazy", [False, True])
@pytest.mark.parametrize("pair,status,nan", STATUSES)
def test_statuses(pair, status, nan, lazy):
    kwargs = inputs({k: v for k, v in pair.items() if k != "pressure"},
                    pair.get("pressure", 101.325))
    if lazy:
        kwargs = {k: v.chunk() for k, v in kwargs.items()}
    states = calculator_states(**kwargs).compute()
    assert int(states.status[0]) == status
    given = [k for k in pair if k != "pressure"]
    for prop in hygrian.PROPERTIES:
        got = float(states[prop][0])
        if prop in given:
            np.testing.assert_equal(got, pair[prop])
        else:
            assert np.isnan(got) == (prop in (nan if nan is not None else hygrian.PROPERTIES))
    attrs = states.status.attrs
    meanings = attrs["flag_meanings"].split()
    assert sorted(attrs["flag_values"]) == sorted(hygrian.STATUS) and len(set(meanings)) == len(
        meanings) == len(hygrian.STATUS)
    assert meanings[list(attrs["flag_values"]).index(5)] == "log_domain_error"
    assert meanings[list(attrs["flag_values"]).index(12)] == "missing"


# arguments, the exception and the words it must contain
T, D = array(25, "K"), array(15, "K")
ERRORS = [
    ({"dry_bulb": array(25, None), "dew_point": D}, ValueError, "dry_bulb: no units"),
    ({"dry_bulb": array(25, "deg"), "dew_point": D}, ValueError, "dry_bulb: unknown unit 'deg'"),
    ({"dry_bulb": T, "dew_point": array(15, "%")}, ValueError, "dew_point: unknown unit '%'"),
    ({"dry_bulb": T, "relative_humidity": array(15, "kg/kg")}, ValueError, "relative_humidity"),
    ({"dry_bulb": T, "humidity_ratio": array(15, "%")}, ValueError, "humidity_ratio: unknown"),
    ({"dry_bulb": T, "dew_point": D, "pressure": array(1, None)}, ValueError, "pressure: no units"),
    ({"dry_bulb": T, "dew_point": D, "pressure": array(1, "atm")}, ValueError, "pressure: unknown"),
    ({"dry_bulb": T, "dew_point": D, "units": {"pressure": "bar"}}, ValueError,
     "pressure: unknown unit 'bar'"),
    ({"dry_bulb": T, "dew_point": D, "output_units": "SI"}, ValueError, "output_units"),
    ({"dry_bulb": T, "dew_point": D, "units": {"dry_blub": "K"}}, ValueError,
     "units: unknown key 'dry_blub'"),
    ({"dry_bulb": T, "dew_point": D, "units": {"pressure": "mPa"}}, ValueError,
     "pressure: unknown unit 'mPa'"),
    ({"dry_bulb": T, "dew_point": D, "units": {"dry_bulb": "k"}}, ValueError,
     "dry_bulb: unknown unit 'k'"),
    ({"dry_bulb": T, "dew_point": D, "wet_bulb": D}, TypeError, "form a pair: dry_bulb with"),
    ({"dry_bulb": T}, TypeError, "form a pair: .*; got dry_bulb$"),
    ({"wet_bulb": T, "dew_point": D}, TypeError, "form a pair: .*; got wet_bulb, dew_point$"),
    ({"enthalpy": array(50, "kJ/kg"), "relative_humidity": array(50, "%")}, ValueError,
     "enthalpy_relative_humidity: not with the calculator model"),
    ({"dry_bulb": np.array([25.0]), "dew_point": D}, TypeError, "dry_bulb: a numpy.ndarray, not"),
    ({"dry_bulb": T, "dew_point": xr.Dataset({"d2m": D})}, TypeError, r"such as ds\['d2m'\]"),
    ({"dry_bulb": T, "dew_point": D, "pressure": np.ones(1)}, TypeError, "pressure: a numpy"),
    ({"dry_bulb": T, "dew_point": D, "dtype": "i4"}, TypeError, "dtype: int32 is neither"),
    ({"dry_bulb": xr.DataArray(["25"], dims="x", attrs={"units": "degC"}), "dew_point": D},
     TypeError, r"dry_bulb: values of dtype <U2, not numbers; .* dry_bulb.astype\(float\)"),
    ({"dry_bulb": T, "dew_point": D, "pressure": "101"}, TypeError, "pressure: '101' is not a"),
]


@pytest.mark.parametrize("kwargs,error,words", ERRORS)
def test_errors(kwargs, error, words):
    with pytest.raises(error, match=words):
        calculator_states(**kwargs)


@pytest.mark.parametrize("dtype", [np.float32, np.float64])
def test_conversion_needs_only_slab_buffers(dtype, monkeypatch):
    import tracemalloc  # NumPy reports its buffers to tracemalloc

    monkeypatch.setattr(hx, "SLAB", 4096)
    n = 1 << 20
    t2m = xr.DataArray(np.full(n, 298.15, dtype), dims="x", attrs={"units": "K"})
    d2m = xr.DataArray(np.full(n, 288.15, dtype), dims="x", attrs={"units": "K"})
    sp = xr.DataArray(np.full(n, 101325.0, dtype), dims="x", attrs={"units": "Pa"})
    tracemalloc.start()
    try:
        states = calculator_states(dry_bulb=t2m, dew_point=d2m, pressure=sp)
        peak = tracemalloc.get_traced_memory()[1]
    finally:
        tracemalloc.stop()
    outputs = sum(v.nbytes for v in states.data_vars.values())
    # the outputs, and buffers for a slab: far less than one converted copy (8 MB)
    assert outputs == (9 * np.dtype(dtype).itemsize + 1) * n
    assert peak - outputs < 1024 * 1024, peak - outputs


# dtypes of dry_bulb and dew_point (the first lazy), dtype=, the properties' dtype
DTYPES = [("f4", "f4", None, "f4"), ("f4", "f8", None, "f8"), ("i2", "i2", None, "f8"),
          ("f4", "f4", "float64", "f8"), ("f8", "f8", np.float32, "f4")]


@pytest.mark.parametrize("t_dtype,d_dtype,dtype,want", DTYPES)
def test_output_dtype(t_dtype, d_dtype, dtype, want):
    t, d = array(25, "degC").astype(t_dtype).chunk(), array(15, "degC").astype(d_dtype)
    got = calculator_states(dry_bulb=t, dew_point=d, dtype=dtype, output_units="cf").compute()
    wide = calculator_states(dry_bulb=t, dew_point=d, dtype="float64", output_units="cf")
    for name, values in got.data_vars.items():  # computed in double, rounded once
        assert values.dtype == (np.int8 if name == "status" else np.dtype(want))
        np.testing.assert_array_equal(values, wide[name].astype(values.dtype))


def test_coordinates_keep_their_attributes_in_netcdf(tmp_path):
    lat = {"units": "degrees_north", "standard_name": "latitude"}
    t2m = xr.DataArray([298.15, 297.0], {"latitude": ("latitude", [45.0, 45.25], lat)},
                       attrs={"units": "K", "long_name": "2 metre temperature"}).chunk(1)
    d2m = (t2m - 10).assign_attrs(units="K")
    calculator_states(dry_bulb=t2m, dew_point=d2m).to_netcdf(tmp_path / "s.nc", engine="netcdf4")
    with xr.open_dataset(tmp_path / "s.nc", engine="netcdf4") as got:
        assert got.latitude.attrs == lat
        assert got.dry_bulb.attrs == {"units": "degC", "standard_name": "air_temperature",
                                      "ancillary_variables": "status"}


# the inputs (name: (values, units attribute)) of a computation, and the input and
# likely unit a UserWarning names (None: no warning)
HINTS = [
    ({"dry_bulb": ([25, 30], "K"), "dew_point": ([15, 20], "degC")}, ("dry_bulb", "degC")),
    ({"dry_bulb": ([298.15, 300], "K"), "dew_point": ([288.15, 290], "K")}, None),
    ({"dry_bulb": ([25, 30], "degC"), "relative_humidity": ([95, 40], "1")},
     ("relative_humidity", "%")),
    ({"dry_bulb": ([25, 30], "degC"), "dew_point": ([15, 20], "degC"),
      "pressure": ([101325, 101000], "hPa")}, ("pressure", "Pa")),
]


@pytest.mark.parametrize("lazy", [False, True])
@pytest.mark.parametrize("given,hint", HINTS)
def test_unit_hints(given, hint, lazy):
    kwargs = {name: array(values, unit) for name, (values, unit) in given.items()}
    if lazy:
        kwargs = {k: v.chunk() for k, v in kwargs.items()}
        with warnings.catch_warnings():
            warnings.simplefilter("error")  # nothing computed, nothing said yet
            states = calculator_states(**kwargs)
    compute = (lambda: states.compute()) if lazy else (lambda: calculator_states(**kwargs))
    if hint is None:
        with warnings.catch_warnings():
            warnings.simplefilter("error")
            compute()
        return
    with pytest.warns(UserWarning, match=f"^{hint[0]}: .* look like '{hint[1]}'"):
        got = compute()
    assert got.status.shape == (2,)  # a hint, not an exception: computed as labelled


def test_hints_are_per_block():
    """Of two blocks labelled K, the one in degC alone warns, when computed."""
    t = xr.DataArray([298.15, 300.0, 25.0, 27.0], dims="x", attrs={"units": "K"}).chunk(2)
    states = calculator_states(dry_bulb=t, dew_point=(t - 10).assign_attrs(units="K"))
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        states.isel(x=slice(0, 2)).compute()
    with pytest.warns(UserWarning, match="dry_bulb: values labelled 'K'"):
        states.isel(x=slice(2, 4)).compute()


# Each unit converted from an input's own dtype straight into a float64 buffer,
# and out of the library's unit straight into the outputs' dtype: the same bits
# as converting a float64 copy in place and rounding it after.
@pytest.mark.parametrize("unit", hu.UNITS, ids=lambda u: f"{u.quantity}-{u.key}")
@pytest.mark.parametrize("dtype", [np.float32, np.float64, np.int16])
def test_conversions_in_one_pass(unit, dtype):
    values = np.linspace(-50.0, 400.0, 97).astype(dtype)
    copy = np.array(values, np.float64)
    hu.to_library(copy, unit)
    into = np.empty(values.shape)
    hu.to_library(values, unit, out=into)
    np.testing.assert_array_equal(bits(into), bits(copy))
    wide = copy.copy()
    hu.from_library(wide, unit)
    for narrow in (np.float32, np.float64):
        got = np.empty(values.shape, narrow)
        hu.from_library(copy.copy(), unit, out=got)
        np.testing.assert_array_equal(bits(got), bits(wide.astype(narrow)))


# outputs=: only the properties asked for (and status) are allocated and kept,
# with the values the whole state has; the rest goes through slab buffers.
@pytest.mark.parametrize("dtype", [np.float32, np.float64])
@pytest.mark.parametrize("asked", [["wet_bulb"], ["dew_point", "relative_humidity"]])
def test_outputs_alone(asked, dtype, monkeypatch):
    import tracemalloc  # NumPy reports its buffers to tracemalloc

    monkeypatch.setattr(hx, "SLAB", 4096)
    n = 1 << 20
    t = np.linspace(-30.0, 40.0, n)
    t2m = xr.DataArray((t + 273.15).astype(dtype), dims="x", attrs={"units": "K"})
    d2m = xr.DataArray((t + 263.15).astype(dtype), dims="x", attrs={"units": "K"})
    sp = xr.DataArray(np.full(n, 101325.0, dtype), dims="x", attrs={"units": "Pa"})
    kwargs = dict(dry_bulb=t2m, dew_point=d2m, pressure=sp, over="water", output_units="cf")
    tracemalloc.start()
    try:
        states = hx.psychrometrics(**kwargs, outputs=asked)
        peak = tracemalloc.get_traced_memory()[1]
    finally:
        tracemalloc.stop()
    assert list(states.data_vars) == asked + ["status"]
    outputs = sum(v.nbytes for v in states.data_vars.values())
    assert outputs == (len(asked) * np.dtype(dtype).itemsize + 1) * n
    # far less than one more output (4 or 8 MB)
    assert peak - outputs < 1024 * 1024, peak - outputs
    whole = hx.psychrometrics(**kwargs)
    for name in asked + ["status"]:
        np.testing.assert_array_equal(bits(states[name].values), bits(whole[name].values))
        assert str(states[name].attrs) == str(whole[name].attrs)


@pytest.mark.parametrize("outputs, message", [
    (["wetbulb"], "outputs: 'wetbulb' is not one of dry_bulb"),
    ([], "outputs: none asked for"),
    (["status"], "outputs: 'status' is not one of"),
])
def test_outputs_errors(outputs, message):
    with pytest.raises(ValueError, match=message):
        hx.psychrometrics(**inputs(CASES["dew"][0]), outputs=outputs)


# A field with cells known, from the inputs, to be below saturation over ice,
# between ice's and water's, and above water's: the counts of each status are
# those. The vapour pressures are placed 3 % or more from either saturation by
# the reference sheet's independent relations (IAPWS R14-08 over ice, Murphy
# and Koop 2005 over water, times an enhancement factor of 1.004), wider than
# the model's distance from them (0.73 % to -40 degrees C, f within 0.3 %).
def reference_saturation(t, over):
    T = t + 273.15
    if over == "ice":
        theta = T / 273.16
        terms = (-21.2144006 * theta ** 0.00333333333 + 27.3203819 * theta ** 1.20666667
                 - 6.10598130 * theta ** 1.70333333)
        pure = 0.611657 * np.exp(terms / theta)
    else:
        ln = np.log(T)
        pure = np.exp(54.842763 - 6763.22 / T - 4.210 * ln + 0.000367 * T
                      + np.tanh(0.0415 * (T - 218.8))
                      * (53.878 - 1331.22 / T - 9.44523 * ln + 0.014025 * T)) / 1e3
    return 1.004 * pure


def test_field_outcome_counts():
    rng = np.random.default_rng(45)
    n = 3000  # a class
    cold = rng.uniform(-40.0, -8.0, n)  # ice and water 7 % or more apart
    warm = rng.uniform(1.0, 35.0, n)
    t = np.concatenate([cold, cold, cold, warm, warm])
    ice, water = reference_saturation(cold, "ice"), reference_saturation(cold, "water")
    p = np.concatenate([
        ice * rng.uniform(0.05, 0.97, n),                               # below ice's
        rng.uniform(ice * 1.03, water / 1.03),                          # between
        water * rng.uniform(1.03, 1.3, n),                              # above water's
        reference_saturation(warm, "water") * rng.uniform(0.05, 0.97, n),
        reference_saturation(warm, "water") * rng.uniform(1.03, 1.3, n),
    ])
    P = 101.325
    w = 0.621945 * p / (P - p)
    field = {"dry_bulb": array(t, "degC", ("cell",)), "humidity_ratio": array(w, "kg/kg", ("cell",))}
    below, between, above = n + n, n, n + n  # cold and warm together
    for over, supersaturated, want in [
        ("ice", "flag", {0: below, 19: between, 13: above}),
        ("water", "flag", {0: below + between, 13: above}),
        ("ice", "clip", {0: below, 20: between + above}),
        ("water", "clip", {0: below + between, 20: above}),
    ]:
        states = hx.psychrometrics(**field, over=over, supersaturated=supersaturated,
                                   outputs=["wet_bulb"])
        codes, counts = np.unique(states.status.values, return_counts=True)
        assert dict(zip(codes.tolist(), counts.tolist())) == want, (over, supersaturated)
        known = np.isin(states.status.values, [0, 20])
        assert np.isfinite(states.wet_bulb.values[known]).all()
        assert np.isnan(states.wet_bulb.values[~known]).all()


# The file says how it was made: the Dataset's attributes, each variable's
# ancillary_variables, and the inputs' cell_methods where they all share them,
# through a NetCDF round trip.
@pytest.mark.parametrize("supersaturated", ["flag", "clip"])
def test_provenance_round_trip(tmp_path, supersaturated):
    daily = {"cell_methods": "area: time: mean"}
    tas = array([280.0, 250.0], "K").assign_attrs(daily)
    huss = array([0.004, 0.0008], "kg kg-1").assign_attrs(daily)
    ps = array([101325.0, 90000.0], "Pa").assign_attrs(daily)
    states = hx.psychrometrics(dry_bulb=tas, specific_humidity=huss, pressure=ps,
                               supersaturated=supersaturated)
    states.to_netcdf(tmp_path / "s.nc")
    with xr.open_dataset(tmp_path / "s.nc") as got:
        assert got.attrs == {"hygrian_version": hygrian.__version__, "model": "handbook",
                             "over": "ice", "supersaturated": supersaturated}
        for name in hygrian.PROPERTIES:
            assert got[name].attrs["ancillary_variables"] == "status", name
            assert got[name].attrs["cell_methods"] == "area: time: mean", name
        assert got.status.attrs["cell_methods"] == "area: time: mean"
    # A pressure of other cells (instantaneous): no cell_methods is true of all.
    mixed = hx.psychrometrics(dry_bulb=tas, specific_humidity=huss, pressure=ps.assign_attrs(
        cell_methods="time: point"))
    assert "cell_methods" not in mixed.wet_bulb.attrs


def test_wet_bulb_temperature_says_how_it_was_made():
    t2m, d2m = array([263.15, 283.15], "K"), array([262.0, 280.0], "K")
    wet_bulb = hx.wet_bulb_temperature(t2m, d2m, 101.325)
    assert wet_bulb.attrs == {"units": "degC", "standard_name": "wet_bulb_temperature",
                              "hygrian_version": hygrian.__version__, "model": "handbook",
                              "over": "water", "supersaturated": "flag"}
    assert np.isfinite(wet_bulb.values).all()


# The NWS table's 90 degF / 60 % (100 degF printed, to half a degree) and
# Broede's 30 degC / 2 kPa / 40 degC / 1 m/s (32.668): the same cell in the
# units ERA5 gives and the CF units out; lazy the same bits as eager.
@pytest.mark.parametrize("lazy", [False, True])
def test_heat_stress_in_cf_units(lazy):
    t = xr.DataArray(np.array([305.3722222222222, 303.15]), dims="site", attrs={"units": "K"})
    rh = xr.DataArray(np.array([60.0, 47.0]), dims="site", attrs={"units": "%"})
    wind = xr.DataArray(np.array([1.0, 1.0]), dims="site", attrs={"units": "m s-1"})
    mrt = xr.DataArray(np.array([40.0, 40.0]), dims="site", attrs={"units": "degC"})
    if lazy:
        t, rh = t.chunk({"site": 1}), rh.chunk({"site": 1})
    ds = hx.heat_stress(dry_bulb=t, relative_humidity=rh, wind_speed=wind,
                        mean_radiant_temperature=mrt, outputs=["heat_index", "utci"],
                        output_units="cf", over="water")
    assert abs(float(ds.heat_index[0]) - 273.15 - (100 - 32) * 5 / 9) <= 0.5 * 5 / 9
    assert ds.heat_index.attrs["standard_name"] == "heat_index_of_air_temperature"
    assert ds.utci.attrs["units"] == "K" and ds.utci.attrs["ancillary_variables"] == "utci_status"
    assert ds.attrs["over"] == "water" and list(ds.utci_status.values) == [0, 0]
    eager = hygrian.heat_stress(dry_bulb=t.values - 273.15, relative_humidity=rh.values,
                                wind_speed=1.0, mean_radiant_temperature=40.0, over="water")
    assert bits(ds.utci.values).tobytes() == bits(eager["utci"] + 273.15).tobytes()


@pytest.mark.parametrize("inputs,error,words", [
    ({"wind_speed": xr.DataArray([1.0], dims="site", attrs={"units": "knots"})}, ValueError,
     "wind_speed: unknown unit 'knots'"),
    ({"wind_speed": xr.DataArray([1.0], dims="site")}, ValueError, "wind_speed: no units"),
    ({}, TypeError, "utci: needs wind_speed"),
])
def test_heat_stress_errors(inputs, error, words):
    t = xr.DataArray([30.0], dims="site", attrs={"units": "degC"})
    rh = xr.DataArray([50.0], dims="site", attrs={"units": "%"})
    with pytest.raises(error, match=words):
        hx.heat_stress(dry_bulb=t, relative_humidity=rh, mean_radiant_temperature=35.0,
                       outputs="utci" if not inputs else None, **inputs)
# The specific humidity asked for: CF's specific_humidity, W / (1 + W) of case
# "dew"'s published humidity ratio 0.0106482 (+- half its last digit), the same
# in every system of units.
def test_specific_humidity_when_asked():
    for output_units, unit in (("library", "kg/kg"), ("cf", "kg kg-1"), ("ip", "lb/lb")):
        states = calculator_states(**inputs(CASES["dew"][0]), output_units=output_units,
                                   outputs=["specific_humidity"])
        assert list(states.data_vars) == ["specific_humidity", "status"]
        got = states["specific_humidity"]
        assert got.attrs["units"] == unit
        assert got.attrs["standard_name"] == "specific_humidity"
        assert abs(float(got[0]) - 0.0106482 / 1.0106482) <= 0.5e-7
