import hygrian


def test_smoke():
    s = hygrian.psychrometrics(dry_bulb=25.0, wet_bulb=20.0)
    assert round(float(s["dew_point"]), 2) == 17.56
