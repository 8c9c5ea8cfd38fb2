"""Psychrometric properties of moist air, as NumPy ufuncs.

From two values that fix a state (a pair of ``PAIRS``), at a total pressure,
each function gives the nine properties of the air and a status, for whole
arrays at once (broadcasting, ``out=``, ``where=``, float64 and float32):

- ``from_dry_bulb_wet_bulb(dry_bulb, wet_bulb, pressure)``
- ``from_dry_bulb_dew_point(dry_bulb, dew_point, pressure)``
- ``from_dry_bulb_relative_humidity(dry_bulb, relative_humidity, pressure)``
- ``from_dry_bulb_humidity_ratio(dry_bulb, humidity_ratio, pressure)``
- ``from_dry_bulb_specific_humidity(dry_bulb, specific_humidity, pressure)``
- ``from_dry_bulb_vapor_pressure(dry_bulb, vapor_pressure, pressure)``
- solved by a search, the handbook model's only: ``from_dry_bulb_enthalpy``,
  ``from_humidity_ratio_enthalpy``, ``from_enthalpy_relative_humidity``,
  ``from_wet_bulb_relative_humidity``, ``from_dew_point_relative_humidity``,
  ``from_humidity_ratio_relative_humidity`` (the two values in that order)
- ``psychrometrics(<two values of a pair>=..., pressure=101.325,
  model="handbook", over="ice", supersaturated="flag")``, the same as a dict of
  named arrays.
- ``saturation_vapor_pressure(t, pressure=None, over="ice")``.
- ``standard_pressure_at_altitude(metres)``, the standard atmosphere's
  pressure (kPa), and ``dry_air_flow(dry_bulb, humidity_ratio, volume_flow,
  pressure)``, the dry-air mass flow (kg/s) of a volume flow (m3/s).

What air-handling equipment does to air, one ufunc per process over entering
(dry-bulb, humidity ratio) states broadcast with flows (kg/s of dry air) and
parameters, the total pressure last: ``mix``, ``mix_volumes`` (m3/s),
``heat_to``, ``heat_by`` (kW), ``cool_and_dehumidify`` (apparatus dew point,
bypass factor), ``cool_and_dehumidify_to`` (leaving dry-bulb and relative
humidity), ``cool_evaporatively`` (saturation effectiveness),
``humidify_with_steam``, ``humidify_with_water`` (to a humidity ratio) and
``humidify_with_steam_to_relative_humidity``,
``humidify_with_water_to_relative_humidity``. Each returns the seventeen
arrays ``PROCESS_OUTPUTS`` names (the leaving state, flow, loads in kW, the
sensible heat ratio, the water in kg/s and its enthalpy, a status);
``PROCESS_ARGUMENTS`` names each one's inputs. They take saturation over ice
below 0.01 degrees C; ``hygrian.handbook_over_water`` holds the same over
liquid water (``PROCESSES`` holds both: ``PROCESSES["water"]["mix"]``).
Outdoor and return air through a mixing box, a coil and a reheat:

>>> import hygrian
>>> def run(process, *args):
...     return dict(zip(hygrian.PROCESS_OUTPUTS, getattr(hygrian, process)(*args)))
>>> mixed = run("mix", 32.0, 0.0180, 1.0, 24.0, 0.0093, 3.0, 101.325)
>>> coil = run("cool_and_dehumidify", mixed["dry_bulb"], mixed["humidity_ratio"],
...            10.0, 0.1, mixed["flow"], 101.325)
>>> reheat = run("heat_to", coil["dry_bulb"], coil["humidity_ratio"], 16.0,
...              coil["flow"], 101.325)
>>> [round(float(x), 1) for x in (coil["total_load"], coil["water"] * 1000, reheat["total_load"])]
[-93.3, -13.7, 17.9]

The top-level ufuncs are the handbook model's (ASHRAE Handbook Fundamentals
2017 ch. 1, with the enhancement factor), saturation over ice below the triple
point; ``hygrian.handbook``, ``hygrian.handbook_over_water`` and
``hygrian.calculator`` hold each model's (the calculator's are the console
program's relations, to the bit). Dew points and relative humidities from
weather data (ERA5, reports) are over water: pass ``over="water"``, which also
gives the wet-bulb of a liquid wick below 0 degrees C.

Units: degrees C, percent, kJ/kg dry air, kg/kg dry air, m3/kg dry air, kPa.
``PROPERTIES`` names the nine properties in output order (then comes the
status); ``MORE_PROPERTIES`` those given when asked for (the specific
humidity, W / (1 + W) of the humidity ratio W), ``PAIRS`` the input
pairs; ``STATUS`` maps each status code to its text. A bad state is NaN plus a
status, never an exception; a NaN given as input is a gap, status 12 (missing).
``__version__`` is the project's version. ``hygrian.units`` has the library's
table of units (their spellings and exact factors); hygrian.xarray and
hygrian.pandas convert through it, into and out of the units above.

>>> import hygrian
>>> s = hygrian.psychrometrics(dry_bulb=25.0, wet_bulb=20.0)
>>> round(float(s["dew_point"]), 2), hygrian.STATUS[int(s["status"])]
(17.6, 'ok')
"""

