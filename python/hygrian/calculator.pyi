from hygrian._ufuncs import _PairUfunc

__all__ = [
    "from_dry_bulb_dew_point",
    "from_dry_bulb_humidity_ratio",
    "from_dry_bulb_relative_humidity",
    "from_dry_bulb_specific_humidity",
    "from_dry_bulb_wet_bulb",
]

from_dry_bulb_wet_bulb: _PairUfunc
from_dry_bulb_dew_point: _PairUfunc
from_dry_bulb_relative_humidity: _PairUfunc
from_dry_bulb_humidity_ratio: _PairUfunc
from_dry_bulb_specific_humidity: _PairUfunc
