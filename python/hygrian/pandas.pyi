# Types of hygrian.pandas: columns of a DataFrame in, a DataFrame out.
from collections.abc import Hashable, Mapping, Sequence
from typing import Literal

import pandas as pd  # type: ignore[import]  # Debian's pandas 1.5 ships no types: Any
from numpy.typing import ArrayLike, DTypeLike

from hygrian._ufuncs import _Property

__all__ = ["heat_stress", "process", "psychrometrics"]

_Model = Literal["handbook", "calculator"]
_Phase = Literal["ice", "water"]
_Supersaturated = Literal["flag", "clip"]
_System = Literal["library", "ip", "cf"]

GAP_TEXTS: frozenset[str]
NUMBER_TEXT: str

# Columns by name; exactly two values that form a pair of hygrian.PAIRS are
# given. pressure is a column's name or a number (or an array of the rows).
def psychrometrics(
    frame: pd.DataFrame,
    *,
    pressure: str | ArrayLike = 101.325,
    units: Mapping[str, str] | None = None,
    output_units: _System = "library",
    dtype: DTypeLike | None = None,
    model: _Model = "handbook",
    over: _Phase = "ice",
    supersaturated: _Supersaturated = "flag",
    outputs: _Property | Sequence[_Property] | None = None,
    dry_bulb: Hashable | None = None,
    wet_bulb: Hashable | None = None,
    dew_point: Hashable | None = None,
    relative_humidity: Hashable | None = None,
    humidity_ratio: Hashable | None = None,
    specific_humidity: Hashable | None = None,
    vapor_pressure: Hashable | None = None,
    enthalpy: Hashable | None = None,
) -> pd.DataFrame: ...

# The process `name` (a key of hygrian.PROCESS_ARGUMENTS) on every row; each of
# its arguments a column's name or a number.
def process(
    frame: pd.DataFrame,
    name: str,
    *,
    pressure: Hashable | float | ArrayLike = ...,
    over: _Phase = "ice",
    units: Mapping[str, str] | None = None,
    output_units: _System = "library",
    **arguments: Hashable | float | ArrayLike,
) -> pd.DataFrame: ...
# The air by a pair of columns, as psychrometrics takes it, and the inputs of
# hygrian.MEASURE_INPUTS the measures need (column names or numbers).
def heat_stress(
    frame: pd.DataFrame,
    *,
    pressure: str | ArrayLike = 101.325,
    units: Mapping[str, str] | None = None,
    output_units: _System = "library",
    model: _Model = "handbook",
    over: _Phase = "ice",
    supersaturated: _Supersaturated = "flag",
    outputs: str | Sequence[str] | None = None,
    **given: Hashable | float,
) -> pd.DataFrame: ...