import sys

import numpy as np

from . import _ufuncs, calculator, handbook, handbook_over_water, units
from ._ufuncs import (MORE_PROPERTIES, PROCESS_ARGUMENTS, PROCESS_OUTPUTS, PROCESSES,
                      PROPERTIES, STANDARD_PRESSURE, STATUS, __version__, dry_air_flow,
                      standard_pressure_at_altitude)

# One ufunc per input pair, from the library's table of pairs: (ufunc name, first
# key, second key, second unit) each.
PAIRS = _ufuncs.PAIRS
globals().update({name: getattr(_ufuncs, name) for name, *_ in PAIRS})
# One ufunc per process: (name: its arguments' names) each.
globals().update({name: getattr(_ufuncs, name) for name in PROCESS_ARGUMENTS})

__all__ = ["MEASURES", "MEASURE_INPUTS", "MORE_PROPERTIES", "PAIRS", "PROCESSES",
           "PROCESS_ARGUMENTS", "PROCESS_OUTPUTS", "PROPERTIES", "STANDARD_PRESSURE", "STATUS",
           "__version__", "calculator", "dry_air_flow", "handbook", "handbook_over_water",
           "heat_stress", "pmv", "ppd", "psychrometrics", "saturation_vapor_pressure",
           "standard_pressure_at_altitude", "units"] + sorted(name for name, *_ in PAIRS) + sorted(
               PROCESS_ARGUMENTS) + sorted(row[0] for row in _ufuncs.MEASURES)

# Each pair by its two keys, either way round: (ufunc name, first key, second
# key). The rows of PAIRS after the first DRY_BULB_PAIR_COUNT are solved by a
# search on the handbook model's relations: the calculator model has none.
_PAIR_OF = {frozenset((first, second)): (name, first, second)
            for name, first, second, _ in PAIRS}
_CALCULATOR_PAIRS = frozenset(name for name, *_ in PAIRS[:_ufuncs.DRY_BULB_PAIR_COUNT])
# The keywords of the given values, in the order of PAIRS.
_KEYWORDS = tuple(dict.fromkeys(key for _, first, second, _ in PAIRS for key in (first, second)))

# The module of each (model, over); calculator with water is no model.
_MODULES = {("handbook", "ice"): handbook, ("handbook", "water"): handbook_over_water,
            ("calculator", "ice"): calculator}


def _model_module(model, over):
    """The module of the ufuncs of ``model`` over ``over``; a ValueError for a
    word that is no model or phase, or for the calculator over water."""
    if model not in ("handbook", "calculator"):
        raise ValueError(f"model: {model!r} is not 'handbook' or 'calculator'")
    if over not in ("ice", "water"):
        raise ValueError(f"over: {over!r} is not 'ice' or 'water'")
    if (model, over) not in _MODULES:
        raise ValueError("over='water': the calculator model knows only ice")
    return _MODULES[(model, over)]


def _ufunc(name, model, over, supersaturated="flag"):
    """The ufunc ``name`` (a row of PAIRS) of ``model`` over ``over``, clipping
    states above saturation with ``supersaturated="clip"``; a ValueError for a
    word that is no model, phase or choice, for a pair the calculator model
    does not compute, or for the calculator with clip (it flags no state above
    saturation)."""
    module = _model_module(model, over)
    if model == "calculator" and name not in _CALCULATOR_PAIRS:
        pairs = ", ".join(f"{first}+{second}" for ufunc, first, second, _ in PAIRS
                          if ufunc in _CALCULATOR_PAIRS)
        raise ValueError(f"{name[len('from_'):]}: not with the calculator model, which takes "
                         f"{pairs}; use model='handbook'")
    if supersaturated not in ("flag", "clip"):
        raise ValueError(f"supersaturated: {supersaturated!r} is not 'flag' or 'clip'")
    if supersaturated == "flag":
        return getattr(module, name)
    if model == "calculator":
        raise ValueError("supersaturated='clip': the calculator model flags no state above "
                         "saturation")
    return _ufuncs.CLIPPED[(model, over)][name]


