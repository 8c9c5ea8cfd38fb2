"""The handbook model's ufuncs, over ice below the triple point (the default).

ASHRAE Handbook Fundamentals 2017 ch. 1 with the enhancement factor, for -100
to 200 degrees C and 10 to 1,000 kPa (status 15 outside). The dew point and the
relative humidity refer to ice at and below 0.01 degrees C, liquid water above:
the handbook's convention, and the one of most hygrometers' frost points; the
wet-bulb's wick is ice below 0 degrees C (exactly 0 where it is partly
frozen), and air above ice's saturation but not water's is status 19.
``hygrian.handbook_over_water`` has the same ufuncs with saturation over liquid
water at every temperature (the WMO's convention: weather reports, ERA5 and
other reanalyses). These are also hygrian's own top-level ufuncs, and so are
the processes' (``mix``, ``heat_to``, ...), which this module holds too.
"""

from . import _ufuncs

_SET = {**_ufuncs.MODELS[("handbook", "ice")], **_ufuncs.PROCESSES["ice"]}
globals().update(_SET)
__all__ = sorted(_SET)
