"""Moist-air states of xarray DataArrays: units read from the inputs' attributes,
one Dataset out with CF names, lazy and blockwise when the inputs are Dask arrays.

    import xarray, hygrian.xarray
    era5 = xarray.open_dataset("era5.nc", chunks={"time": 1})
    states = hygrian.xarray.psychrometrics(
        dry_bulb=era5.t2m, dew_point=era5.d2m, pressure=era5.sp,   # K, K, Pa
        over="water")          # ERA5's dew point is over water at every temperature
    states.wet_bulb            # degC, standard_name wet_bulb_temperature

The physics is the library's, through the ufuncs of the package; this module
only converts units, names the outputs and hands blocks to the ufuncs. The
Dataset says how it was made: hygrian_version, model, over and supersaturated
as its attributes, and each variable's ancillary_variables is "status".
"""

import sys

import numpy as np
import xarray as xr  # the real xarray: imports are absolute

import hygrian
from hygrian import _given_pair, _output_dtype
from hygrian import units as hu

hygrian._point_dask_to_xarray()  # Dask may have come in between

__all__ = ["heat_stress", "psychrometrics", "wet_bulb_temperature"]

# Elements converted and computed at a time, so that the unit conversions of a
# large NumPy-backed input need only a few small buffers.
SLAB = 1 << 16



# Each output's CF standard_name or, where CF has none, a long_name.
_NAMES = {
    "dry_bulb": {"standard_name": "air_temperature"},
    "wet_bulb": {"standard_name": "wet_bulb_temperature"},
    "dew_point": {"standard_name": "dew_point_temperature"},
    "relative_humidity": {"standard_name": "relative_humidity"},
    "enthalpy": {"standard_name": "specific_enthalpy_of_air"},
    "humidity_ratio": {"standard_name": "humidity_mixing_ratio"},
    "degree_of_saturation": {"long_name": "degree of saturation"},
    "specific_volume": {"long_name": "specific volume per unit mass of dry air"},
    "vapor_pressure": {"standard_name": "water_vapor_partial_pressure_in_air"},
    "specific_humidity": {"standard_name": "specific_humidity"},
}


def _flag_meaning(text):
    """"log: DOMAIN error" -> "log_domain_error": one blank-free word per status."""
    words = "".join(c if c.isalnum() else " " for c in text.replace("**", "power"))
    return "_".join(words.lower().split())


def _status_attributes():
    codes = sorted(hygrian.STATUS)
    return {
        "long_name": "status of the computation",
        "flag_values": np.array(codes, dtype=np.int8),
        "flag_meanings": " ".join(_flag_meaning(hygrian.STATUS[c]) for c in codes),
    }


