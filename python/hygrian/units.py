"""Units in and out of the ufuncs, from the library's table of units
(hygrian/units.h): the spellings each unit accepts, its exact relation to the
library's unit, each quantity's unit in the library, IP and CF systems, and the
hints that tell values in one unit labelled as another.

    >>> import hygrian.units as hu
    >>> hu.find("temperature", "deg_F", "dry_bulb").key
    'degF'
    >>> unit, spelling = hu.output_unit("enthalpy", "ip")
    >>> spelling, unit.zero                  # dry air at 0 degC is 7.68 Btu/lb
    ('Btu/lb', 7.68)

Both the xarray and the pandas layer convert through this module; it holds no
physics and no unit of its own.
"""

import collections
import warnings

import numpy as np

from . import _ufuncs

__all__ = ["SYSTEMS", "UNITS", "Unit", "find", "output_unit", "to_library", "from_library",
           "warn_if_unlikely", "check_keys", "find_measure_input", "MEASURE_INPUT_UNITS",
           "MEASURE_QUANTITIES"]

# One unit: in the library's unit a value v is (v - zero) * numerator / denominator.
Unit = collections.namedtuple(
    "Unit", "quantity key name numerator denominator zero spellings")

UNITS = tuple(Unit(*row) for row in _ufuncs.UNITS)
_BY_KEY = {(u.quantity, u.key): u for u in UNITS}

# The systems of output units: (library, IP, CF) spellings by quantity.
SYSTEMS = ("library", "ip", "cf")
_SYSTEM_SPELLINGS = {quantity: dict(zip(SYSTEMS, spellings))
                     for quantity, *spellings in _ufuncs.QUANTITIES}

# The quantity of each property, and of each input by its keyword.
PROPERTY_QUANTITIES = dict(zip(_ufuncs.PROPERTIES + _ufuncs.MORE_PROPERTIES,
                               _ufuncs.PROPERTY_QUANTITIES))
_QUANTITY_OF_LIBRARY_UNIT = {s["library"]: q for q, s in _SYSTEM_SPELLINGS.items()}
INPUT_QUANTITIES = {
    "dry_bulb": "temperature", "pressure": "pressure",
    **{second: _QUANTITY_OF_LIBRARY_UNIT[unit] for _, _, second, unit in _ufuncs.PAIRS},
}


# The quantity of each measure's values (hygrian.MEASURES), by its key.
MEASURE_QUANTITIES = {key: _QUANTITY_OF_LIBRARY_UNIT[unit] for key, _, unit, *_ in
                      _ufuncs.MEASURES}
# The measures' inputs beyond the air (hygrian.MEASURE_INPUTS) by their unit
# in the library: temperatures through the table of units; speeds, irradiances
# and ratios, which it has no quantity for, in that one unit, in these spellings.
MEASURE_INPUT_UNITS = {key: unit for key, unit, _ in _ufuncs.MEASURE_INPUTS}
_ONE_UNIT_SPELLINGS = {"m/s": ("m/s", "m s-1", "m s**-1", "m.s-1", "m/sec"),
                       "W/m2": ("W/m2", "W m-2", "W m**-2", "W.m-2", "W/m^2"),
                       "1": ("1",)}


def find_measure_input(name, text):
    """The Unit of the measure input name (a key of MEASURE_INPUT_UNITS) spelled
    text; a ValueError naming name and the spellings known when none is."""
    unit = MEASURE_INPUT_UNITS[name]
    if unit == "degC":
        return find("temperature", text, name)
    spellings = _ONE_UNIT_SPELLINGS[unit]
    if isinstance(text, str) and text.strip() in spellings:
        return Unit(name, unit, unit, 1, 1, 0, spellings)
    raise ValueError(f"{name}: unknown unit {text!r}; known: {', '.join(spellings)}")


