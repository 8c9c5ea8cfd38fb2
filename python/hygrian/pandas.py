"""Moist-air states of the rows of a pandas DataFrame.

    import pandas, hygrian.pandas
    readings = pandas.read_csv("station.csv", index_col="time", parse_dates=True)
    states = hygrian.pandas.psychrometrics(
        readings, dry_bulb="t", relative_humidity="rh", pressure="p")

The columns are in the library's units (degC, % for relative humidity, kg/kg,
kPa) unless units= names theirs: units={"t": "degF", "p": "inHg"} by keyword,
units={"dry_bulb": "°F"}, in any spelling of hygrian.units.UNITS. hygrian.pandas.process runs an air process over a table of air-handling units.
The ufuncs get the columns as NumPy float64 arrays, never as Series:
pandas' missing values (NaN, None, <NA> of the nullable dtypes) and the gap
texts below become NaN, a gap (status 12, missing).
"""

import numpy as np
import pandas as pd  # the real pandas: imports are absolute

import hygrian
from hygrian import _output_dtype, _ufuncs
from hygrian import units as hu

__all__ = ["heat_stress", "process", "psychrometrics"]

# Texts that loggers and spreadsheets write for no reading (after stripping blanks).
GAP_TEXTS = frozenset({"", "N/A", "n/a", "NA", "NaN", "nan"})
# A number's text, as hygrian-batch reads one: a sign, digits with a point, an exponent.
NUMBER_TEXT = r"[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?"


def _series(frame, name):
    """Column name of frame; a KeyError naming the columns there are, a
    ValueError when several columns have that name."""
    if name not in frame.columns:
        raise KeyError(f"no column {name!r}; the columns are "
                       f"{', '.join(map(repr, frame.columns))}")
    column = frame[name]
    if isinstance(column, pd.DataFrame):
        raise ValueError(f"column {name!r}: {column.shape[1]} columns have that name; "
                         "rename them (frame.columns = [...]) or pass one, "
                         f"frame.iloc[:, [{', '.join(map(str, range(column.shape[1])))}]]")
    return column


def _column(frame, name):
    """Column name of frame as a float64 array: NaN for pandas' missing values and
    the gap texts; a ValueError naming the column and its first text that is no
    number ("warm") or too large for a double ("1e999"), as hygrian-batch says."""
    column = _series(frame, name)
    if pd.api.types.is_numeric_dtype(column.dtype):
        return column.to_numpy(dtype=np.float64, na_value=np.nan)
    texts = column.astype(object).map(lambda v: v.strip() if isinstance(v, str) else v)
    gaps = texts.isna() | texts.isin(GAP_TEXTS)
    strings = texts.map(lambda v: isinstance(v, str)).astype(bool) & ~gaps
    numbers = pd.to_numeric(texts.mask(gaps | strings), errors="coerce")
    spelt = texts.where(strings, "").astype(str).str.fullmatch(NUMBER_TEXT)
    numbers[strings & spelt] = texts[strings & spelt].map(float)  # correctly rounded
    bad = (numbers.isna() & ~gaps & ~strings) | (strings & ~spelt)
    if bad.any():
        raise ValueError(f"column {name!r}: {column[bad].iloc[0]!r} is not a number "
                         f"(a gap is one of {', '.join(map(repr, sorted(GAP_TEXTS)))} or NaN)")
    huge = strings & np.isinf(numbers.astype(np.float64))
    if huge.any():
        raise ValueError(f"column {name!r}: {column[huge].iloc[0]!r} is out of range "
                         "(too large for a double)")
    return numbers.to_numpy(dtype=np.float64, na_value=np.nan)


