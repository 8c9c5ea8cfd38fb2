"""The package against the library's C API, bit for bit, and the NumPy behaviour
around it. The expected values come from the shared library through ctypes, one
state at a time (HYGRIAN_LIBRARY names it), never from the ufunc loops."""

import ctypes
import doctest
import importlib.metadata
import os
import re
import pickle
import subprocess
import sys
import warnings

import numpy as np
import pytest

import hygrian

LIBRARY = ctypes.CDLL(os.environ["HYGRIAN_LIBRARY"])
LIBRARY.hygrian_status_text.restype = ctypes.c_char_p

# The fields of the C struct hygrian_state, in its order.
FIELDS = ("dry_bulb", "wet_bulb", "dew_point", "relative_humidity", "enthalpy",
          "humidity_ratio", "degree_of_saturation", "specific_volume", "vapor_pressure")


class CState(ctypes.Structure):
    _fields_ = [(name, ctypes.c_double) for name in FIELDS]


# The grid of the library's own tests: both sides of the ice/water switch, the dew
# point's three ranges, absolute zero, the faults far out; then invalid input.
DRY_BULBS = [-1e308, -300.0, -273.1600036621094, -268.0, -264.66, -100.0, -40.0, -5.0, -1e-9,
             0.0, 1e-9, 0.5, 10.0, 25.0, 49.99, 50.0, 50.01, 60.0, 100.0, 150.0, 400.0, 1000.0,
             10000.0, 1e78, np.nan, np.inf]
TEMPERATURES = [-1e308, -273.1600036621094, -268.0, -100.0, -40.0, -6.0, -0.5, 0.0, 1e-9, 5.0,
                10.0, 15.0, 20.0, 25.0, 30.0, 49.99, 60.0, 100.0, 120.0, 1000.0, 1e78, np.nan]
HUMIDITIES = [-10.0, 0.0, 1e-300, 1e-3, 5.0, 50.0, 80.0, 99.9, 100.0, 150.0, 1e10, 1e308, -np.inf]
RATIOS = [-1e-3, 0.0, 1e-300, 1e-5, 1e-3, 0.005, 0.012599, 0.02, 0.05, 0.2, 1.0, 10.0, 1e10,
          1e308, np.nan]
PRESSURES = [101.325, 80.0, 30.0, 250.0, 1e-3, 0.0, -5.0, np.nan]
VAPOUR_PRESSURES = [-1e-3, 0.0, 1e-300, 1e-4, 0.1, 0.6, 2.0, 3.5, 7.0, 29.0, 79.9, 80.0, 200.0,
                    1e308, np.nan]

# ufunc, C function, the second given value, its grid, and states at 101.325 kPa
# where no wet-bulb is found: supersaturated air, whose wet-bulb would lie above
# the dry-bulb.
PAIRS = [
    ("from_dry_bulb_wet_bulb", "hygrian_from_dry_bulb_wet_bulb", "wet_bulb", TEMPERATURES, []),
    ("from_dry_bulb_dew_point", "hygrian_from_dry_bulb_dew_point", "dew_point", TEMPERATURES,
     [(-17.2, 15.25), (-11.1, 11.25)]),
    ("from_dry_bulb_relative_humidity", "hygrian_from_dry_bulb_relative_humidity",
     "relative_humidity", HUMIDITIES, [(-6.0, 272.0), (-5.1, 237.0)]),
    ("from_dry_bulb_humidity_ratio", "hygrian_from_dry_bulb_humidity_ratio", "humidity_ratio",
     RATIOS, [(-20.6, 0.012238249369681924)]),
    ("from_dry_bulb_specific_humidity", "hygrian_from_dry_bulb_specific_humidity",
     "specific_humidity", RATIOS + [0.999999, 1.0 + 1e-16], []),
    ("from_dry_bulb_vapor_pressure", "hygrian_from_dry_bulb_vapor_pressure", "vapor_pressure",
     VAPOUR_PRESSURES, []),
]
UFUNCS = [getattr(hygrian.calculator, pair[0]) for pair in PAIRS]

