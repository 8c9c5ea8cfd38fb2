# Types of the package hygrian: its ufuncs, its tables and its functions.
from collections.abc import Sequence
from typing import Any, Literal, NotRequired, TypedDict, overload

import numpy as np
from numpy.typing import ArrayLike, NDArray

from hygrian import calculator as calculator
from hygrian import handbook as handbook
from hygrian import handbook_over_water as handbook_over_water
from hygrian import units as units
from hygrian._ufuncs import (
    MEASURE_INPUTS as MEASURE_INPUTS,
    MEASURES as MEASURES,
    MORE_PROPERTIES as MORE_PROPERTIES,
    PAIRS as PAIRS,
    PROCESS_ARGUMENTS as PROCESS_ARGUMENTS,
    PROCESS_OUTPUTS as PROCESS_OUTPUTS,
    PROCESSES as PROCESSES,
    cool_and_dehumidify as cool_and_dehumidify,
    cool_and_dehumidify_to as cool_and_dehumidify_to,
    cool_evaporatively as cool_evaporatively,
    dry_air_flow as dry_air_flow,
    heat_by as heat_by,
    heat_to as heat_to,
    humidify_with_steam as humidify_with_steam,
    humidify_with_steam_to_relative_humidity as humidify_with_steam_to_relative_humidity,
    humidify_with_water as humidify_with_water,
    humidify_with_water_to_relative_humidity as humidify_with_water_to_relative_humidity,
    mix as mix,
    mix_volumes as mix_volumes,
    standard_pressure_at_altitude as standard_pressure_at_altitude,
    PROPERTIES as PROPERTIES,
    STANDARD_PRESSURE as STANDARD_PRESSURE,
    STATUS as STATUS,
    __version__ as __version__,
    _PairUfunc,
    _Property,
    _Scalar,
)

__all__ = [
    "MEASURES",
    "MEASURE_INPUTS",
    "MORE_PROPERTIES",
    "PAIRS",
    "PROCESSES",
    "PROCESS_ARGUMENTS",
    "PROCESS_OUTPUTS",
    "PROPERTIES",
    "STANDARD_PRESSURE",
    "STATUS",
    "__version__",
    "calculator",
    "dry_air_flow",
    "handbook",
    "handbook_over_water",
    "heat_stress",
    "pmv",
    "ppd",
    "psychrometrics",
    "saturation_vapor_pressure",
    "standard_pressure_at_altitude",
    "units",
    "from_dry_bulb_dew_point",
    "from_dry_bulb_humidity_ratio",
    "from_dry_bulb_relative_humidity",
    "from_dry_bulb_specific_humidity",
    "from_dry_bulb_vapor_pressure",
    "from_dry_bulb_wet_bulb",
    "from_dew_point_relative_humidity",
    "from_dry_bulb_enthalpy",
    "from_enthalpy_relative_humidity",
    "from_humidity_ratio_enthalpy",
    "from_humidity_ratio_relative_humidity",
    "from_wet_bulb_relative_humidity",
    "cool_and_dehumidify",
    "cool_and_dehumidify_to",
    "cool_evaporatively",
    "heat_by",
    "heat_to",
    "humidify_with_steam",
    "humidify_with_steam_to_relative_humidity",
    "humidify_with_water",
    "humidify_with_water_to_relative_humidity",
    "mix",
    "mix_volumes",
    "apparent_temperature",
    "apparent_temperature_in_sun",
    "equivalent_potential_temperature",
    "heat_index",
    "humidex",
    "lifting_condensation_level_height",
    "lifting_condensation_level_pressure",
    "lifting_condensation_level_temperature",
    "mean_radiant_temperature",
    "potential_temperature",
    "utci",
    "virtual_temperature",
    "wet_bulb_globe_temperature",
    "wet_bulb_globe_temperature_estimate",
    "wet_bulb_globe_temperature_in_shade",
]

_Model = Literal["handbook", "calculator"]
_Phase = Literal["ice", "water"]
_Supersaturated = Literal["flag", "clip"]

from_dry_bulb_wet_bulb: _PairUfunc
from_dry_bulb_dew_point: _PairUfunc
from_dry_bulb_relative_humidity: _PairUfunc
from_dry_bulb_humidity_ratio: _PairUfunc
from_dry_bulb_specific_humidity: _PairUfunc
from_dry_bulb_vapor_pressure: _PairUfunc
from_dry_bulb_enthalpy: _PairUfunc
from_humidity_ratio_enthalpy: _PairUfunc
from_enthalpy_relative_humidity: _PairUfunc
from_wet_bulb_relative_humidity: _PairUfunc
from_dew_point_relative_humidity: _PairUfunc
from_humidity_ratio_relative_humidity: _PairUfunc

