"""A typed use of the package, which mypy --strict checks against its stubs
(ctest python_types); pytest does not collect it. Each misuse at the end is an
error the stubs must find: --strict reports an ignore comment that hides none."""

from typing import Any

import numpy as np
import xarray as xr
from numpy.typing import NDArray

import hygrian
import hygrian.calculator
import hygrian.pandas
import hygrian.units
import hygrian.xarray


def dew_points(t: NDArray[np.float64], rh: NDArray[np.float64]) -> NDArray[np.floating[Any]]:
    """The dew points of arrays, through a ufunc: ten arrays out, the last the status."""
    *_, status = hygrian.handbook_over_water.from_dry_bulb_relative_humidity(t, rh, 101.325)
    codes: NDArray[np.int8] = status
    dew = hygrian.from_dry_bulb_relative_humidity(t, rh, 101.325, dtype=np.float32)[2]
    dew[codes != 0] = np.nan
    return dew


def wet_bulb(t: float, twb: float) -> float:
    """A number in, NumPy numbers out."""
    state = hygrian.calculator.from_dry_bulb_wet_bulb(t, twb, hygrian.STANDARD_PRESSURE)
    return float(state[1]) + int(state[9])


def from_enthalpy(h: NDArray[np.float64], w: float) -> Any:
    state = hygrian.psychrometrics(enthalpy=h, relative_humidity=50.0, over="water")
    return state["dry_bulb"] - hygrian.from_humidity_ratio_enthalpy(w, h, 101.325)[0]


def texts(codes: NDArray[np.int8]) -> list[str]:
    return [hygrian.STATUS[int(code)] for code in codes] + list(hygrian.PROPERTIES)


def era5(t2m: xr.DataArray, d2m: xr.DataArray, sp: xr.DataArray) -> xr.DataArray:
    states: xr.Dataset = hygrian.xarray.psychrometrics(
        dry_bulb=t2m, dew_point=d2m, pressure=sp, dtype="float32", over="water",
        supersaturated="clip", outputs=["wet_bulb", "dew_point"])
    status: xr.DataArray = states["status"]
    return hygrian.xarray.wet_bulb_temperature(t2m, d2m, sp, output_units="cf").where(status == 0)


def misuses(t: NDArray[np.float64]) -> None:
    hygrian.psychrometrics(dry_bulb=t, dew_pont=t)  # type: ignore[call-arg]
    hygrian.psychrometrics(dry_bulb=t, wet_bulb=t, model="hand")  # type: ignore[arg-type]
    hygrian.psychrometrics(dry_bulb=t, wet_bulb=t)["dewpoint"]  # type: ignore[typeddict-item]
    hygrian.saturation_vapor_pressure(t, over="liquid")  # type: ignore[call-overload]
    hygrian.from_dry_bulb_wet_bulb(t, t)  # type: ignore[call-overload]
    hygrian.xarray.psychrometrics(dry_bulb=t, wet_bulb=t)  # type: ignore[arg-type]
    hygrian.units.output_unit("temperature", "si")  # type: ignore[arg-type]
    hygrian.psychrometrics(dry_bulb=t, wet_bulb=t, supersaturated="drop")  # type: ignore[arg-type]
    hygrian.xarray.psychrometrics(dry_bulb=xr.DataArray(t), wet_bulb=xr.DataArray(t),
                                  outputs=["wetbulb"])  # type: ignore[list-item]