STATUS_TEXTS = {
    -1: "no wet-bulb",
    0: "ok",
    1: "invalid input",
    2: "floating-point error: invalid",
    3: "floating-point error: divide by zero",
    4: "floating-point error: overflow",
    5: "log: DOMAIN error",
    6: "log: SING error",
    7: "exp: OVERFLOW error",
    8: "**: DOMAIN error",
    9: "**: SING error",
    10: "**: OVERFLOW error",
    11: "vapour pressure at or above total pressure",
    12: "missing",
    13: "supersaturated",
    14: "drier than the range",
    15: "outside the range",
    16: "no state with these two values",
    17: "not with the calculator model",
    18: "below the dew point",
    19: "above ice saturation",
    20: "clipped to saturation",
    21: "fog: saturated air with liquid water",
    23: "outside the measure's range",
}
# The codes whose texts the library gives; -1 and 12 come from the ufunc loop.
LIBRARY_CODES = set(STATUS_TEXTS) - {-1, 12}
# 8 and 9 cannot occur: the relations' exponents are 2, 3 and 4; 13 to 21 are
# the handbook model's and the processes', and the ufuncs compute with the calculator's;
# 23 is the measures'.
REACHABLE = set(STATUS_TEXTS) - {8, 9, 13, 14, 15, 16, 17, 18, 19, 20, 21, 23}


def expected(function, second, dry_bulbs, seconds, pressures):
    """Ten arrays from the C API state by state: NaN where the ufunc has no value;
    status 12 where an input is NaN."""
    compute = getattr(LIBRARY, function)
    values = np.empty((len(FIELDS), len(dry_bulbs)))
    statuses = np.empty(len(dry_bulbs), dtype=np.int8)
    for i, args in enumerate(zip(dry_bulbs, seconds, pressures)):
        state, found = CState(), ctypes.c_int(-7)
        status = compute(*(ctypes.c_double(float(a)) for a in args), ctypes.byref(state),
                         ctypes.byref(found))
        row = [getattr(state, name) for name in FIELDS]
        if status != 0:
            row = [v if name in ("dry_bulb", second) else np.nan for name, v in zip(FIELDS, row)]
        elif not found.value:
            row[FIELDS.index("wet_bulb")], status = np.nan, -1
        if np.isnan(args).any():
            status = 12
        values[:, i], statuses[i] = row, status
    return values, statuses


def grid(seconds, extra):
    t, x, p = (a.ravel() for a in np.meshgrid(DRY_BULBS, seconds, PRESSURES, indexing="ij"))
    more = np.array(extra).reshape(-1, 2)
    return (np.append(t, more[:, 0]), np.append(x, more[:, 1]),
            np.append(p, np.full(len(more), 101.325)))


def bits(values):
    """Floats as their bit patterns, to compare NaNs and the sign of zero too."""
    values = np.ascontiguousarray(values)
    if values.dtype.kind != "f":
        return values
    return values.view(np.uint64 if values.dtype == np.float64 else np.uint32)


def test_names_and_status_texts():
    assert hygrian.PROPERTIES == FIELDS
    assert hygrian.STATUS == STATUS_TEXTS
    for code in LIBRARY_CODES:
        assert LIBRARY.hygrian_status_text(code).decode() == STATUS_TEXTS[code]


def test_version_is_the_project_s():
    cmake = open(os.path.join(os.path.dirname(__file__), "..", "..", "CMakeLists.txt")).read()
    assert hygrian.__version__ == re.search(r"project\(hygrian VERSION ([0-9.]+)", cmake)[1]
    if "site-packages" in hygrian.__file__:  # installed by pip: the distribution's metadata
        assert importlib.metadata.version("hygrian") == hygrian.__version__


# In float32 the far-out values are infinite, which is invalid input: the
# power's overflow is out of reach.
@pytest.mark.parametrize("dtype, reachable", [
    (np.float64, REACHABLE),
    (np.float32, REACHABLE - {10}),
])
def test_every_state_of_the_grid_is_the_library_s_to_the_bit(dtype, reachable):
    seen = set()
    for (name, function, second, seconds, extra), ufunc in zip(PAIRS, UFUNCS):
        with np.errstate(over="ignore"):  # 1e78 and 1e308 are infinite in float32
            inputs = [a.astype(dtype) for a in grid(seconds, extra)]
        want, want_status = expected(function, second, *inputs)
        with warnings.catch_warnings():
            warnings.simplefilter("error")  # a fault is a status, not a warning
            got = ufunc(*inputs)
        assert len(got) == len(FIELDS) + 1
        np.testing.assert_array_equal(got[-1], want_status, err_msg=name)
        for field, values, wanted in zip(FIELDS, got, want):
            assert values.dtype == dtype
            with np.errstate(over="ignore"):
                wanted = wanted.astype(dtype)
            np.testing.assert_array_equal(bits(values), bits(wanted),
                                          err_msg=f"{name} {field}")
        seen |= set(want_status.tolist())
    assert seen == reachable


