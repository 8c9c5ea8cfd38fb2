import numpy as np

from hygrian._ufuncs import _PairUfunc

__all__ = [
    "cool_and_dehumidify",
    "cool_and_dehumidify_to",
    "cool_evaporatively",
    "from_dew_point_relative_humidity",
    "from_dry_bulb_dew_point",
    "from_dry_bulb_enthalpy",
    "from_dry_bulb_humidity_ratio",
    "from_dry_bulb_relative_humidity",
    "from_dry_bulb_specific_humidity",
    "from_dry_bulb_vapor_pressure",
    "from_dry_bulb_wet_bulb",
    "from_enthalpy_relative_humidity",
    "from_humidity_ratio_enthalpy",
    "from_humidity_ratio_relative_humidity",
    "from_wet_bulb_relative_humidity",
    "heat_by",
    "heat_to",
    "humidify_with_steam",
    "humidify_with_steam_to_relative_humidity",
    "humidify_with_water",
    "humidify_with_water_to_relative_humidity",
    "mix",
    "mix_volumes",
]

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

# The processes, by the same model and phase.
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
