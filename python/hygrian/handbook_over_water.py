"""The handbook model's ufuncs with saturation over liquid water at every
temperature (the WMO's convention, as weather reports, ERA5 and other
reanalyses give dew points and relative humidities). Otherwise as
``hygrian.handbook``, the processes' ufuncs (``mix``, ``heat_to``, ...) among
them; the wet bulb is ice-covered below 0 degrees C either way.
"""

from . import _ufuncs

_SET = {**_ufuncs.MODELS[("handbook", "water")], **_ufuncs.PROCESSES["water"]}
globals().update(_SET)
__all__ = sorted(_SET)