# Input dtypes and the loop they select.
@pytest.mark.parametrize("inputs, dtype", [
    ((np.float64(25), np.float64(20), np.float64(101.325)), np.float64),
    ((np.float32(25), np.float32(20), np.float32(101.325)), np.float32),
    ((np.ones(2, np.float32) * 25, np.ones(2, np.float32) * 20, 101.325), np.float32),
    ((np.ones(2, np.float32) * 25, np.ones(2) * 20, 101.325), np.float64),
    ((np.array([25]), np.array([20]), np.array([101])), np.float64),
    ((np.ones(2, np.float16) * 25, np.ones(2, np.float16) * 20, np.float16(100)), np.float32),
    ((25, 20, 101.325), np.float64),
])
@pytest.mark.parametrize("ufunc", UFUNCS)
def test_dtypes(ufunc, inputs, dtype):
    got = ufunc(*inputs)
    assert [np.asarray(v).dtype for v in got] == [dtype] * len(FIELDS) + [np.int8]


# float32 from float64 inputs, by signature= or by dtype= (which leaves the status int8)
@pytest.mark.parametrize("kwargs", [{"signature": "fff->fffffffffb"}, {"dtype": np.float32},
                                    {"dtype": "float32", "casting": "same_kind"}])
@pytest.mark.parametrize("ufunc", UFUNCS)
def test_float32_by_signature_or_dtype(ufunc, kwargs):
    got = ufunc([25.0, np.nan], 20.0, 101.325, **kwargs)
    want = ufunc(np.float32([25.0, np.nan]), np.float32(20), np.float32(101.325))
    for values, wanted in zip(got, want):
        np.testing.assert_array_equal(bits(values), bits(wanted))


# Broadcasting, 0-d and empty arrays, and views with any strides: each state is
# the one computed alone.
ARRAY = np.linspace(-10.0, 40.0, 24).reshape(4, 6)
SHAPES = [
    ((), (), ()),
    ((3, 1), (4,), ()),
    ((0,), (), ()),
    ((2, 0), (1,), (2, 1)),
    ((5,), (5,), (5,)),
]
VIEWS = [
    ARRAY[::2, ::3],
    ARRAY.T,
    ARRAY[::-1, 1:],
    np.asfortranarray(ARRAY),
    np.broadcast_to(ARRAY[0], (3, 6)),
]


def alone(ufunc, t, x, p):
    return [np.vectorize(lambda *a: ufunc(*a)[k], otypes=[np.float64])(t, x, p)
            for k in range(len(FIELDS))]


@pytest.mark.parametrize("shapes", SHAPES)
@pytest.mark.parametrize("ufunc", UFUNCS)
def test_shapes(ufunc, shapes):
    rng = np.random.default_rng(17)
    t, x, p = (rng.uniform(1.0, 30.0, s) for s in shapes)
    p = p * 3 + 60
    got = ufunc(t, x, p)
    shape = np.broadcast_shapes(*shapes)
    assert all(np.shape(v) == shape for v in got)
    for values, wanted in zip(got, alone(ufunc, t, x, p)):
        np.testing.assert_array_equal(bits(values), bits(np.asarray(wanted)))


@pytest.mark.parametrize("view", VIEWS, ids=range(len(VIEWS)))
@pytest.mark.parametrize("ufunc", UFUNCS)
def test_strides(ufunc, view):
    got = ufunc(view, np.abs(view[..., ::-1]) / 2, 101.325)
    want = ufunc(view.copy(), np.abs(view[..., ::-1]).copy() / 2, 101.325)
    for values, wanted in zip(got, want):
        np.testing.assert_array_equal(bits(values), bits(wanted))