def psychrometrics(frame, *, pressure=hygrian.STANDARD_PRESSURE, units=None,
                   output_units="library", dtype=None, model="handbook", over="ice",
                   supersaturated="flag", outputs=None, **given):
    """A DataFrame on frame's index with the nine properties (or those of
    outputs) and `status`; its attrs say how it was made (hygrian_version,
    model, over, supersaturated).

    Two values that form a pair of hygrian.PAIRS name columns of frame:
    dry_bulb= with wet_bulb=, dew_point=, relative_humidity=, humidity_ratio=,
    specific_humidity=, vapor_pressure= or enthalpy=; humidity_ratio= with
    enthalpy=;
    relative_humidity= with enthalpy=, wet_bulb=, dew_point= or humidity_ratio=
    (a pair with enthalpy= or without dry_bulb= is the handbook model's only,
    as for hygrian.psychrometrics). pressure is a number or the name of a column. The
    columns may be float, integer, pandas' nullable dtypes or text (numbers and
    gaps).

    The values are in the library's units (degC, %, kg/kg, kJ/kg, kPa) unless
    units={"dry_bulb": "degF", "pressure": "inHg", ...} names theirs by keyword,
    in any spelling of hygrian.units.UNITS; an unknown unit or a key that names
    no input given is a ValueError. A column whose values look like another
    unit's (kelvin as degC, a fraction as %, a pressure outside 20 to 200 kPa)
    gives a UserWarning naming it and the likely unit; it is computed as
    labelled all the same. output_units="ip" gives degF, %, Btu/lb, lb/lb,
    ft3/lb and psi; "cf" K, 1, J/kg and Pa; "library" (the default) the library's.

    Where a state cannot be computed, status holds the code (see
    hygrian.STATUS), the given values stay and the other properties are NaN; an
    empty cell is status 12, missing. Supersaturated readings are computed
    without a wet-bulb (status 13; 19 above ice saturation but not water's), or
    with supersaturated="clip" brought down to saturation (status 20).
    model="handbook" (the default) or "calculator", over="ice" (the default) or
    "water" (for dew points and relative humidities from weather data) as for
    hygrian.psychrometrics. outputs=["wet_bulb", ...] gives those columns alone,
    with status. The properties are float32 when every column given is float32,
    else float64; dtype="float32" or "float64" chooses (computed in double).
    """
    hu.check_system(output_units)
    # Before any column is read: a TypeError for no pair, a ValueError for no
    # model, a pair the model has not, or no property asked for.
    hygrian._ufunc(hygrian._given_pair(given)[0], model, over, supersaturated)
    asked = hygrian._asked_outputs(outputs)
    named = {k: v for k, v in given.items() if v is not None}
    if isinstance(pressure, str):
        named["pressure"] = pressure
    hu.check_keys(units, list(named) + (["pressure"] if "pressure" not in named else []))
    dtype = _output_dtype(dtype, [_series(frame, column) for column in named.values()])
    columns = {keyword: _column(frame, column) for keyword, column in named.items()}
    given = {"pressure": pressure, **columns}
    for keyword, values in given.items():
        unit = hu.find(hu.INPUT_QUANTITIES[keyword], (units or {}).get(keyword, hu.output_unit(
            hu.INPUT_QUANTITIES[keyword], "library")[1]), keyword)
        hu.warn_if_unlikely(keyword, values, unit)
        values = np.array(values, dtype=np.float64)
        hu.to_library(values, unit)
        given[keyword] = values
    states = hygrian.psychrometrics(**given, model=model, over=over,
                                    supersaturated=supersaturated, outputs=asked)
    kept = {prop: states[prop] for prop in asked + ("status",)}
    for prop, values in kept.items():
        if prop in hu.PROPERTY_QUANTITIES:
            hu.from_library(values, hu.output_unit(hu.PROPERTY_QUANTITIES[prop], output_units)[0])
    result = pd.DataFrame({k: v.astype(dtype, copy=False) if v.dtype.kind == "f" else v
                           for k, v in kept.items()}, index=frame.index)
    result.attrs = hygrian._provenance(model, over, supersaturated)
    return result