def find(quantity, text, name):
    """The Unit of quantity that text spells (symbols exactly, words whatever
    their case, blanks around trimmed); a ValueError naming name and the units
    known when none does."""
    key = _ufuncs.find_unit(quantity, text) if isinstance(text, str) else None
    if key is None:
        known = ", ".join(u.key for u in UNITS if u.quantity == quantity)
        raise ValueError(f"{name}: unknown unit {text!r}; known: {known} "
                         f"(and their spellings in hygrian.units.UNITS)")
    return _BY_KEY[quantity, key]


def output_unit(quantity, system):
    """The Unit of quantity in system ("library", "ip" or "cf"), and the spelling
    written for it, as (Unit, spelling)."""
    spelling = _SYSTEM_SPELLINGS[quantity][system]
    return find(quantity, spelling, quantity), spelling


def is_library_unit(unit):
    """Whether values in unit are already in the library's unit (nothing to convert)."""
    return not _steps(unit, False)


def _steps(unit, inverse):
    """The operations that convert into the library's unit (or out of it, with
    inverse), in order, as (ufunc, operand); none for the library's own unit."""
    if inverse:
        steps = [(np.multiply, unit.denominator, 1), (np.divide, unit.numerator, 1),
                 (np.add, unit.zero, 0)]
    else:
        steps = [(np.subtract, unit.zero, 0), (np.multiply, unit.numerator, 1),
                 (np.divide, unit.denominator, 1)]
    return [(op, operand) for op, operand, neutral in steps if operand != neutral]


def _convert(values, steps, out):
    """Applies steps in double, each rounding to double as the library does: the
    first reads values (any real dtype), the last writes out (rounded once to
    its dtype); those between work in out when it is float64, else in values
    (then a float64 buffer that may be overwritten). Without out, in place."""
    if out is None:
        out = values
    if not steps and out is not values:
        np.copyto(out, values)
    source = values
    for k, (op, operand) in enumerate(steps):
        target = out if k + 1 == len(steps) or out.dtype == np.float64 else values
        op(source, operand, out=target, dtype=np.float64)
        source = target


def to_library(values, unit, out=None):
    """Converts values in unit to the library's unit, with the library's own
    operations (hygrian::ToLibrary), each in double: in place in a float64
    buffer, or from values of any real dtype into out in one pass per
    operation, with no copy first."""
    _convert(values, _steps(unit, False), out)


def from_library(values, unit, out=None):
    """Converts float64 values in the library's unit to unit
    (hygrian::FromLibrary), each operation in double: in place, or into out
    (float32 or float64), rounded once to its dtype at the end."""
    _convert(values, _steps(unit, True), out)


def warn_if_unlikely(name, values, unit):
    """A UserWarning naming name and the likely unit when the finite values of
    this block, labelled in unit, look like another unit's (a temperature in K
    all below 100, a pressure outside 20 to 200 kPa, ...). Never an exception;
    nothing for a block without a finite value, nor for a pressure other than
    the total pressure (the hints know its range; a vapour pressure's is far
    below it)."""
    if unit.quantity == "pressure" and name != "pressure":
        return
    values = np.asarray(values)
    if values.size == 0 or values.dtype.kind not in "fiu":
        return
    least, greatest = np.fmin.reduce(values, axis=None), np.fmax.reduce(values, axis=None)
    likely = _ufuncs.likely_unit(unit.quantity, unit.key, float(least), float(greatest))
    if likely is not None:
        warnings.warn(f"{name}: values labelled {unit.key!r} ({unit.name}) look like "
                      f"{likely!r} ({_BY_KEY[unit.quantity, likely].name}); if they are, "
                      f"pass units={{{name!r}: {likely!r}}}", UserWarning, stacklevel=3)


def check_keys(units, names):
    """A ValueError naming the first key of units that is not one of names."""
    for key in units or {}:
        if key not in names:
            raise ValueError(f"units: unknown key {key!r}; the inputs given are "
                             + ", ".join(names))


def check_system(output_units):
    """A ValueError unless output_units is one of SYSTEMS."""
    if output_units not in SYSTEMS:
        raise ValueError(f"output_units: {output_units!r} is none of "
                         + ", ".join(map(repr, SYSTEMS)))
