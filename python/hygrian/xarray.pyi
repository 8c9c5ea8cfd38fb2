# Types of hygrian.xarray: DataArrays in, a Dataset (or a DataArray) out.
from collections.abc import Mapping, Sequence
from typing import Literal

import xarray as xr
from numpy.typing import DTypeLike

from hygrian._ufuncs import _Property

__all__ = ["heat_stress", "psychrometrics", "wet_bulb_temperature"]

_Model = Literal["handbook", "calculator"]
_Phase = Literal["ice", "water"]
_Supersaturated = Literal["flag", "clip"]
_System = Literal["library", "ip", "cf"]

SLAB: int

# Exactly two values that form a pair of hygrian.PAIRS are given.
def psychrometrics(
    *,
    pressure: xr.DataArray | float = 101.325,
    output_units: _System = "library",
    units: Mapping[str, str] | None = None,
    dtype: DTypeLike | None = None,
    model: _Model = "handbook",
    over: _Phase = "ice",
    supersaturated: _Supersaturated = "flag",
    outputs: _Property | Sequence[_Property] | None = None,
    dry_bulb: xr.DataArray | None = None,
    wet_bulb: xr.DataArray | None = None,
    dew_point: xr.DataArray | None = None,
    relative_humidity: xr.DataArray | None = None,
    humidity_ratio: xr.DataArray | None = None,
    specific_humidity: xr.DataArray | None = None,
    vapor_pressure: xr.DataArray | None = None,
    enthalpy: xr.DataArray | None = None,
) -> xr.Dataset: ...
def wet_bulb_temperature(
    t2m: xr.DataArray,
    d2m: xr.DataArray,
    sp: xr.DataArray | float,
    *,
    output_units: _System = "library",
    units: Mapping[str, str] | None = None,
    dtype: DTypeLike | None = None,
    model: _Model = "handbook",
    over: _Phase = "water",
    supersaturated: _Supersaturated = "flag",
) -> xr.DataArray: ...
# The air by a pair of DataArrays, as psychrometrics takes it, and the inputs of
# hygrian.MEASURE_INPUTS the measures need (DataArrays or numbers).
def heat_stress(
    *,
    pressure: xr.DataArray | float = 101.325,
    output_units: _System = "library",
    units: Mapping[str, str] | None = None,
    dtype: DTypeLike | None = None,
    model: _Model = "handbook",
    over: _Phase = "ice",
    supersaturated: _Supersaturated = "flag",
    outputs: str | Sequence[str] | None = None,
    **given: xr.DataArray | float,
) -> xr.Dataset: ...
