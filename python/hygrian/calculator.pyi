from hygrian._ufuncs import _PairUfunc

__all__ = [
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