def heat_stress(frame, *, pressure=hygrian.STANDARD_PRESSURE, units=None,
                output_units="library", model="handbook", over="ice", supersaturated="flag",
                outputs=None, **given):
    """A DataFrame on frame's index with heat-stress and atmospheric measures
    (hygrian.MEASURES), each then its status as KEY_status; its attrs say how
    it was made.

    The air by two columns that form a pair and pressure, as psychrometrics
    takes them; the inputs of hygrian.MEASURE_INPUTS the measures need name
    columns too (wind_speed=, mean_radiant_temperature=, globe_temperature=,
    air_speed=, solar_irradiance=, direct_fraction=, cos_zenith=,
    net_radiation=), or are numbers: speeds in m/s, temperatures in degC unless
    units= says otherwise, irradiances in W/m2, the fraction and cosine in 1.
    outputs names the measures; by default every one whose inputs are given.
    output_units="ip" gives degF, psi and ft; "cf" K, Pa and m. A measure
    outside its range is NaN with status 23, as hygrian.heat_stress gives it.
    """
    hu.check_system(output_units)
    inputs = {k: given.pop(k) for k in list(given) if k in hu.MEASURE_INPUT_UNITS}
    hygrian._ufunc(hygrian._given_pair(given)[0], model, over, supersaturated)
    keys = hygrian._asked_measures(outputs, inputs)
    named = {k: v for k, v in {**given, **inputs}.items() if isinstance(v, str)}
    if isinstance(pressure, str):
        named["pressure"] = pressure
    hu.check_keys(units, list(given) + list(inputs) + ["pressure"])
    values = {"pressure": pressure, **given, **inputs}
    for keyword, value in values.items():
        text = (units or {}).get(keyword)
        if keyword in hu.MEASURE_INPUT_UNITS:
            unit = hu.find_measure_input(keyword, text or hu.MEASURE_INPUT_UNITS[keyword])
        else:
            quantity = hu.INPUT_QUANTITIES[keyword]
            unit = hu.find(quantity, text or hu.output_unit(quantity, "library")[1], keyword)
        value = _column(frame, value) if keyword in named else value
        value = np.array(value, dtype=np.float64)
        if keyword in hu.INPUT_QUANTITIES:
            hu.warn_if_unlikely(keyword, value, unit)
        hu.to_library(value, unit)
        values[keyword] = value
    result = hygrian.heat_stress(outputs=keys, model=model, over=over,
                                 supersaturated=supersaturated, **values)
    for key in keys:
        hu.from_library(result[key], hu.output_unit(hu.MEASURE_QUANTITIES[key], output_units)[0])
    frame_out = pd.DataFrame({k: np.broadcast_to(v, (len(frame),)) for k, v in result.items()},
                             index=frame.index)
    frame_out.attrs = hygrian._provenance(model, over, supersaturated)
    return frame_out


def _argument_unit(quantity, text, name):
    """The Unit of an argument of quantity spelled text; a flow's may be a mass
    flow's (of dry air) or a volume flow's. A ValueError naming name when none
    is."""
    if quantity != "mass_flow" or not isinstance(text, str):
        return hu.find(quantity, text, name)
    for flow in ("mass_flow", "volume_flow"):
        if _ufuncs.find_unit(flow, text) is not None:
            return hu.find(flow, text, name)
    known = ", ".join(u.key for u in hu.UNITS if u.quantity in ("mass_flow", "volume_flow"))
    raise ValueError(f"{name}: unknown unit {text!r}; known: {known}")


