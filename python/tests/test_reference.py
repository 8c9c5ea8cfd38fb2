"""The handbook model, the default, against the reference rows of
tests/data/given.csv (ASHRAE tables, IAPWS, RP-1485) within the tolerances of
the library's own handbook test, through hygrian.psychrometrics; and the
keywords that choose the model."""

import csv
import math
import pathlib

import numpy as np
import pytest

import hygrian

GIVEN = pathlib.Path(__file__).resolve().parents[2] / "tests" / "data" / "given.csv"
ROWS = [row for row in csv.DictReader(GIVEN.open(encoding="utf-8"))
        if not row["quantity"].startswith(("p_std", "t_std"))]


def inner(quantity):
    """The number in "X(name=number)"."""
    return float(quantity.split("=", 1)[1].rstrip(")"))


def printed_half_unit(row):
    """Half a unit in the last printed digit (the worked example prints two
    significant digits)."""
    value = float(row["value"])
    if "Example 1" in row["source"]:
        return 0.5 * 10 ** (math.floor(math.log10(abs(value))) - 1)
    mantissa, _, exponent = row["value"].lower().partition("e")
    decimals = len(mantissa.split(".")[1]) if "." in mantissa else 0
    return 0.5 * 10 ** (int(exponent or 0) - decimals)


def evaluate(row):
    """(the model's value, the reference, the tolerance, relative?) for a row."""
    t, P, q = float(row["t_C"]), float(row["p_kPa"] or "nan"), row["quantity"]
    value, hot = float(row["value"]), float(row["t_C"]) > 50
    state = lambda **given: hygrian.psychrometrics(dry_bulb=t, pressure=P, **given)
    if q in ("p_ws_water", "p_ws_ice"):
        over = q[-3:] if q.endswith("ice") else "water"
        tolerance = 0.3 if over == "water" and t < 0 else 0.05
        return hygrian.saturation_vapor_pressure(t, over=over) * 1e3, value, tolerance, True
    if q == "f":
        f = hygrian.saturation_vapor_pressure(t, P) / hygrian.saturation_vapor_pressure(t)
        return f, value, 0.15, True
    if q in ("W_s", "h_s", "v_s"):
        s = state(relative_humidity=100.0)
        return {"W_s": (s["humidity_ratio"], value, 0.1, True),
                "h_s": (s["enthalpy"], value, 6.0 if hot else 0.3, False),
                "v_s": (s["specific_volume"], value, 1.1 if hot else 0.2, True)}[q]
    if q.startswith(("h(W", "v(W", "t_wb(W")):
        s = state(humidity_ratio=inner(q))
        return {"h": (s["enthalpy"], value, 6.0, False), "v": (s["specific_volume"], value, 0.5, True),
                "t": (s["wet_bulb"], value, 0.16 if inner(q) == 0 else 0.1, False)}[q[0]]
    if q.startswith("W(t_wb") and row["source"].startswith("computed"):
        return state(humidity_ratio=value)["wet_bulb"], inner(q), 0.03, False
    if q.startswith("W(t_wb"):
        return state(wet_bulb=inner(q))["humidity_ratio"], value, 0.0, False
    s = state(wet_bulb=inner(q))
    key = {"RH": "relative_humidity", "t_": "dew_point", "h(": "enthalpy", "v(": "specific_volume"}
    tolerance = {"RH": 0.05, "t_": 0.05}.get(q[:2], 0.0)
    return s[key[q[:2]]], value, tolerance, q.startswith("v(")


@pytest.mark.parametrize("row", ROWS, ids=[f"{r['quantity']}@{r['t_C']}" for r in ROWS])
def test_reference_row(row):
    model, reference, tolerance, relative = evaluate(row)
    if not row["source"].startswith("computed"):
        half = printed_half_unit(row)
        printed = half / abs(reference) * 100 if relative else half
        if "IP ch.1" in row["source"] and row["quantity"].startswith(("t_dp", "t_wb")):
            printed = 2.5 / 9  # the inch-pound example prints whole degrees F
        tolerance = max(tolerance, printed)
    deviation = (model - reference) / reference * 100 if relative else model - reference
    assert abs(float(deviation)) <= tolerance


@pytest.mark.parametrize("model, over, message", [
    ("magnus", "ice", "model: 'magnus' is not"),
    ("handbook", "snow", "over: 'snow' is not"),
    ("calculator", "water", "calculator model knows only ice"),
])
def test_model_errors(model, over, message):
    with pytest.raises(ValueError, match=message):
        hygrian.psychrometrics(dry_bulb=25.0, wet_bulb=20.0, model=model, over=over)


# Statuses and phases through the keywords (the batch test holds the figures):
# ERA5's dew point over water (eq. 6 with f, 0.286 to 0.288 kPa), RH 145 %, 250 C.
STATES = [
    ("handbook", "water", 0.0, "dew_point", -10.0, "vapor_pressure", 0.287, 0.001, 0),
    ("handbook", "ice", 25.0, "relative_humidity", 145.0, "wet_bulb", np.nan, 0, 13),
    ("handbook", "ice", 250.0, "relative_humidity", 10.0, "wet_bulb", np.nan, 0, 15),
    ("calculator", "ice", 25.0, "relative_humidity", 145.0, "relative_humidity", 145.0, 1e-9, 0),
]


@pytest.mark.parametrize("model, over, t, second, value, key, expected, tolerance, status", STATES)
def test_states(model, over, t, second, value, key, expected, tolerance, status):
    s = hygrian.psychrometrics(dry_bulb=t, model=model, over=over, **{second: value})
    assert s["status"] == status
    assert np.isnan(s[key]) if np.isnan(expected) else abs(float(s[key]) - expected) <= tolerance