# A pressure given once is every row's, as the same pressure in every row: over
# more rows than a loop takes at a time, with a gap among the values.
@pytest.mark.parametrize("pressure", [101.325, 30.0, np.nan])
@pytest.mark.parametrize("dtype", [np.float64, np.float32])
@pytest.mark.parametrize("ufunc", UFUNCS)
def test_one_pressure_for_every_row(ufunc, dtype, pressure):
    t = np.linspace(-20.0, 45.0, 601).astype(dtype)
    t[300] = np.nan
    x = np.abs(t[::-1]) / 2
    got = ufunc(t, x, dtype(pressure))
    want = ufunc(t, x, np.full_like(t, pressure))
    for values, wanted in zip(got, want):
        np.testing.assert_array_equal(bits(values), bits(wanted))


@pytest.mark.parametrize("dtype", [np.float64, np.float32])
@pytest.mark.parametrize("ufunc", UFUNCS)
def test_out_and_where(ufunc, dtype):
    t = np.array([25.0, 10.0, np.nan, 30.0], dtype)
    x = np.array([20.0, 5.0, 5.0, 15.0], dtype)
    where = np.array([True, False, True, True])
    out = tuple(np.full(4, 7.0, dtype) for _ in FIELDS) + (np.full(4, 9, np.int8),)
    got = ufunc(t, x, 101.325, out=out, where=where)
    assert all(g is o for g, o in zip(got, out))
    want = ufunc(t, x, 101.325)
    for values, wanted, filler in zip(got, want, [7.0] * len(FIELDS) + [9]):
        np.testing.assert_array_equal(bits(values[where]), bits(wanted[where]))
        assert values[1] == filler


@pytest.mark.parametrize("ufunc", UFUNCS)
def test_pickles_by_reference(ufunc):
    assert pickle.loads(pickle.dumps(ufunc)) is ufunc
    # In a fresh interpreter, as a worker of a distributed scheduler meets it.
    run = subprocess.run(
        [sys.executable, "-c",
         "import pickle, sys; f = pickle.loads(sys.stdin.buffer.read()); print(f(25, 20, 101))"],
        input=pickle.dumps(ufunc), capture_output=True, check=True)
    assert run.stdout.decode().strip() == str(ufunc(25, 20, 101))


# psychrometrics() is the pair's ufunc under named keys.
@pytest.mark.parametrize("keyword, ufunc, second", [
    ("wet_bulb", hygrian.calculator.from_dry_bulb_wet_bulb, [20.0, 5.0]),
    ("dew_point", hygrian.calculator.from_dry_bulb_dew_point, [15.0, -3.0]),
    ("relative_humidity", hygrian.calculator.from_dry_bulb_relative_humidity, [50.0, 0.0]),
    ("humidity_ratio", hygrian.calculator.from_dry_bulb_humidity_ratio, [0.01, -0.01]),
    ("specific_humidity", hygrian.calculator.from_dry_bulb_specific_humidity, [0.0124422, 1.0]),
    ("vapor_pressure", hygrian.calculator.from_dry_bulb_vapor_pressure, [2.0, 90.0]),
])
def test_psychrometrics(keyword, ufunc, second):
    got = hygrian.psychrometrics(dry_bulb=[25.0, 0.5], pressure=90.0, model="calculator", **{keyword: second})
    assert list(got) == list(FIELDS) + ["status"]
    for values, wanted in zip(got.values(), ufunc([25.0, 0.5], second, 90.0)):
        np.testing.assert_array_equal(values, wanted)


@pytest.mark.parametrize("args, kwargs, message", [
    ((), {"dry_bulb": 25.0}, "form a pair: .*; got dry_bulb$"),
    ((), {"dry_bulb": 25.0, "wet_bulb": 20.0, "dew_point": 15.0},
     "got dry_bulb, wet_bulb, dew_point"),
    ((), {"dry_bulb": 25.0, "temperature": 20.0}, "unexpected keyword argument 'temperature'"),
    ((), {"wet_bulb": 20.0}, "form a pair: .*; got wet_bulb$"),
    ((25.0, 20.0), {}, "takes 0 positional arguments"),
    ((), {}, "got none"),
    ((), {"wet_bulb": 20.0, "dew_point": 15.0}, "takes two values that form a pair: dry_bulb "
     "with wet_bulb, dew_point, relative_humidity, humidity_ratio, specific_humidity, "
     "vapor_pressure or enthalpy; "
     "humidity_ratio with enthalpy or relative_humidity; enthalpy with relative_humidity; "
     "wet_bulb with relative_humidity; dew_point with relative_humidity; got wet_bulb, dew_point$"),
])
def test_psychrometrics_keyword_errors(args, kwargs, message):
    with pytest.raises(TypeError, match=message):
        hygrian.psychrometrics(*args, **kwargs)


