"""The calculator model's ufuncs: the relations of the console program hygrian,
to the bit, with no range of validity enforced (over ice only).
"""

from . import _ufuncs

_SET = _ufuncs.MODELS[("calculator", "ice")]
globals().update(_SET)
__all__ = sorted(_SET)
