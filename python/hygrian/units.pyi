# Types of hygrian.units: the library's table of units.
from collections.abc import Iterable
from typing import Any, Literal, NamedTuple

from numpy.typing import ArrayLike, NDArray

__all__ = [
    "SYSTEMS",
    "UNITS",
    "Unit",
    "find",
    "output_unit",
    "to_library",
    "from_library",
    "warn_if_unlikely",
    "check_keys",
    "find_measure_input",
    "MEASURE_INPUT_UNITS",
    "MEASURE_QUANTITIES",
]

_System = Literal["library", "ip", "cf"]

class Unit(NamedTuple):
    quantity: str
    key: str
    name: str
    numerator: float
    denominator: float
    zero: float
    spellings: tuple[str, ...]

UNITS: tuple[Unit, ...]
SYSTEMS: tuple[str, ...]
PROPERTY_QUANTITIES: dict[str, str | None]
INPUT_QUANTITIES: dict[str, str]
MEASURE_QUANTITIES: dict[str, str]
MEASURE_INPUT_UNITS: dict[str, str]

def find(quantity: str, text: object, name: str) -> Unit: ...
def find_measure_input(name: str, text: object) -> Unit: ...
def output_unit(quantity: str, system: _System) -> tuple[Unit, str]: ...
def is_library_unit(unit: Unit) -> bool: ...
def to_library(values: NDArray[Any], unit: Unit, out: NDArray[Any] | None = None) -> None: ...
def from_library(values: NDArray[Any], unit: Unit, out: NDArray[Any] | None = None) -> None: ...
def warn_if_unlikely(name: str, values: ArrayLike, unit: Unit) -> None: ...
def check_keys(units: Iterable[str] | None, names: Iterable[str]) -> None: ...
def check_system(output_units: str) -> None: ...
