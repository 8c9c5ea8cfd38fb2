/* The C interface, used from C: statuses, the state of a known pair, faults and
   invalid input as values, the search's give-up, and the status texts. Prints
   each failed check and exits 1 if there was one. */
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "hygrian/hygrian.h"
#include "hygrian/version.h"

static int failures = 0;

static void Check(int ok, const char* what) {
  if (!ok) {
    printf("FAILED: %s\n", what);
    ++failures;
  }
}

static int Near(double got, double want, double tolerance) { return fabs(got - want) <= tolerance; }

static int OnlyGiven(const hygrian_state* s) {
  return s->dew_point == 0.0 && s->relative_humidity == 0.0 && s->enthalpy == 0.0 &&
         s->humidity_ratio == 0.0 && s->degree_of_saturation == 0.0 && s->specific_volume == 0.0 &&
         s->vapor_pressure == 0.0;
}

/* Only the dry-bulb and the relative humidity given. */
static int OnlyGiven2(const hygrian_state* s) {
  return s->wet_bulb == 0.0 && s->dew_point == 0.0 && s->enthalpy == 0.0 &&
         s->humidity_ratio == 0.0 && s->degree_of_saturation == 0.0 && s->specific_volume == 0.0 &&
         s->vapor_pressure == 0.0;
}