# The pairs solved by a search given back the states of a grid of dry-bulbs and relative
# humidities (both phases, two pressures): dry-bulb to 1e-6 K, humidity ratio to 1e-9
# relative, the status (13 over water supersaturated over ice; 12 without a wet-bulb).
SEARCHED = [("dry_bulb", "enthalpy"), ("humidity_ratio", "enthalpy"),
            ("enthalpy", "relative_humidity"), ("wet_bulb", "relative_humidity"),
            ("dew_point", "relative_humidity"), ("humidity_ratio", "relative_humidity")]
ROUND_TRIP = np.meshgrid([-60.0, -20.0, -0.5, 0.5, 10.0, 25.0, 40.0, 60.0, 90.0],
                         [5.0, 30.0, 60.0, 95.0, 100.0], [101.325, 80.0], indexing="ij")


@pytest.mark.parametrize("over", ["ice", "water"])
@pytest.mark.parametrize("first, second", SEARCHED)
def test_searched_pairs_give_back_the_state(first, second, over):
    t, rh, p = ROUND_TRIP
    state = hygrian.psychrometrics(dry_bulb=t, relative_humidity=rh, pressure=p, over=over)
    got = hygrian.psychrometrics(**{first: state[first], second: state[second]}, pressure=p,
                                 over=over)
    given = ~np.isnan(state[first] + state[second])
    np.testing.assert_array_equal(got["status"], np.where(given, state["status"], 12))
    np.testing.assert_allclose(got["dry_bulb"][given], t[given], rtol=0, atol=1e-6)
    np.testing.assert_allclose(got["humidity_ratio"][given], state["humidity_ratio"][given],
                               rtol=1e-9)


# The handbook model's ufuncs, both conventions, flagging or clipping states above
# saturation, against the C *_with functions (and hygrian_clip_to_saturation)
# state by state: cold air near and above saturation over ice and over water,
# and the ordinary range.
HANDBOOK_SECONDS = {
    "wet_bulb": [-45.0, -10.5, -9.0, -4.0, 0.0, 3.0, 20.0, 30.0],
    "dew_point": [-45.0, -12.0, -10.5, -9.0, -4.0, 0.0, 3.0, 20.0, 30.0],
    "relative_humidity": [10.0, 45.0, 90.0, 95.0, 100.0, 104.0, 110.0, 150.0],
    "humidity_ratio": [1e-4, 0.0015, 0.00255, 0.005, 0.02],
    "specific_humidity": [1e-4, 0.0015, 0.00255, 0.005, 0.02],
    "vapor_pressure": [0.02, 0.25, 0.273, 0.4, 1.2, 3.0],
}
COMPUTED = {0, 13, 14, 19, 20}  # the outcomes with a state: ok and the warnings


def expected_with(function, second, over, clip, dry_bulbs, seconds, pressures):
    """Ten arrays from the C *_with functions state by state, as the ufuncs
    give them: NaN where there is no value."""
    compute = getattr(LIBRARY, function + "_with")
    values = np.empty((len(FIELDS), len(dry_bulbs)))
    statuses = np.empty(len(dry_bulbs), dtype=np.int8)
    for i, args in enumerate(zip(dry_bulbs, seconds, pressures)):
        state, found = CState(), ctypes.c_int(-7)
        status = compute(*(ctypes.c_double(float(a)) for a in args), ctypes.c_int(0),
                         ctypes.c_int(over), ctypes.byref(state), ctypes.byref(found))
        if clip:
            status = LIBRARY.hygrian_clip_to_saturation(
                ctypes.c_int(status), ctypes.c_double(float(args[2])), ctypes.c_int(0),
                ctypes.c_int(over), ctypes.byref(state), ctypes.byref(found))
        row = [getattr(state, name) for name in FIELDS]
        if status not in COMPUTED:
            row = [v if name in ("dry_bulb", second) else np.nan for name, v in zip(FIELDS, row)]
        values[:, i], statuses[i] = row, status
    return values, statuses


