# Types of the extension module: the ufuncs of each model, the library's tables
# as tuples, and the two look-ups of the unit table.
from typing import Any, Literal, Protocol, overload

import numpy as np
from numpy.typing import ArrayLike, DTypeLike, NDArray

_Float = np.floating[Any]
_Scalar = float | int | np.floating[Any] | np.integer[Any]
# A name of PROPERTIES or MORE_PROPERTIES.
_Property = Literal[
    "dry_bulb",
    "wet_bulb",
    "dew_point",
    "relative_humidity",
    "enthalpy",
    "humidity_ratio",
    "degree_of_saturation",
    "specific_volume",
    "vapor_pressure",
    "specific_humidity",
]
_Casting = Literal["no", "equiv", "safe", "same_kind", "unsafe"]
_Order = Literal["K", "A", "C", "F"]

# The ten outputs: the nine properties (float64, or float32 for float32 inputs
# or dtype=numpy.float32), then the int8 status; numbers for scalar inputs.
_States = tuple[_Float, _Float, _Float, _Float, _Float, _Float, _Float, _Float, _Float, np.int8]
_StateArrays = tuple[
    NDArray[_Float], NDArray[_Float], NDArray[_Float], NDArray[_Float], NDArray[_Float],
    NDArray[_Float], NDArray[_Float], NDArray[_Float], NDArray[_Float], NDArray[np.int8],
]

class _PairUfunc(Protocol):
    """A numpy.ufunc of one pair: (its first value, its second, pressure) -> ten outputs."""

    @property
    def __name__(self) -> str: ...
    @property
    def nin(self) -> int: ...
    @property
    def nout(self) -> int: ...
    @property
    def nargs(self) -> int: ...
    @property
    def ntypes(self) -> int: ...
    @property
    def types(self) -> list[str]: ...
    @property
    def identity(self) -> Any: ...
    @property
    def signature(self) -> None | str: ...
    @overload
    def __call__(  # type: ignore[misc]  # numbers give numbers, as NumPy's own ufuncs
        self,
        first: _Scalar,
        second: _Scalar,
        pressure: _Scalar,
        /,
        *,
        out: None = ...,
        where: bool = ...,
        casting: _Casting = ...,
        order: _Order = ...,
        dtype: DTypeLike = ...,
        subok: bool = ...,
        signature: str | tuple[Any, ...] | None = ...,
    ) -> _States: ...
    @overload
    def __call__(
        self,
        first: ArrayLike,
        second: ArrayLike,
        pressure: ArrayLike,
        /,
        *,
        out: tuple[NDArray[Any], ...] | None = ...,
        where: ArrayLike = ...,
        casting: _Casting = ...,
        order: _Order = ...,
        dtype: DTypeLike = ...,
        subok: bool = ...,
        signature: str | tuple[Any, ...] | None = ...,
    ) -> _StateArrays: ...

# The handbook model's over ice: hygrian's own.
from_dry_bulb_wet_bulb: _PairUfunc
from_dry_bulb_dew_point: _PairUfunc
from_dry_bulb_relative_humidity: _PairUfunc
from_dry_bulb_humidity_ratio: _PairUfunc
from_dry_bulb_specific_humidity: _PairUfunc
from_dry_bulb_vapor_pressure: _PairUfunc
# The pairs solved by a search: the handbook model's (the calculator's give 17).
from_dry_bulb_enthalpy: _PairUfunc
from_humidity_ratio_enthalpy: _PairUfunc
from_enthalpy_relative_humidity: _PairUfunc
from_wet_bulb_relative_humidity: _PairUfunc
from_dew_point_relative_humidity: _PairUfunc
from_humidity_ratio_relative_humidity: _PairUfunc

# {(model, over): {ufunc name: ufunc}} of every model, states above
# saturation flagged; CLIPPED the handbook model's with them clipped to it.
MODELS: dict[tuple[str, str], dict[str, _PairUfunc]]
CLIPPED: dict[tuple[str, str], dict[str, _PairUfunc]]

# Saturation vapour pressure, float64 only: (t) or (t, pressure) -> kPa.
# The processes: states (dry-bulb, humidity ratio), flows and parameters in,
# the seventeen outputs of PROCESS_OUTPUTS out (sixteen float64, the int8 status);
# PROCESS_ARGUMENTS names each one's inputs.
PROCESS_ARGUMENTS: dict[str, tuple[str, ...]]
# {over: {name: ufunc}}: the processes over "ice" (those above) and over "water".
PROCESSES: dict[str, dict[str, np.ufunc]]
PROCESS_OUTPUTS: tuple[str, ...]
# {name: (quantity, ...)}: each process's arguments' quantities (hygrian.units').
PROCESS_ARGUMENT_QUANTITIES: dict[str, tuple[str, ...]]
# The outputs' quantities, "-" for one not converted (a ratio, the status).
PROCESS_OUTPUT_QUANTITIES: tuple[str, ...]
cool_and_dehumidify: np.ufunc
cool_and_dehumidify_to: np.ufunc
cool_evaporatively: np.ufunc
heat_by: np.ufunc
heat_to: np.ufunc
humidify_with_steam: np.ufunc
humidify_with_steam_to_relative_humidity: np.ufunc
humidify_with_water: np.ufunc
humidify_with_water_to_relative_humidity: np.ufunc
mix: np.ufunc
mix_volumes: np.ufunc

saturation_vapor_pressure_over_ice: np.ufunc
saturation_vapor_pressure_over_water: np.ufunc
saturation_vapor_pressure_in_air_over_ice: np.ufunc
saturation_vapor_pressure_in_air_over_water: np.ufunc
standard_pressure_at_altitude: np.ufunc
dry_air_flow: np.ufunc
comfort: np.ufunc

STATUS: dict[int, str]
# (ufunc name, first key, second key, second unit) of each pair: the dry-bulb
# pairs, DRY_BULB_PAIR_COUNT of them, then those solved by a search.
PAIRS: tuple[tuple[str, str, str, str], ...]
DRY_BULB_PAIR_COUNT: int
PROPERTIES: tuple[str, ...]
MORE_PROPERTIES: tuple[str, ...]
# (quantity, key, name, numerator, denominator, zero, spellings) of each unit.
UNITS: tuple[tuple[str, str, str, float, float, float, tuple[str, ...]], ...]
# (quantity, library spelling, IP spelling, CF spelling) of each quantity.
QUANTITIES: tuple[tuple[str, str, str, str], ...]
PROPERTY_QUANTITIES: tuple[str | None, ...]
STANDARD_PRESSURE: float
__version__: str

def find_unit(quantity: str, text: str, /) -> str | None: ...
def likely_unit(quantity: str, key: str, least: float, greatest: float, /) -> str | None: ...

# The measures: (key, name, unit, IP unit, CF unit, CF standard name, inputs,
# range, reference) each; the inputs beyond the air as (key, unit,
# description); {key: ufunc} over computed states (the properties, their
# status, the pressure, every input) -> (the measure, its int8 status).
MEASURES: tuple[tuple[str, str, str, str, str, str, tuple[str, ...], str, str], ...]
MEASURE_INPUTS: tuple[tuple[str, str, str], ...]
MEASURE_UFUNCS: dict[str, np.ufunc]