def saturation_vapor_pressure(t, pressure=None, *, over="ice"):
    """The saturation vapour pressure (kPa) at t (degrees C), as an array.

    ``over="ice"``: over ice at and below 0.01 degrees C, liquid water above
    (ASHRAE 2017 ch. 1 eqs. 5 and 6); ``over="water"``: over liquid water at
    every temperature (eq. 6). Without ``pressure`` that of pure water vapour;
    with the total ``pressure`` (kPa, 10 to 1,000) that in moist air, times the
    enhancement factor. NaN outside -100 to 200 degrees C (and the pressures).

    >>> import hygrian
    >>> round(float(hygrian.saturation_vapor_pressure(20.0)), 5)
    2.3388
    >>> round(float(hygrian.saturation_vapor_pressure(-10.0, over="water")), 4)
    0.2866
    """
    _model_module("handbook", over)
    if pressure is None:
        return getattr(_ufuncs, f"saturation_vapor_pressure_over_{over}")(t)
    return getattr(_ufuncs, f"saturation_vapor_pressure_in_air_over_{over}")(t, pressure)


def _pairs_text():
    """The pairs of PAIRS in words: "dry_bulb with wet_bulb, ... or enthalpy;
    humidity_ratio with ..."."""
    seconds = {}
    for _, first, second, _ in PAIRS:
        seconds.setdefault(first, []).append(second)
    return "; ".join(f"{first} with " + (", ".join(keys[:-1]) + " or " if keys[1:] else "")
                     + keys[-1] for first, keys in seconds.items())


def _given_pair(given):
    """The row of PAIRS that the values given among the keyword arguments
    ``given`` (those not None) form, as (ufunc name, first key, second key); a
    TypeError naming the pairs when they are not two that form one, or a name
    is no property."""
    unknown = [name for name in given if name not in _KEYWORDS]
    if unknown:
        raise TypeError(f"psychrometrics() got an unexpected keyword argument {unknown[0]!r}")
    named = [name for name, value in given.items() if value is not None]
    row = _PAIR_OF.get(frozenset(named)) if len(named) == 2 else None
    if row is None:
        raise TypeError("psychrometrics() takes two values that form a pair: " + _pairs_text()
                        + (f"; got {', '.join(named)}" if named else "; got none"))
    return row