@pytest.mark.parametrize("supersaturated", ["flag", "clip"])
@pytest.mark.parametrize("over", ["ice", "water"])
def test_handbook_states_are_the_c_api_s(over, supersaturated):
    seen = set()
    for name, function, second, _, _ in PAIRS:
        t, x, p = (a.ravel() for a in np.meshgrid(
            [-40.0, -20.0, -10.0, -5.0, -0.5, 0.0, 0.5, 4.0, 10.0, 25.0],
            HANDBOOK_SECONDS[second], [101.325, 70.0, 50.0], indexing="ij"))
        want, want_status = expected_with(function, second, ["ice", "water"].index(over),
                                          supersaturated == "clip", t, x, p)
        got = hygrian._ufunc(name, "handbook", over, supersaturated)(t, x, p)
        np.testing.assert_array_equal(got[-1], want_status, err_msg=name)
        for field, values, wanted in zip(FIELDS, got, want):
            np.testing.assert_array_equal(bits(values), bits(wanted), err_msg=f"{name} {field}")
        seen |= set(want_status.tolist())
    # Over ice air between ice's and water's saturation is 19, above both 13;
    # over water there is no 19; clipped, 20 instead.
    above = {"ice": {13, 19}, "water": {13}}[over]
    assert seen & {13, 19, 20} == (above if supersaturated == "flag" else {20})


@pytest.mark.parametrize("kwargs, message", [
    ({"supersaturated": "drop"}, "supersaturated: 'drop' is not 'flag' or 'clip'"),
    ({"supersaturated": "clip", "model": "calculator"},
     "the calculator model flags no state above saturation"),
])
def test_supersaturated_errors(kwargs, message):
    with pytest.raises(ValueError, match=message):
        hygrian.psychrometrics(dry_bulb=25.0, relative_humidity=104.0, **kwargs)


# Values no state has: the state a search ends at does not give them back,
# status 16, as for the library (an enthalpy of 1e10 kJ/kg and more at 50 %).
def test_searched_pairs_answer_only_what_they_solved():
    got = hygrian.psychrometrics(enthalpy=np.array([1e10, 1e16, 1e100]), relative_humidity=50.0)
    np.testing.assert_array_equal(got["status"], [16, 16, 16])
    assert np.isnan(got["dry_bulb"]).all()


def test_a_dask_array_given_to_a_ufunc_points_to_hygrian_xarray():
    import dask.array as da  # imported before hygrian, for the test's module: hygrian is in
    hygrian._point_dask_to_xarray()
    with pytest.raises(TypeError, match="a Dask array; .*hygrian.xarray.psychrometrics"):
        hygrian.from_dry_bulb_relative_humidity(da.from_array(np.array([25.0])), 50.0, 101.325)


@pytest.mark.parametrize("first, second", SEARCHED)
def test_searched_pairs_are_not_the_calculator_s(first, second):
    with pytest.raises(ValueError, match="not with the calculator model, which takes dry_bulb"):
        hygrian.psychrometrics(**{first: 20.0, second: 50.0}, model="calculator")
    assert getattr(hygrian.calculator, f"from_{first}_{second}")(20.0, 50.0, 101.325)[9] == 17


# The published figures, to their last digit (the calculator model's).
@pytest.mark.parametrize("kwargs, figures", [
    ({"dry_bulb": 25, "wet_bulb": 20},
     {"dew_point": 17.56, "relative_humidity": 63.48, "enthalpy": 57.22, "vapor_pressure": 2.012}),
    ({"dry_bulb": 25, "dew_point": 15},
     {"wet_bulb": 18.50, "relative_humidity": 53.82, "enthalpy": 52.25, "specific_volume": 0.859}),
    ({"dry_bulb": -5, "relative_humidity": 80},
     {"wet_bulb": -5.82, "dew_point": -7.55, "degree_of_saturation": 0.7994}),
])
def test_published_states(kwargs, figures):
    got = hygrian.psychrometrics(**kwargs, model="calculator")
    assert got["status"] == 0
    for name, figure in figures.items():
        decimals = len(str(figure).split(".")[1])
        assert abs(got[name] - figure) <= 0.5 * 10.0**-decimals, name