def _slabs(shape, size):
    """Basic indices that cut an array of `shape` into pieces of at most `size`
    elements (or one element of each leading axis, when a row is larger)."""
    axis, inner = len(shape), 1
    while axis > 0 and inner * shape[axis - 1] <= size:
        axis -= 1
        inner *= shape[axis]
    if axis == 0:
        yield ...
        return
    step = max(1, size // inner)
    for outer in np.ndindex(*shape[: axis - 1]):
        for start in range(0, shape[axis - 1], step):
            yield outer + (slice(start, start + step),)


def _library_input(piece, unit, buffer):
    """piece in the library's unit, as float64: piece itself when it is already
    (no copy), else converted from its own dtype into the front of buffer."""
    if piece.dtype == np.float64 and hu.is_library_unit(unit):
        return piece
    values = buffer[: piece.size].reshape(piece.shape)
    hu.to_library(piece, unit, out=values)
    return values


def _states(first, second, pressure, *, model, over, supersaturated, ufunc, names, units,
            outputs_in, dtype):
    """The outputs of one block from the pair's two values and the pressure:
    the properties that outputs_in names ({index in PROPERTIES +
    MORE_PROPERTIES: unit}), then the int8 status, computed slab by slab into
    their arrays: in double,
    converted, then rounded once to dtype. First a UserWarning for each input
    whose values in this block look like another unit's.

    Only the outputs asked for are allocated, once; the slabs share one set of
    float64 buffers: the inputs converted from their own dtype in one pass,
    and the properties not asked for, or that need converting before they are
    rounded to float32. A property in the library's unit goes straight into
    its output (NumPy rounds the ufunc's double to float32 as it writes it).
    The specific humidity comes from the humidity ratio's double."""
    for name, values, unit in zip(names, (first, second, pressure), units):
        hu.warn_if_unlikely(name, values, unit)
    # By name in every process: a ufunc pickles as its name, the default model's.
    compute = hygrian._ufunc(ufunc, model, over, supersaturated)
    inputs = np.broadcast_arrays(first, second, pressure)
    shape = inputs[0].shape
    outputs = {k: np.empty(shape, dtype) for k in outputs_in}
    status = np.empty(shape, np.int8)
    size = min(SLAB, status.size)
    given = [np.empty(size) for _ in inputs]
    count = len(hygrian.PROPERTIES)
    specific = count + hygrian.MORE_PROPERTIES.index("specific_humidity")
    ratio = hygrian.PROPERTIES.index("humidity_ratio")
    direct = {k for k, unit in outputs_in.items()
              if k < count and (dtype == np.float64 or hu.is_library_unit(unit))
              and not (k == ratio and specific in outputs_in)}
    work = {k: np.empty(size) for k in list(range(count)) + [specific]
            if k not in direct and (k < count or k in outputs_in)}
    for index in _slabs(shape, SLAB):
        done = status[index]
        args = [_library_input(a[index], u, b) for a, u, b in zip(inputs, units, given)]
        out = [outputs[k][index] if k in direct else work[k][: done.size].reshape(done.shape)
               for k in range(count)]
        compute(*args, out=tuple(out) + (done,))
        if specific in outputs_in:
            out.append(hygrian._specific_humidity(
                out[ratio], out=work[specific][: done.size].reshape(done.shape)))
        for k, unit in outputs_in.items():
            if k in direct:
                hu.from_library(out[k], unit)
            else:
                hu.from_library(out[k], unit, out=outputs[k][index])
    return tuple(outputs.values()) + (status,)


def _check_argument(name, value):
    """A TypeError for a Dataset or an array where a DataArray belongs (the
    pressure may also be a number), or for values that are not numbers."""
    if isinstance(value, xr.DataArray) and value.dtype.kind not in "iuf":
        raise TypeError(f"{name}: values of dtype {value.dtype}, not numbers; convert them "
                        f"first, such as {name}.astype(float) (texts of numbers) or "
                        "pandas.to_numeric for a column with gaps")
    if name == "pressure" and np.ndim(value) == 0 and not isinstance(value, xr.DataArray):
        if np.asarray(value).dtype.kind not in "iuf":
            raise TypeError(f"pressure: {value!r} is not a number (kPa, or a DataArray)")
        return
    if isinstance(value, xr.DataArray):
        return
    if isinstance(value, xr.Dataset):
        raise TypeError(f"{name}: a Dataset, not a DataArray; pass one of its variables, "
                        f"such as ds[{next(iter(value.data_vars), 'name')!r}]")
    raise TypeError(f"{name}: a {type(value).__module__}.{type(value).__qualname__}, not an "
                    "xarray.DataArray; wrap it with its units, xarray.DataArray(values, dims=..., "
                    "attrs={'units': ...}), or call hygrian.psychrometrics for NumPy arrays")


def _check_workers(values):
    """With Dask-backed inputs and a distributed client active, that every worker
    can import hygrian: a worker that cannot fails every task it is given, and
    the client may wait for ever. An ImportError names the workers."""
    distributed = sys.modules.get("distributed")
    if distributed is None or all(getattr(v, "chunks", None) is None for v in values):
        return
    try:
        client = distributed.default_client()
    except ValueError:  # no client: Dask's local schedulers run in this process
        return
    # exec in a fresh namespace: a function of hygrian's own would need hygrian
    # on the worker to be unpickled at all.
    answers = client.run(exec, "import hygrian._ufuncs", {}, on_error="return")
    failed = {w: answer for w, answer in answers.items() if isinstance(answer, BaseException)}
    if failed:
        first = next(iter(failed.values()))
        raise ImportError(
            f"hygrian cannot be imported on the Dask worker(s) {', '.join(sorted(failed))} "
            f"({type(first).__name__}: {first}); install it on every worker or set their "
            "PYTHONPATH", name="hygrian")


def _unit(name, value, units):
    """The unit of input `name`: units[name], else its `units` attribute, else kPa
    for a pressure given as a number; a ValueError when it has none or an
    unknown one."""
    unit = units.get(name)
    if unit is None:
        unit = getattr(value, "attrs", {}).get("units")
        if unit is None and not isinstance(value, xr.DataArray) and name == "pressure":
            unit = "kPa"
    if unit is None:
        raise ValueError(f"{name}: no units attribute; pass units={{{name!r}: ...}}")
    return hu.find(hu.INPUT_QUANTITIES[name], unit, name)


def _cell_methods(values):
    """The cell_methods that every DataArray among values has, the same text;
    None when one has none or they differ (the outputs are then no function of
    inputs of one kind of cell)."""
    arrays = [v for v in values if isinstance(v, xr.DataArray)]
    methods = {a.attrs.get("cell_methods") for a in arrays}
    return methods.pop() if len(methods) == 1 else None


def psychrometrics(*, pressure=101.325, output_units="library", units=None, dtype=None,
                   model="handbook", over="ice", supersaturated="flag", outputs=None,
                   **given):
    """The moist-air state of every element: an xarray.Dataset on the inputs'
    coordinates with the nine properties (or those of outputs) and `status`.

    Two values that form a pair of hygrian.PAIRS, as for hygrian.psychrometrics
    (dry_bulb with wet_bulb, dew_point, relative_humidity, humidity_ratio,
    specific_humidity, vapor_pressure or enthalpy; humidity_ratio with
    enthalpy; relative_humidity with enthalpy, wet_bulb, dew_point or
    humidity_ratio), are DataArrays (NumPy- or Dask-backed) whose `units` attribute says their unit, in any spelling of
    hygrian.units.UNITS: temperatures degC, K, degF, degR (°C, deg_C,
    degrees_Celsius, Celsius, degK, 'K ', °F, F, ...); relative humidity % or 1
    (a fraction); humidity ratio and specific humidity kg/kg, g/kg, lb/lb,
    grains/lb (kg kg-1, kg kg**-1, 1, g kg-1, ...); enthalpy kJ/kg, J/kg or
    Btu/lb (0 for dry air at 0 degF); vapor_pressure kPa, hPa, Pa, mbar, psi
    or inHg. pressure is a DataArray in the same units (pascal, hectopascal,
    hpa, millibar, psia, ...), or a number (kPa unless units says otherwise). Symbols must match
    exactly (mPa is not MPa), words whatever their case. units={"dry_bulb": "K",
    ...} overrides or supplies the attributes. An unknown or missing unit, or a
    key of units that names no input given, is a ValueError; values that are not
    two forming a pair a TypeError; a pair solved by a search with
    model="calculator" a ValueError.

    Values that look like another unit's than their label says (a temperature
    labelled K whose block is all below 100, a pressure outside 20 to 200 kPa
    once converted, a relative humidity labelled 1 above 1.5 or labelled % with
    a whole block at or below 1, a humidity ratio in kg/kg above 0.1) give a
    UserWarning naming the input and the likely unit, decided per block as it is
    computed; the numbers are computed as labelled all the same.

    output_units="library" gives degC, %, kJ/kg, kg/kg, m3/kg and kPa; "cf" K,
    1, J/kg, kg kg-1, m3 kg-1 and Pa; "ip" degF, %, Btu/lb (0 for dry air at 0
    degF), lb/lb, ft3/lb and psi (absolute). Where a state cannot be computed,
    status holds the code (see hygrian.STATUS), the given values stay and the
    other properties are NaN; a NaN among the inputs (a gap, a masked cell) is
    status 12, missing. Supersaturated inputs (a relative humidity above 100 %,
    a dew point above the dry-bulb) are computed, without a wet-bulb, status 13
    (supersaturated; 19 above ice saturation but not water's, over ice), or with
    supersaturated="clip" brought down to saturation at their dry-bulb, every
    property computed, status 20; a frost point below -100 degC leaves the dew
    point NaN, status 14; a temperature outside -100 to 200 degC is status 15, and an
    infinite value, as any given value that is not finite, status 1 (invalid
    input).

    model="handbook" (ASHRAE 2017 ch. 1, the default) or "calculator" (the
    console program's relations); over="ice" (the default) or "water" says what
    saturation refers to below 0.01 degC, for every property (the wet-bulb's
    wick too). Reanalyses and weather reports (ERA5's d2m, synoptic dew points
    and relative humidities) are over water: pass over="water" for them;
    CMIP6's hurs, hygrometers' frost points and the handbook's tables are over
    ice.

    outputs=["wet_bulb", ...] (names of hygrian.PROPERTIES or MORE_PROPERTIES) gives those
    variables alone, with status: only they are allocated and kept. The
    properties are float32 when every DataArray given is float32, else
    float64; dtype="float32" or "float64" chooses (computed in double either
    way, then rounded once). The coordinates keep their attributes; each
    output variable has hygrian's own, ancillary_variables "status", and the
    inputs' cell_methods where they all have the same. The Dataset's
    attributes say how it was made: hygrian_version, model, over and
    supersaturated. Dask-backed inputs stay lazy: one ufunc call per block
    gives all outputs. With a distributed client active, its workers are first
    checked to import hygrian (an ImportError names those that cannot).
    """
    hu.check_system(output_units)
    hygrian._model_module(model, over)  # a ValueError for no model
    name, first, second = _given_pair(given)
    # A ValueError for a pair the model has not, or a clip it cannot do.
    hygrian._ufunc(name, model, over, supersaturated)
    asked = hygrian._asked_outputs(outputs)
    given = {first: given[first], second: given[second], "pressure": pressure}
    for argument, value in given.items():
        _check_argument(argument, value)
    hu.check_keys(units, list(given))
    dtype = _output_dtype(dtype, [v for v in given.values() if isinstance(v, xr.DataArray)])
    _check_workers(given.values())
    units = dict(units or {})
    every = hygrian.PROPERTIES + hygrian.MORE_PROPERTIES
    outputs_in = {every.index(p): hu.output_unit(hu.PROPERTY_QUANTITIES[p], output_units)
                  for p in asked}
    computed = xr.apply_ufunc(
        _states,
        *given.values(),
        kwargs={
            "model": model,
            "over": over,
            "supersaturated": supersaturated,
            "ufunc": name,
            "names": list(given),
            "units": [_unit(argument, value, units) for argument, value in given.items()],
            "outputs_in": {k: unit for k, (unit, _) in outputs_in.items()},
            "dtype": dtype,
        },
        dask="parallelized",
        output_core_dims=[()] * (len(asked) + 1),
        output_dtypes=[dtype] * len(asked) + [np.int8],
        keep_attrs="override",  # the coordinates' attributes; the variables' are set below
    )
    cell_methods = _cell_methods(given.values())
    variables = {}
    for prop, (_, spelling), values in zip(asked, outputs_in.values(), computed):
        values.attrs = {"units": spelling, **_NAMES[prop], "ancillary_variables": "status"}
        if cell_methods is not None:
            values.attrs["cell_methods"] = cell_methods
        variables[prop] = values
    computed[-1].attrs = _status_attributes()
    if cell_methods is not None:
        computed[-1].attrs["cell_methods"] = cell_methods
    variables["status"] = computed[-1]
    return xr.Dataset(variables, attrs=hygrian._provenance(model, over, supersaturated))


def wet_bulb_temperature(t2m, d2m, sp, *, output_units="library", units=None, dtype=None,
                         model="handbook", over="water", supersaturated="flag"):
    """The wet-bulb temperature from the 2 m temperature, the 2 m dew point and the
    surface pressure (units from their attributes, as ERA5 gives them: K, K, Pa):
    a DataArray in degC, or K with output_units="cf", degF with "ip"; NaN where
    not found (status 13 or 19: above saturation, unless clipped with
    supersaturated="clip"). ERA5's dew point is over water, so over="water" by
    default here, which gives the wet-bulb of a liquid wick below 0 degC. Only
    the wet-bulb and the status are computed into arrays: the memory of one
    output and the int8 status besides the inputs. Its attributes say how it
    was made, as psychrometrics' Dataset's do (psychrometrics(...,
    outputs=["wet_bulb"]) keeps the status beside it)."""
    states = psychrometrics(
        dry_bulb=t2m, dew_point=d2m, pressure=sp, output_units=output_units, units=units,
        dtype=dtype, model=model, over=over, supersaturated=supersaturated,
        outputs=["wet_bulb"]
    )
    wet_bulb = states["wet_bulb"]
    del wet_bulb.attrs["ancillary_variables"]  # the status stays behind
    wet_bulb.attrs.update(states.attrs)
    return wet_bulb


def _measures(*values, names, units, keys, output_units, dtype, model, over, supersaturated):
    """The measures keys of one block, each then its int8 status: the inputs
    (names, in units) converted to the library's units in double, the
    measures computed by hygrian.heat_stress, converted to output_units and
    rounded once to dtype."""
    given = {}
    for name, block, unit in zip(names, values, units):
        if name in hu.INPUT_QUANTITIES:
            hu.warn_if_unlikely(name, block, unit)
        given[name] = np.array(block, dtype=np.float64)
        hu.to_library(given[name], unit)
    result = hygrian.heat_stress(outputs=keys, model=model, over=over,
                                 supersaturated=supersaturated, **given)
    out = []
    for key in keys:
        unit, _ = hu.output_unit(hu.MEASURE_QUANTITIES[key], output_units)
        hu.from_library(result[key], unit)
        out += [result[key].astype(dtype, copy=False), result[key + "_status"]]
    return tuple(out)


def heat_stress(*, pressure=101.325, output_units="library", units=None, dtype=None,
                model="handbook", over="ice", supersaturated="flag", outputs=None, **given):
    """Heat-stress and atmospheric measures of every element (hygrian.MEASURES):
    an xarray.Dataset on the inputs' coordinates with each measure and its
    status as KEY_status (its ancillary variable).

    The air by two DataArrays that form a pair, and pressure, exactly as
    psychrometrics takes them (units from their attributes or units=); the
    inputs of hygrian.MEASURE_INPUTS the measures need as DataArrays or
    numbers: wind_speed (at 10 m) and air_speed in m/s (m s-1),
    mean_radiant_temperature and globe_temperature in any temperature unit,
    solar_irradiance and net_radiation in W/m2 (W m-2), direct_fraction and
    cos_zenith in 1. A number is in that unit (temperatures in degC).
    outputs names the measures (keys of hygrian.MEASURES); by default every
    one whose inputs are given. output_units="library" gives degC, kPa and m;
    "cf" K, Pa and m; "ip" degF, psi and ft. A measure outside its range is
    NaN with status 23, as hygrian.heat_stress gives it; the Dataset's
    attributes say how it was made. Dask-backed inputs stay lazy, one call per
    block.

        ds = hygrian.xarray.heat_stress(dry_bulb=era5.t2m, dew_point=era5.d2m,
                                        pressure=era5.sp, wind_speed=wind10,
                                        mean_radiant_temperature=mrt, over="water",
                                        outputs=["utci", "heat_index"])
    """
    hu.check_system(output_units)
    hygrian._model_module(model, over)
    inputs = {k: given.pop(k) for k in list(given) if k in hu.MEASURE_INPUT_UNITS}
    name, first, second = _given_pair(given)
    hygrian._ufunc(name, model, over, supersaturated)
    keys = hygrian._asked_measures(outputs, inputs)
    arrays = {first: given[first], second: given[second], "pressure": pressure}
    for argument, value in arrays.items():
        _check_argument(argument, value)
    hu.check_keys(units, list(arrays) + list(inputs))
    units = dict(units or {})
    unit_of = {argument: _unit(argument, value, units) for argument, value in arrays.items()}
    for argument, value in inputs.items():
        text = units.get(argument, getattr(value, "attrs", {}).get("units"))
        if text is None and not isinstance(value, xr.DataArray):
            text = hu.MEASURE_INPUT_UNITS[argument]
        if text is None:
            raise ValueError(f"{argument}: no units attribute; pass units={{{argument!r}: ...}}")
        unit_of[argument] = hu.find_measure_input(argument, text)
    arrays.update(inputs)
    dtype = _output_dtype(dtype, [v for v in arrays.values() if isinstance(v, xr.DataArray)])
    _check_workers(arrays.values())
    computed = xr.apply_ufunc(
        _measures,
        *arrays.values(),
        kwargs={"names": list(arrays), "units": list(unit_of[a] for a in arrays), "keys": keys,
                "output_units": output_units, "dtype": dtype, "model": model, "over": over,
                "supersaturated": supersaturated},
        dask="parallelized",
        output_core_dims=[()] * (2 * len(keys)),
        output_dtypes=[dtype, np.int8] * len(keys),
        keep_attrs="override",
    )
    rows = {row[0]: row for row in hygrian.MEASURES}
    variables = {}
    for k, key in enumerate(keys):
        _, spelling = hu.output_unit(hu.MEASURE_QUANTITIES[key], output_units)
        row = rows[key]
        values, status = computed[2 * k], computed[2 * k + 1]
        named = {"standard_name": row[5]} if row[5] else {"long_name": row[1]}
        values.attrs = {"units": spelling, **named, "references": row[8],
                        "ancillary_variables": key + "_status"}
        status.attrs = {**_status_attributes(), "long_name": f"status of the {row[1]}"}
        variables[key], variables[key + "_status"] = values, status
    return xr.Dataset(variables, attrs=hygrian._provenance(model, over, supersaturated))