def psychrometrics(*, pressure=STANDARD_PRESSURE, model="handbook", over="ice",
                   supersaturated="flag", outputs=None, **given):
    """The moist-air state as a dict of named arrays.

    Keyword arguments only: two values that form a pair of ``PAIRS`` and the
    total ``pressure`` (kPa, default 101.325), all broadcast together. The
    pairs: ``dry_bulb`` (degrees C) with ``wet_bulb`` or ``dew_point``
    (degrees C; a dew point at or below 0 is a frost point),
    ``relative_humidity`` (percent: 50, not 0.5), ``humidity_ratio`` (kg/kg dry
    air), ``specific_humidity`` (kg/kg moist air; 1 or more is invalid input),
    ``vapor_pressure`` (kPa; at or above the pressure is invalid input) or
    ``enthalpy`` (kJ/kg dry air); ``humidity_ratio`` with ``enthalpy``;
    ``relative_humidity`` with ``enthalpy``, ``wet_bulb``, ``dew_point`` or
    ``humidity_ratio``. The pairs with ``enthalpy`` or without ``dry_bulb``
    are solved by a search on the handbook model's relations (not with the
    calculator model); two values that fix no state (an enthalpy below dry
    air's at that humidity ratio, a relative humidity the dew point cannot
    reach) are status 16.

    ``model`` is ``"handbook"`` (ASHRAE 2017 ch. 1, the default) or
    ``"calculator"`` (the console program's relations, to the bit); ``over``
    is what saturation refers to below 0.01 degrees C, for every quantity
    (the dew point, the relative humidity, the wet-bulb's wick, the test for
    air above saturation): ``"ice"`` (the handbook's) or ``"water"`` (the
    WMO's: ERA5 and weather reports give dew points and relative humidities
    over water); the calculator knows only ice. ``supersaturated`` says what
    becomes of a state above saturation: ``"flag"`` (the default) computes it
    from the given pair without a wet-bulb, status 13 (or 19); ``"clip"``
    brings it down to saturation at its dry-bulb (relative humidity 100, dew
    point and wet-bulb the dry-bulb), status 20 (not with the calculator).

    Returns a dict with the nine properties (the keys of ``PROPERTIES``:
    degrees C, percent, kJ/kg, kg/kg, m3/kg, kPa) and ``"status"`` (int8);
    ``outputs=["specific_humidity", ...]`` (names of ``PROPERTIES`` or
    ``MORE_PROPERTIES``: the specific humidity in kg/kg of moist air) gives
    those, with the status, instead. Status 0
    when every property is computed, -1 when only the wet-bulb is missing
    (NaN), 13 supersaturated (computed, no wet-bulb), 19 above ice saturation
    but not water's (over ice; the same), 20 clipped to saturation, 14 drier
    than the range (computed, no dew point), 12 (missing) when an input is NaN, any
    other code (see ``STATUS``) for invalid input (1, also for a value that is
    not finite), outside the range (15), an
    impossible state (11) or a fault, where all but the given values are NaN.
    No exception for a bad state; a ``TypeError`` when the values given are
    not two that form a pair, a ``ValueError`` for an unknown model or phase,
    or for a pair solved by a search with ``model="calculator"``.

    >>> import numpy as np, hygrian
    >>> s = hygrian.psychrometrics(dry_bulb=np.array([25.0, 30.0]), relative_humidity=50.0)
    >>> np.round(s["wet_bulb"], 2), s["status"]
    (array([17.88, 22.  ]), array([0, 0], dtype=int8))
    >>> s = hygrian.psychrometrics(enthalpy=50.0, relative_humidity=50.0)
    >>> round(float(s["dry_bulb"]), 2), round(float(s["humidity_ratio"]), 5)
    (24.83, 0.00982)
    """
    name, first, second = _given_pair(given)
    values = _ufunc(name, model, over, supersaturated)(given[first], given[second], pressure)
    states = dict(zip(PROPERTIES + ("status",), values))
    if outputs is None:
        return states
    asked = _asked_outputs(outputs)
    if "specific_humidity" in asked:
        ratio = states["humidity_ratio"]
        states["specific_humidity"] = _specific_humidity(ratio).astype(ratio.dtype)
    return {key: states[key] for key in asked + ("status",)}


def _specific_humidity(humidity_ratio, out=None):
    """kg of water vapour per kg of moist air: W / (1 + W), in float64, as the
    library's State holds it."""
    ratio = np.asarray(humidity_ratio, np.float64)
    return np.divide(ratio, 1.0 + ratio, out=out)


# The heat-stress and atmospheric measures (hygrian/measures.h): one row each,
# (key, name, unit, IP unit, CF unit, CF standard name, its inputs' keys,
# range, reference); MEASURE_INPUTS the inputs they take beyond the air, as
# (key, unit, description), in the order the measure ufuncs take them.
MEASURES = _ufuncs.MEASURES
MEASURE_INPUTS = _ufuncs.MEASURE_INPUTS
_MEASURE_ROWS = {row[0]: row for row in MEASURES}
# Inputs a measure may go without (estimated when not given).
_OPTIONAL_INPUTS = frozenset(key for key, _, text in MEASURE_INPUTS if "when not given" in text)


def _needed_inputs(key):
    """The inputs measure key cannot go without."""
    return [name for name in _MEASURE_ROWS[key][6] if name not in _OPTIONAL_INPUTS]