class _State(TypedDict):
    """What psychrometrics returns: arrays, or NumPy numbers for numbers given."""

    dry_bulb: Any
    wet_bulb: Any
    dew_point: Any
    relative_humidity: Any
    enthalpy: Any
    humidity_ratio: Any
    degree_of_saturation: Any
    specific_volume: Any
    vapor_pressure: Any
    status: Any
    specific_humidity: NotRequired[Any]

@overload
def saturation_vapor_pressure(  # type: ignore[misc]  # numbers give numbers
    t: _Scalar, pressure: _Scalar | None = None, *, over: _Phase = "ice"
) -> np.float64: ...
@overload
def saturation_vapor_pressure(
    t: ArrayLike, pressure: ArrayLike | None = None, *, over: _Phase = "ice"
) -> NDArray[np.float64]: ...

# The air by exactly two values that form a pair of PAIRS.
def pmv(
    *,
    mean_radiant_temperature: ArrayLike,
    air_speed: ArrayLike,
    metabolic_rate: ArrayLike,
    clothing: ArrayLike,
    pressure: ArrayLike = 101.325,
    model: _Model = "handbook",
    over: _Phase = "ice",
    dry_bulb: ArrayLike | None = None,
    wet_bulb: ArrayLike | None = None,
    dew_point: ArrayLike | None = None,
    relative_humidity: ArrayLike | None = None,
    humidity_ratio: ArrayLike | None = None,
    specific_humidity: ArrayLike | None = None,
    enthalpy: ArrayLike | None = None,
) -> Any: ...
def ppd(
    *,
    mean_radiant_temperature: ArrayLike,
    air_speed: ArrayLike,
    metabolic_rate: ArrayLike,
    clothing: ArrayLike,
    pressure: ArrayLike = 101.325,
    model: _Model = "handbook",
    over: _Phase = "ice",
    dry_bulb: ArrayLike | None = None,
    wet_bulb: ArrayLike | None = None,
    dew_point: ArrayLike | None = None,
    relative_humidity: ArrayLike | None = None,
    humidity_ratio: ArrayLike | None = None,
    specific_humidity: ArrayLike | None = None,
    enthalpy: ArrayLike | None = None,
) -> Any: ...

# Exactly two values that form a pair of PAIRS are given.
def psychrometrics(
    *,
    pressure: ArrayLike = 101.325,
    model: _Model = "handbook",
    over: _Phase = "ice",
    supersaturated: _Supersaturated = "flag",
    outputs: _Property | Sequence[_Property] | None = None,
    dry_bulb: ArrayLike | None = None,
    wet_bulb: ArrayLike | None = None,
    dew_point: ArrayLike | None = None,
    relative_humidity: ArrayLike | None = None,
    humidity_ratio: ArrayLike | None = None,
    specific_humidity: ArrayLike | None = None,
    vapor_pressure: ArrayLike | None = None,
    enthalpy: ArrayLike | None = None,
) -> _State: ...

# The air by a pair, as psychrometrics takes it, and the inputs of
# MEASURE_INPUTS the measures need: {key: values, key + "_status": int8}.
def heat_stress(
    *,
    outputs: str | list[str] | tuple[str, ...] | None = None,
    pressure: ArrayLike = 101.325,
    model: _Model = "handbook",
    over: _Phase = "ice",
    supersaturated: _Supersaturated = "flag",
    **given: ArrayLike,
) -> dict[str, Any]: ...

# Each measure's values alone, from heat_stress's keywords.
def heat_index(**given: Any) -> Any: ...
def humidex(**given: Any) -> Any: ...
def apparent_temperature(**given: Any) -> Any: ...
def apparent_temperature_in_sun(**given: Any) -> Any: ...
def wet_bulb_globe_temperature(**given: Any) -> Any: ...
def wet_bulb_globe_temperature_in_shade(**given: Any) -> Any: ...
def wet_bulb_globe_temperature_estimate(**given: Any) -> Any: ...
def utci(**given: Any) -> Any: ...
def mean_radiant_temperature(**given: Any) -> Any: ...
def potential_temperature(**given: Any) -> Any: ...
def equivalent_potential_temperature(**given: Any) -> Any: ...
def virtual_temperature(**given: Any) -> Any: ...
def lifting_condensation_level_temperature(**given: Any) -> Any: ...
def lifting_condensation_level_pressure(**given: Any) -> Any: ...
def lifting_condensation_level_height(**given: Any) -> Any: ...