def process(frame, name, *, pressure=hygrian.STANDARD_PRESSURE, over="ice", units=None,
            output_units="library", **arguments):
    """A DataFrame on frame's index with the columns of hygrian.PROCESS_OUTPUTS:
    the process `name` (a key of hygrian.PROCESS_ARGUMENTS) run on every row.

    Each argument of the process is given by keyword, as the name of a column of
    frame or as a number for every row, in the library's units (degrees C, kg/kg,
    kg/s or m3/s, kW, percent, kPa) unless units={"dry_bulb": "degF", "flow":
    "cfm", ...} names theirs by keyword, in any spelling of hygrian.units.UNITS,
    as for psychrometrics. A flow in a volume unit (m3/s, m3/h, L/s, cfm) is of
    the air at its stream's entering state, converted by hygrian.dry_air_flow
    as hygrian-batch converts it; pressure defaults to 101.325 kPa.
    output_units="ip" gives the leaving state as psychrometrics does, the flows
    and water in lb/h and the loads in Btu/h; "cf" kg s-1 and W; "library" (the
    default) kg/s and kW (water_enthalpy stays in kJ/kg of water). over="water"
    takes saturation over liquid water at every temperature (dew points and
    relative humidities as weather data give them), as for psychrometrics. A
    missing or unknown argument is a TypeError, an unknown phase or unit a
    ValueError; gaps are status 12, as for psychrometrics.

    >>> import pandas, hygrian.pandas
    >>> units = pandas.DataFrame({"t": [30.0, 26.0], "w": [0.0133, 0.0115],
    ...                           "flow": [5.7, 4.0]}, index=["AHU-1", "AHU-2"])
    >>> coil = hygrian.pandas.process(units, "cool_and_dehumidify", dry_bulb="t",
    ...                               humidity_ratio="w", apparatus_dew_point=10.0,
    ...                               bypass_factor=0.1, flow="flow")
    >>> coil["total_load"].round(1).tolist()
    [-177.4, -93.4]
    >>> ip = hygrian.pandas.process(units, "cool_and_dehumidify", dry_bulb=86.0,
    ...                             humidity_ratio="w", apparatus_dew_point=50.0,
    ...                             bypass_factor=0.1, flow=10000.0,
    ...                             units={"dry_bulb": "degF", "apparatus_dew_point": "degF",
    ...                                    "flow": "cfm"}, output_units="ip")
    >>> ip["total_load"].round(-2).tolist()
    [-571500.0, -498100.0]
    """
    if name not in hygrian.PROCESS_ARGUMENTS:
        raise ValueError(f"{name!r} is not one of {', '.join(hygrian.PROCESS_ARGUMENTS)}")
    if over not in hygrian.PROCESSES:
        raise ValueError(f"over: {over!r} is not 'ice' or 'water'")
    hu.check_system(output_units)
    names = hygrian.PROCESS_ARGUMENTS[name]
    given = {"pressure": pressure, **arguments}
    if set(given) != set(names):
        raise TypeError(f"{name}() takes {', '.join(names)}; got {', '.join(given)}")
    hu.check_keys(units, names)
    quantities = dict(zip(names, _ufuncs.PROCESS_ARGUMENT_QUANTITIES[name]))
    values, volumes = {}, []
    for n in names:
        value = _column(frame, given[n]) if isinstance(given[n], str) else given[n]
        quantity = quantities[n]
        unit = _argument_unit(quantity, (units or {}).get(n, hu.output_unit(quantity, "library")[1]),
                              n)
        values[n] = np.array(value, dtype=np.float64)
        hu.to_library(values[n], unit)
        if unit.quantity != quantity:
            volumes.append(n)
    # A volume flow at its stream's entering state: a_flow at a_dry_bulb's, ...
    for n in volumes:
        stream = n[:-len("flow")]
        values[n] = hygrian.dry_air_flow(values[stream + "dry_bulb"],
                                         values[stream + "humidity_ratio"], values[n],
                                         values["pressure"])
    outputs = hygrian.PROCESSES[over][name](*(values[n] for n in names))
    for output, quantity in zip(outputs, _ufuncs.PROCESS_OUTPUT_QUANTITIES):
        if quantity != "-":
            hu.from_library(output, hu.output_unit(quantity, output_units)[0])
    return pd.DataFrame(dict(zip(hygrian.PROCESS_OUTPUTS, outputs)), index=frame.index)