# Each process's ufunc against its C function (same arguments, the same phase:
# hygrian's own over ice, handbook_over_water's over water): a grid of entering
# states and parameters, broadcast, with a NaN among them.
class CProcess(ctypes.Structure):
    _fields_ = [("leaving", CState)] + [(name, ctypes.c_double) for name in (
        "flow", "sensible_load", "latent_load", "total_load", "sensible_heat_ratio", "water",
        "water_enthalpy")]


PROCESSES = [
    ("mix", [[-10.0, 30.0], [0.001], [1.0, 0.0], [24.0], [0.0093], [3.0, np.nan]]),
    ("mix_volumes", [[4.0], [0.0036], [2.0], [25.0], [0.0099, 0.02], [6.25, -1.0]]),
    ("heat_to", [[5.0, 25.0], [0.004, 0.009], [0.0, 40.0], [1.0, 2.5]]),
    ("heat_by", [[5.0, 25.0], [0.004, 0.009], [-30.0, 20.0], [1.0, 0.0]]),
    ("cool_and_dehumidify", [[30.0], [0.0133, 0.002], [10.0], [0.1, 1.5], [5.7]]),
    ("cool_and_dehumidify_to", [[30.0], [0.0133], [12.0, 35.0], [95.0], [5.7, np.nan]]),
    ("cool_evaporatively", [[35.0, 45.0], [0.007], [0.0, 0.85, 1.2], [1.0]]),
    ("humidify_with_steam", [[20.0], [0.0018], [0.0094, 0.001, 0.05], [110.0], [2.0]]),
    ("humidify_with_water", [[35.0], [0.007], [0.012, 0.04], [20.0, 5.0], [1.0]]),
    ("humidify_with_steam_to_relative_humidity", [[20.0], [0.0018], [60.0, 100.0, 5.0],
                                                  [110.0, 300.0], [2.0]]),
    ("humidify_with_water_to_relative_humidity", [[35.0], [0.007], [60.0, 100.0, 101.0],
                                                  [20.0], [1.0]]),
]


@pytest.mark.parametrize("module, over", [(hygrian, 0), (hygrian.handbook_over_water, 1)])
@pytest.mark.parametrize("name, inputs", PROCESSES, ids=[row[0] for row in PROCESSES])
def test_processes_are_the_c_api_s(name, inputs, module, over):
    args = np.meshgrid(*inputs, [101.325, 80.0], indexing="ij")
    got = getattr(module, name)(*args)
    assert len(got) == len(hygrian.PROCESS_OUTPUTS)
    function = getattr(LIBRARY, "hygrian_" + name)
    for i in np.ndindex(args[0].shape):
        values = [float(a[i]) for a in args]
        result = CProcess()
        status = function(*(ctypes.c_double(v) for v in values), ctypes.c_int(over),
                          ctypes.byref(result))
        row = [getattr(result.leaving, f) for f in FIELDS] + [
            getattr(result, f) for f, _ in CProcess._fields_[1:]]
        if np.isnan(values).any():
            status = 12
        if status not in (0, 13, 19, 21):  # computed: ok, above saturation, fog
            row = [np.nan] * len(row)
        assert got[-1][i] == status, (name, values)
        assert (bits(np.array([g[i] for g in got[:-1]])) == bits(np.array(row))).all(), values


