"""The handbook model's ufuncs with saturation over liquid water at every
temperature (the WMO's convention, as weather reports, ERA5 and other
reanalyses give dew points and relative humidities): the dew point, the
relative humidity, the wet-bulb's wick (supercooled water below 0 degrees C,
no ice and no plateau) and the test for air above saturation. Otherwise as
``hygrian.handbook``, the processes' ufuncs (``mix``, ``heat_to``, ...) among
them.
"""

from . import _ufuncs

_SET = {**_ufuncs.MODELS[("handbook", "water")], **_ufuncs.PROCESSES["water"]}
globals().update(_SET)
__all__ = sorted(_SET)