def heat_stress(*, outputs=None, pressure=STANDARD_PRESSURE, model="handbook", over="ice",
                supersaturated="flag", **given):
    """Heat-stress and atmospheric measures (``MEASURES``) of the air as a dict
    of arrays: each measure's values and its int8 status as ``KEY_status``.

    Keyword arguments only, all broadcast together: the air by two values that
    form a pair, as ``psychrometrics`` takes them (``dry_bulb`` with
    ``relative_humidity``, ``dew_point``, ...), at ``pressure`` (kPa); the
    inputs of ``MEASURE_INPUTS`` the measures need (``wind_speed`` at 10 m in
    m/s, ``mean_radiant_temperature`` and ``globe_temperature`` in degrees C,
    ``air_speed`` at the globe in m/s, ``solar_irradiance`` and
    ``net_radiation`` in W/m2, ``direct_fraction`` and ``cos_zenith``).
    ``outputs`` names the measures (a key or keys of ``MEASURES``); by default
    every one whose inputs are given. A measure outside its range is NaN with
    status 23; where the air's state is not computed, NaN with the state's
    status; a warning of the state's (13, 14, 19, 20) stays with a computed
    measure. A ``TypeError`` for an input a measure asked for needs and was
    not given, or for a keyword that is no input; a ``ValueError`` for a name
    that is no measure.

    >>> import hygrian
    >>> m = hygrian.heat_stress(dry_bulb=32.2, relative_humidity=60.0,
    ...                         outputs=["heat_index", "humidex"])
    >>> round(float(m["heat_index"]), 1), int(m["heat_index_status"])
    (37.5, 0)
    """
    inputs = {name: given.pop(name) for name, *_ in MEASURE_INPUTS if name in given}
    keys = _asked_measures(outputs, inputs)
    air = psychrometrics(pressure=pressure, model=model, over=over,
                         supersaturated=supersaturated, **given)
    args = ([air[p] for p in PROPERTIES] + [air["status"], pressure]
            + [inputs.get(name, np.nan) for name, *_ in MEASURE_INPUTS])
    result = {}
    for key in keys:
        result[key], result[key + "_status"] = _ufuncs.MEASURE_UFUNCS[key](*args)
    return result


def _asked_measures(outputs, inputs):
    """The keys of the measures asked for, in MEASURES' order: those named, or
    every one whose needed inputs are among inputs."""
    if outputs is None:
        return [key for key in _MEASURE_ROWS if all(i in inputs for i in _needed_inputs(key))]
    names = [outputs] if isinstance(outputs, str) else list(outputs)
    for name in names:
        if name not in _MEASURE_ROWS:
            raise ValueError(f"outputs: {name!r} is not one of {', '.join(_MEASURE_ROWS)}")
        missing = [i for i in _needed_inputs(name) if i not in inputs]
        if missing:
            raise TypeError(f"{name}: needs {' and '.join(missing)}")
    if not names:
        raise ValueError("outputs: none asked for; name at least one of "
                         + ", ".join(_MEASURE_ROWS))
    return [key for key in _MEASURE_ROWS if key in names]


def _measure_function(key):
    """hygrian.KEY(**keywords): the values of measure key alone, as heat_stress
    computes them (NaN where its status is not 0 or a warning)."""
    def measure(**given):
        return heat_stress(outputs=key, **given)[key]
    row = _MEASURE_ROWS[key]
    measure.__name__ = measure.__qualname__ = key
    needs = " and ".join(_needed_inputs(key)) or "nothing"
    measure.__doc__ = (f"The {row[1]} ({row[2]}) of the air, as an array: the keywords of "
                       f"heat_stress; it needs {needs} beyond the air.\n\nRange: {row[7]}. "
                       f"Reference: {row[8]}.")
    return measure


globals().update({key: _measure_function(key) for key in _MEASURE_ROWS})


def _comfort(pressure, model, over, mean_radiant_temperature, air_speed, metabolic_rate,
             clothing, given):
    """The (pmv, ppd) arrays of the comfort ufunc for the air of the pair
    ``given``; NaN where the air's state is not computed."""
    air = psychrometrics(pressure=pressure, model=model, over=over, **given)
    pmv_, ppd_, _ = _ufuncs.comfort(air["dry_bulb"], air["vapor_pressure"],
                                    mean_radiant_temperature, air_speed, metabolic_rate, clothing)
    return pmv_, ppd_