# Fanger's comfort model against hygrian_comfort, over a grid of offices past
# the model's ranges, with a NaN among them; hygrian.pmv and hygrian.ppd take
# the air from a pair and give the ufunc's values at its vapour pressure.
def test_comfort_is_the_c_api_s():
    args = np.meshgrid([9.0, 22.0, 27.0, 31.0], [0.5, 1.6, 2.8], [22.0, 41.0], [0.1, 0.6, np.nan],
                       [0.7, 1.2, 2.0], [0.5, 1.0], indexing="ij")
    pmv, ppd, status = hygrian._ufuncs.comfort(*args)
    for i in np.ndindex(args[0].shape):
        values = [float(a[i]) for a in args]
        state = CState(dry_bulb=values[0], vapor_pressure=values[1])
        want = (ctypes.c_double(), ctypes.c_double())
        code = LIBRARY.hygrian_comfort(ctypes.byref(state),
                                       *(ctypes.c_double(v) for v in values[2:]),
                                       ctypes.byref(want[0]), ctypes.byref(want[1]))
        assert status[i] == (12 if np.isnan(values).any() else code), values
        assert (bits(np.array([pmv[i], ppd[i]]))
                == bits(np.array([want[0].value, want[1].value]))).all(), values
    air = hygrian.psychrometrics(dry_bulb=np.array([22.0, 27.0]), relative_humidity=60.0)
    room = {"mean_radiant_temperature": 22.0, "air_speed": 0.1, "metabolic_rate": 1.2,
            "clothing": 0.5}
    want = hygrian._ufuncs.comfort(air["dry_bulb"], air["vapor_pressure"], *room.values())
    for function, k in ((hygrian.pmv, 0), (hygrian.ppd, 1)):
        got = function(dry_bulb=np.array([22.0, 27.0]), relative_humidity=60.0, **room)
        assert (bits(got) == bits(want[k])).all()
        by_dew_point = function(dry_bulb=22.0, dew_point=float(air["dew_point"][0]), **room)
        assert by_dew_point == pytest.approx(float(want[k][0]), abs=1e-9)
    assert np.isnan(hygrian.pmv(dry_bulb=22.0, relative_humidity=np.nan, **room))


PUBLIC = ["psychrometrics", "pmv", "ppd"] + [pair[0] for pair in PAIRS] + [
    row[0] for row in PROCESSES]


@pytest.mark.parametrize("name", [None] + PUBLIC)
def test_docstrings_hold_an_example_that_runs(name):
    obj = hygrian if name is None else getattr(hygrian, name)
    tests = doctest.DocTestFinder(recurse=False).find(obj, name or "hygrian", globs={})
    assert tests and tests[0].examples
    runner = doctest.DocTestRunner()
    for test in tests:
        runner.run(test)
    assert runner.summarize(verbose=False).failed == 0


# The specific humidity asked for is W / (1 + W) of the state's humidity ratio
# to 1e-15 relative, for every pair, model and phase convention over the grid.
@pytest.mark.parametrize("model, over", [("handbook", "ice"), ("handbook", "water"),
                                         ("calculator", "ice")])
def test_specific_humidity_is_the_vapour_share_of_moist_air(model, over):
    t, rh, p = (a.ravel() for a in np.meshgrid([-40.0, -5.0, 0.5, 20.0, 35.0, 60.0],
                                               [1.0, 30.0, 75.0, 100.0], [70.0, 101.325]))
    base = hygrian.psychrometrics(dry_bulb=t, relative_humidity=rh, pressure=p, model=model,
                                  over=over)
    pairs = hygrian.PAIRS[:hygrian._ufuncs.DRY_BULB_PAIR_COUNT] if model == "calculator" \
        else hygrian.PAIRS
    for _, first, second, _ in pairs:
        given = {first: base[first], second: base[second] if second != "specific_humidity"
                 else base["humidity_ratio"] / (1 + base["humidity_ratio"])}
        got = hygrian.psychrometrics(**given, pressure=p, model=model, over=over,
                                     outputs=["specific_humidity", "humidity_ratio"])
        assert list(got) == ["humidity_ratio", "specific_humidity", "status"]
        w, q = got["humidity_ratio"], got["specific_humidity"]
        computed = ~np.isnan(w)
        assert computed.sum() > len(t) // 2, second
        assert (np.abs(q - w / (1 + w))[computed] <= 1e-15 * q[computed]).all(), second


# Each pair ufunc's docstring names every status code with its text.
@pytest.mark.parametrize("name", [pair[0] for pair in hygrian.PAIRS])
def test_docstrings_name_every_status(name):
    doc = " ".join(getattr(hygrian, name).__doc__.split())
    for code, text in hygrian.STATUS.items():
        assert f" {code} {text}," in doc or f" {code} {text}." in doc, (code, text)