int main(void) {
  hygrian_state s;
  int found = -1;

  Check(hygrian_from_dry_bulb_wet_bulb(25.0, 20.0, HYGRIAN_STANDARD_PRESSURE, &s, &found) ==
            HYGRIAN_OK,
        "25/20 is ok");
  Check(found == 1, "25/20 has its wet-bulb");
  Check(s.dry_bulb == 25.0 && s.wet_bulb == 20.0, "25/20 keeps the given values");
  Check(Near(s.dew_point, 17.56, 0.005), "25/20 dew point 17.56");
  Check(Near(s.relative_humidity, 63.48, 0.005), "25/20 relative humidity 63.48");
  Check(Near(s.humidity_ratio, 0.0125990, 0.5e-7), "25/20 humidity ratio 0.0125990");
  Check(Near(s.vapor_pressure, 2.012, 0.0005), "25/20 vapour pressure 2.012");

  Check(hygrian_from_dry_bulb_dew_point(25.0, 15.0, HYGRIAN_STANDARD_PRESSURE, &s, NULL) ==
            HYGRIAN_OK,
        "25/15 is ok without a found flag");
  Check(Near(s.wet_bulb, 18.50, 0.005), "25/15 wet-bulb 18.50");

  Check(hygrian_from_dry_bulb_relative_humidity(25.0, 50.0, 80.0, &s, &found) == HYGRIAN_OK,
        "25/50 at 80 kPa is ok");
  Check(Near(s.humidity_ratio, 0.62198 * 1.58445 / (80.0 - 1.58445), 1e-5),
        "25/50 at 80 kPa holds more water");

  found = -1;
  Check(hygrian_from_dry_bulb_dew_point(100.0, 100.0, HYGRIAN_STANDARD_PRESSURE, &s, &found) ==
            HYGRIAN_VAPOR_PRESSURE_NOT_BELOW_TOTAL,
        "100/100: the vapour pressure is above 101.325 kPa");
  Check(found == 0 && s.wet_bulb == 0.0 && s.dew_point == 100.0, "100/100 has no wet-bulb");

  found = -1;
  Check(hygrian_from_dry_bulb_relative_humidity(1.13, 81.0, HYGRIAN_STANDARD_PRESSURE, &s,
                                                &found) == HYGRIAN_OK,
        "1.13/81 is ok");
  Check(found == 1 && Near(s.wet_bulb, 0.0, 1e-6),
        "1.13/81: the bisection finds the wet-bulb at the ice/water switch");
  found = -1;
  Check(hygrian_from_dry_bulb_dew_point(-11.708714220246279, 7.8413957856192695, 60.0, &s,
                                        &found) == HYGRIAN_OK,
        "far above saturation is ok");
  Check(found == 0 && s.wet_bulb == 0.0, "far above saturation: neither search finds a wet-bulb");

  Check(hygrian_from_dry_bulb_relative_humidity(25.0, 0.0, HYGRIAN_STANDARD_PRESSURE, &s, &found) ==
            HYGRIAN_LOG_SINGULARITY,
        "RH 0 is ln 0");
  Check(found == 0 && s.dry_bulb == 25.0 && s.wet_bulb == 0.0 && OnlyGiven(&s),
        "RH 0 leaves only the given values");
  Check(hygrian_from_dry_bulb_wet_bulb(25.0, 5.0, HYGRIAN_STANDARD_PRESSURE, &s, &found) ==
            HYGRIAN_LOG_DOMAIN,
        "25/5 is ln of a negative number");
  Check(s.wet_bulb == 5.0 && OnlyGiven(&s), "25/5 leaves only the given values");
  Check(hygrian_from_dry_bulb_wet_bulb(10000.0, 20.0, HYGRIAN_STANDARD_PRESSURE, &s, &found) ==
            HYGRIAN_EXP_OVERFLOW,
        "10000 degrees C overflows exp");

  Check(hygrian_from_dry_bulb_relative_humidity(100.0, 50.0, HYGRIAN_STANDARD_PRESSURE, &s,
                                                &found) == HYGRIAN_VAPOR_PRESSURE_NOT_BELOW_TOTAL,
        "100/50: saturation pressure above 101.325 kPa");
  Check(found == 0 && s.relative_humidity == 50.0 && OnlyGiven2(&s),
        "100/50 leaves only the given values");

  Check(hygrian_from_dry_bulb_wet_bulb(nan(""), 20.0, HYGRIAN_STANDARD_PRESSURE, &s, &found) ==
            HYGRIAN_INVALID_INPUT,
        "NaN is invalid input");
  Check(hygrian_from_dry_bulb_wet_bulb(25.0, 20.0, 0.0, &s, &found) == HYGRIAN_INVALID_INPUT,
        "a pressure of 0 is invalid input");
  Check(s.dry_bulb == 25.0 && s.wet_bulb == 20.0 && OnlyGiven(&s),
        "invalid input leaves only the given values");
  Check(hygrian_from_dry_bulb_wet_bulb(25.0, 20.0, HYGRIAN_STANDARD_PRESSURE, NULL, &found) ==
            HYGRIAN_INVALID_INPUT,
        "no state is invalid input");

  Check(strcmp(hygrian_status_text(HYGRIAN_OK), "ok") == 0, "text of ok");
  Check(strcmp(hygrian_status_text(HYGRIAN_INVALID_INPUT), "invalid input") == 0,
        "text of invalid input");
  Check(strcmp(hygrian_status_text(HYGRIAN_LOG_DOMAIN), "log: DOMAIN error") == 0,
        "text of a log domain error");
  Check(strcmp(hygrian_status_text(HYGRIAN_DIVIDE_BY_ZERO),
               "floating-point error: divide by zero") == 0,
        "text of a division by zero");
  Check(strcmp(hygrian_status_text(HYGRIAN_POWER_OVERFLOW), "**: OVERFLOW error") == 0,
        "text of a power overflow");
  Check(strcmp(hygrian_status_text(-1), "unknown status") == 0, "text of -1");
  Check(strcmp(hygrian_status_text(HYGRIAN_VAPOR_PRESSURE_NOT_BELOW_TOTAL),
               "vapour pressure at or above total pressure") == 0,
        "text of 11");
  Check(strcmp(hygrian_status_text(HYGRIAN_MISSING), "missing") == 0, "text of 12");

  Check(strlen(HYGRIAN_VERSION) >= 5 && HYGRIAN_VERSION_MAJOR >= 1, "version");
  Check(strcmp(hygrian_version(), HYGRIAN_VERSION) == 0, "the library's version is the header's");

  {
    double pressure = -1.0;
    Check(hygrian_standard_pressure_at_altitude(1500.0, &pressure) == HYGRIAN_OK &&
              Near(pressure, 84.556, 0.0005),
          "1500 m: 84.556 kPa");
    Check(hygrian_standard_pressure_at_altitude(11000.5, &pressure) == HYGRIAN_INVALID_INPUT &&
              pressure == 0.0,
          "above 11000 m is invalid input");
  }

  /* The handbook model through the *_with functions; the old ones stay the
     calculator's. Handbook Example 1 (ASHRAE 2017 ch. 1): 40 and 20 degrees C,
     humidity ratio 0.0065, relative humidity 14 percent. */
  Check(hygrian_from_dry_bulb_wet_bulb_with(40.0, 20.0, HYGRIAN_STANDARD_PRESSURE,
                                            HYGRIAN_MODEL_HANDBOOK, HYGRIAN_OVER_ICE, &s,
                                            &found) == HYGRIAN_OK &&
            Near(s.humidity_ratio, 0.0065, 0.00005) && Near(s.relative_humidity, 14.0, 0.5),
        "handbook Example 1");
  Check(hygrian_from_dry_bulb_relative_humidity_with(25.0, 0.0, HYGRIAN_STANDARD_PRESSURE,
                                                     HYGRIAN_MODEL_HANDBOOK, HYGRIAN_OVER_WATER, &s,
                                                     &found) == HYGRIAN_OK &&
            isnan(s.dew_point) && found == 1,
        "dry air: no dew point");
  Check(hygrian_from_dry_bulb_dew_point_with(20.0, 25.0, HYGRIAN_STANDARD_PRESSURE,
                                             HYGRIAN_MODEL_HANDBOOK, HYGRIAN_OVER_ICE, &s,
                                             &found) == HYGRIAN_SUPERSATURATED,
        "a dew point above the dry-bulb is supersaturated");
  Check(hygrian_from_dry_bulb_humidity_ratio_with(25.0, 0.01, HYGRIAN_STANDARD_PRESSURE,
                                                  HYGRIAN_MODEL_CALCULATOR, HYGRIAN_OVER_WATER, &s,
                                                  &found) == HYGRIAN_INVALID_INPUT &&
            s.dry_bulb == 25.0 && s.humidity_ratio == 0.01 && s.relative_humidity == 0.0 &&
            s.vapor_pressure == 0.0,
        "the calculator model knows no water convention");
  Check(hygrian_from_dry_bulb_humidity_ratio_with(25.0, 0.01, HYGRIAN_STANDARD_PRESSURE, 7,
                                                  HYGRIAN_OVER_ICE, &s,
                                                  &found) == HYGRIAN_INVALID_INPUT,
        "an unknown model is invalid input");
  {
    double p = -1.0;
    /* IAPWS-95 at 20 degrees C: 2.33921 kPa; the handbook's eq. 6 is 0.02 % below. */
    Check(hygrian_saturation_vapor_pressure(20.0, HYGRIAN_OVER_WATER, &p) == HYGRIAN_OK &&
              Near(p, 2.33921, 0.0006),
          "saturation pressure at 20 degrees C");
    Check(hygrian_saturation_vapor_pressure_in_air(20.0, 101.325, HYGRIAN_OVER_ICE, &p) ==
                  HYGRIAN_OK &&
              Near(p, 2.33921 * 1.0040, 0.001),
          "with the enhancement factor");
    Check(hygrian_saturation_vapor_pressure(250.0, HYGRIAN_OVER_ICE, &p) == HYGRIAN_OUT_OF_RANGE &&
              p == 0.0,
          "above 200 degrees C");
  }
  /* 105 % over ice at -10 degrees C is 95 % over water (ice's 0.2599 kPa over
     water's 0.2865): above ice saturation only, and clipped to it on request;
     over water, 95 % has a wet-bulb (-10.1646 by hand, eq. 33 over
     supercooled water). */
  Check(hygrian_from_dry_bulb_relative_humidity_with(-10.0, 105.0, HYGRIAN_STANDARD_PRESSURE,
                                                     HYGRIAN_MODEL_HANDBOOK, HYGRIAN_OVER_ICE, &s,
                                                     &found) == HYGRIAN_ABOVE_ICE_SATURATION &&
            isnan(s.wet_bulb) && found == 0,
        "above ice saturation, below water's");
  Check(hygrian_clip_to_saturation(HYGRIAN_ABOVE_ICE_SATURATION, HYGRIAN_STANDARD_PRESSURE,
                                   HYGRIAN_MODEL_HANDBOOK, HYGRIAN_OVER_ICE, &s,
                                   &found) == HYGRIAN_CLIPPED_TO_SATURATION &&
            s.relative_humidity == 100.0 && s.dew_point == -10.0 && s.wet_bulb == -10.0 &&
            found == 1,
        "clipped to saturation over ice");
  Check(hygrian_clip_to_saturation(HYGRIAN_OK, HYGRIAN_STANDARD_PRESSURE, HYGRIAN_MODEL_HANDBOOK,
                                   HYGRIAN_OVER_ICE, &s, &found) == HYGRIAN_OK &&
            s.relative_humidity == 100.0,
        "another status is left alone");
  Check(hygrian_clip_to_saturation(HYGRIAN_SUPERSATURATED, HYGRIAN_STANDARD_PRESSURE,
                                   HYGRIAN_MODEL_HANDBOOK, 2, &s, &found) == HYGRIAN_INVALID_INPUT,
        "clipping under an unknown phase is invalid input");
  Check(hygrian_from_dry_bulb_relative_humidity_with(-10.0, 95.0, HYGRIAN_STANDARD_PRESSURE,
                                                     HYGRIAN_MODEL_HANDBOOK, HYGRIAN_OVER_WATER, &s,
                                                     &found) == HYGRIAN_OK &&
            Near(s.wet_bulb, -10.1646, 0.002),
        "a supercooled wick over water");
  Check(strcmp(hygrian_status_text(HYGRIAN_SUPERSATURATED), "supersaturated") == 0, "text of 13");
  Check(strcmp(hygrian_status_text(HYGRIAN_ABOVE_ICE_SATURATION), "above ice saturation") == 0,
        "text of 19");
  Check(strcmp(hygrian_status_text(HYGRIAN_CLIPPED_TO_SATURATION), "clipped to saturation") == 0,
        "text of 20");
  Check(strcmp(hygrian_status_text(99), "unknown status") == 0, "text of 99");
  /* 25 degrees C and 50 kJ/kg: W = (50 - 1.006 * 25) / (2501 + 1.86 * 25). */
  Check(hygrian_from_dry_bulb_enthalpy(25.0, 50.0, 101.325, HYGRIAN_MODEL_HANDBOOK,
                                       HYGRIAN_OVER_ICE, &s, NULL) == HYGRIAN_OK &&
            Near(s.humidity_ratio, 24.85 / 2547.5, 1e-12),
        "dry-bulb and enthalpy");
  Check(hygrian_from_dew_point_relative_humidity(10.0, 50.0, 101.325, HYGRIAN_MODEL_CALCULATOR,
                                                 HYGRIAN_OVER_ICE, &s,
                                                 NULL) == HYGRIAN_NOT_WITH_CALCULATOR,
        "a searched pair with the calculator model");
  {
    /* Outdoor and return air mixed, cooled below the dew point, reheated. */
    hygrian_process r;
    double flow = -1.0;
    const double p = HYGRIAN_STANDARD_PRESSURE;
    Check(
        hygrian_mix(32.0, 0.0180, 1.0, 24.0, 0.0093, 3.0, p, HYGRIAN_OVER_ICE, &r) == HYGRIAN_OK &&
            r.flow == 4.0 && Near(r.leaving.humidity_ratio, 0.011475, 1e-12),
        "mixing: the flows add, W the flow-weighted mean");
    Check(hygrian_cool_and_dehumidify(26.0, 0.011475, 10.0, 0.1, 4.0, p, HYGRIAN_OVER_ICE, &r) ==
                  HYGRIAN_OK &&
              r.total_load < 0.0 && r.water < 0.0,
          "a coil takes heat and water out");
    Check(hygrian_heat_to(26.0, 0.011475, 10.0, 4.0, p, HYGRIAN_OVER_ICE, &r) ==
                  HYGRIAN_BELOW_DEW_POINT &&
              r.flow == 0.0 && r.leaving.dry_bulb == 0.0,
          "sensible cooling below the dew point");
    Check(hygrian_cool_evaporatively(35.0, 0.007, 0.8, 1.0, p, 5, &r) == HYGRIAN_INVALID_INPUT,
          "an unknown phase is invalid input");
    Check(hygrian_humidify_with_steam(20.0, 0.002, 0.008, 110.0, 1.0, p, HYGRIAN_OVER_ICE, NULL) ==
              HYGRIAN_INVALID_INPUT,
          "no result");
    {
      /* The coil's leaving air gives its apparatus dew point and bypass factor
         back; heated air meets no saturation. */
      double adp = -1.0;
      double bf = -1.0;
      Check(hygrian_cool_and_dehumidify(30.0, 0.015, 10.0, 0.2, 2.0, p, HYGRIAN_OVER_ICE, &r) ==
                    HYGRIAN_OK &&
                hygrian_coil_condition(30.0, 0.015, r.leaving.dry_bulb, r.leaving.humidity_ratio, p,
                                       HYGRIAN_OVER_ICE, &adp, &bf) == HYGRIAN_OK &&
                Near(adp, 10.0, 1e-9) && Near(bf, 0.2, 1e-9),
            "the coil's condition from its two states");
      Check(hygrian_coil_condition(20.0, 0.008, 30.0, 0.008, p, HYGRIAN_OVER_ICE, &adp, &bf) ==
                    HYGRIAN_NO_STATE &&
                adp == 0.0 && bf == 0.0,
            "heated air has no apparatus dew point");
      Check(hygrian_coil_condition(30.0, 0.015, 14.0, 0.009, p, 7, &adp, &bf) ==
                HYGRIAN_INVALID_INPUT,
            "an unknown phase is invalid input");
    }
    /* Saturated air at -20 and air at 30 degrees C, 90 percent: fog. */
    Check(hygrian_mix(-20.0, 0.000637, 1.0, 30.0, 0.0245, 1.0, p, HYGRIAN_OVER_ICE, &r) ==
                  HYGRIAN_FOG &&
              r.water < 0.0 && Near(r.leaving.relative_humidity, 100.0, 1e-9) &&
              r.total_load == 0.0,
          "a mixture in the fog region");
    Check(strcmp(hygrian_status_text(HYGRIAN_FOG), "fog: saturated air with liquid water") == 0,
          "fog's text");
    /* 1 / (0.287042 * 293.15 * (1 + 1.607858 * 0.0073) / 101.325) */
    Check(hygrian_dry_air_flow(20.0, 0.0073, 1.0, p, &flow) == HYGRIAN_OK &&
              Near(flow, 1.1901822738764, 1e-12),
          "1 m3/s at 20 degrees C");
  }

  {
    /* The measures by key: 32.2 degrees C at 60 percent has the NWS heat
       index 99.68 degrees F (Rothfusz's regression; the table prints 100). */
    hygrian_state air;
    const double none = nan("");
    hygrian_surroundings around = {none, none, none, none, none, none, none, none};
    double value = 0.0;
    int keys = 0;
    Check(hygrian_from_dry_bulb_relative_humidity_with(32.2, 60.0, HYGRIAN_STANDARD_PRESSURE,
                                                       HYGRIAN_MODEL_HANDBOOK, HYGRIAN_OVER_WATER,
                                                       &air, NULL) == HYGRIAN_OK,
          "a hot humid state");
    Check(hygrian_measure("heat_index", &air, HYGRIAN_STANDARD_PRESSURE, NULL, &value) ==
                  HYGRIAN_OK &&
              Near(value * 9.0 / 5.0 + 32.0, 99.6, 0.2),
          "its heat index");
    Check(hygrian_measure("utci", &air, HYGRIAN_STANDARD_PRESSURE, &around, &value) ==
                  HYGRIAN_INVALID_INPUT &&
              isnan(value),
          "a UTCI without its inputs is invalid input");
    around.mean_radiant_temperature = 40.0;
    around.wind_speed = 20.0;
    Check(hygrian_measure("utci", &air, HYGRIAN_STANDARD_PRESSURE, &around, &value) ==
                  HYGRIAN_OUTSIDE_MEASURE_RANGE &&
              isnan(value),
          "a UTCI in a gale is outside its range");
    Check(strcmp(hygrian_status_text(HYGRIAN_OUTSIDE_MEASURE_RANGE),
                 "outside the measure's range") == 0,
          "the warning's text");
    Check(hygrian_measure("no_such_measure", &air, 100.0, NULL, &value) == HYGRIAN_INVALID_INPUT,
          "an unknown key");
    Check(hygrian_measure("humidex", NULL, 100.0, NULL, &value) == HYGRIAN_INVALID_INPUT,
          "no state");
    while (hygrian_measure_key(keys) != NULL) ++keys;
    Check(keys == 15 && strcmp(hygrian_measure_key(0), "heat_index") == 0 &&
              hygrian_measure_key(-1) == NULL,
          "the measures' keys");
  }

  /* Fanger's comfort model: ISO 7730:2005 Table D.1, run 1, prints -0.75 and
     17 (its saturation relation gives 2.6431 kPa at 22 degrees C). */
  {
    hygrian_state office;
    double pmv = 0.0;
    double ppd = 0.0;
    memset(&office, 0, sizeof office);
    office.dry_bulb = 22.0;
    office.vapor_pressure = 0.6 * 2.64305;
    Check(hygrian_comfort(&office, 22.0, 0.1, 1.2, 0.5, &pmv, &ppd) == HYGRIAN_OK &&
              Near(pmv, -0.75, 0.01) && Near(ppd, 17.0, 0.5),
          "an office's comfort");
    Check(hygrian_comfort(&office, 22.0, 1.5, 1.2, 0.5, &pmv, &ppd) ==
                  HYGRIAN_OUTSIDE_MEASURE_RANGE &&
              isnan(pmv) && isnan(ppd),
          "a gale is outside the comfort model's range");
    Check(hygrian_comfort(NULL, 22.0, 0.1, 1.2, 0.5, &pmv, &ppd) == HYGRIAN_INVALID_INPUT &&
              isnan(pmv) && isnan(ppd),
          "no state");
  }

  if (failures == 0) printf("all checks passed\n");
  return failures == 0 ? 0 : 1;
}