def pmv(*, mean_radiant_temperature, air_speed, metabolic_rate, clothing,
        pressure=STANDARD_PRESSURE, model="handbook", over="ice", **given):
    """Fanger's predicted mean vote (-3 cold to +3 hot) as an array.

    Keyword arguments only, all broadcast together: the air by two values
    that form a pair, as ``psychrometrics`` takes them (``dry_bulb`` and
    ``relative_humidity``, or any pair of ``PAIRS``), at ``pressure`` (kPa);
    ``mean_radiant_temperature`` (degrees C), ``air_speed`` (m/s, relative to
    the body), ``metabolic_rate`` (met) and ``clothing`` (clo). ISO 7730:2005
    and ASHRAE 55 (hygrian/comfort.h): NaN outside the model's ranges (a
    dry-bulb of 10 to 30 degrees C, 10 to 40 radiant, 0 to 1 m/s, a vapour
    pressure up to 2.7 kPa, 0.8 to 4 met, 0 to 2 clo, a vote of -2 to +2).
    ISO 7730's Table D.1, run 1:

    >>> import hygrian
    >>> round(float(hygrian.pmv(dry_bulb=22.0, relative_humidity=60.0,
    ...                         mean_radiant_temperature=22.0, air_speed=0.1,
    ...                         metabolic_rate=1.2, clothing=0.5)), 2)
    -0.75
    """
    return _comfort(pressure, model, over, mean_radiant_temperature, air_speed,
                    metabolic_rate, clothing, given)[0]


def ppd(*, mean_radiant_temperature, air_speed, metabolic_rate, clothing,
        pressure=STANDARD_PRESSURE, model="handbook", over="ice", **given):
    """The predicted percentage dissatisfied (%, 5 at best) that goes with
    ``pmv`` for the same keywords: 100 - 95 exp(-0.03353 PMV^4 - 0.2179
    PMV^2) (ISO 7730 eq. 5); NaN where the vote is.

    >>> import hygrian
    >>> round(float(hygrian.ppd(dry_bulb=22.0, relative_humidity=60.0,
    ...                         mean_radiant_temperature=22.0, air_speed=0.1,
    ...                         metabolic_rate=1.2, clothing=0.5)), 1)
    16.9
    """
    return _comfort(pressure, model, over, mean_radiant_temperature, air_speed,
                    metabolic_rate, clothing, given)[1]


def _asked_outputs(outputs):
    """The properties asked for, in the order of PROPERTIES + MORE_PROPERTIES:
    PROPERTIES for None, else those named (a name, or names); a ValueError for
    a name that is none, or for none at all."""
    if outputs is None:
        return PROPERTIES
    every = PROPERTIES + MORE_PROPERTIES
    names = [outputs] if isinstance(outputs, str) else list(outputs)
    for name in names:
        if name not in every:
            raise ValueError(f"outputs: {name!r} is not one of {', '.join(every)} "
                             "(status comes with every one)")
    if not names:
        raise ValueError("outputs: none asked for; name at least one of "
                         + ", ".join(every))
    return tuple(p for p in every if p in names)


def _provenance(model, over, supersaturated):
    """How results were made, as the attributes of a Dataset or a DataFrame."""
    return {"hygrian_version": __version__, "model": model, "over": over,
            "supersaturated": supersaturated}


def _output_dtype(dtype, arrays):
    """The properties' dtype: dtype when given (float32 or float64), else float32
    when every one of arrays is float32, else float64."""
    if dtype is None:
        narrow = arrays and all(a.dtype == np.float32 for a in arrays)
        return np.dtype(np.float32 if narrow else np.float64)
    dtype = np.dtype(dtype)
    if dtype not in (np.float32, np.float64):
        raise TypeError(f"dtype: {dtype} is neither float32 nor float64")
    return dtype


class _NotForDask:
    """What Dask calls for one of the ufuncs given a Dask array: Dask hands a
    ufunc of several outputs to the function of its name in dask.array.ufunc,
    and without one NumPy says only that every operand "returned
    NotImplemented"."""

    def __init__(self, name):
        self.name = name

    def __call__(self, *args, **kwargs):
        raise TypeError(f"{self.name}: a Dask array; the ufuncs compute NumPy arrays. "
                        "hygrian.xarray.psychrometrics computes Dask-backed DataArrays "
                        "lazily, block by block (or dask.array.map_blocks over the ufunc)")


def _point_dask_to_xarray():
    """Gives dask.array.ufunc, when Dask is imported, a _NotForDask for each
    ufunc name of the package's, where it has none of that name."""
    module = sys.modules.get("dask.array.ufunc")
    if module is None:
        return
    names = [name for name, *_ in PAIRS] + list(PROCESS_ARGUMENTS)
    for name in names:
        if not hasattr(module, name):
            setattr(module, name, _NotForDask(name))


_point_dask_to_xarray()
