/* The moist-air computations for C and for other languages through their foreign
   function interfaces: plain structs of doubles, integer status codes, no C++
   runtime needed by the caller. The same computations as hygrian/psychrometrics.h,
   with the same results to the bit.

   The functions without a model argument compute with the calculator model, as
   they always have: no range of validity is enforced, values outside the
   relations' physical range give whatever the relations give, only a
   computation fault or invalid input is reported, as a status, and a state never
   holds a NaN or an infinity. The *_with functions take the model and the phase
   convention (HYGRIAN_MODEL_HANDBOOK is the C++ default); under the handbook
   model a property that is not defined is NaN (hygrian/psychrometrics.h lists
   where).

   The interface only grows: hygrian_state never changes its layout, new results
   come through new functions, and status codes are never renumbered (a new
   status takes the next free code). A program built against an older version
   of this header runs with any newer libhygrian.so.1. The 1 is the C ABI's own
   number, not the project's major version: it changes only if an exported
   function changed its results or went away, which has not happened (2.0.0
   changed the C++ API's default model, and the C functions kept theirs). */
#ifndef HYGRIAN_HYGRIAN_H
#define HYGRIAN_HYGRIAN_H

#include "hygrian/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* NOLINTBEGIN(readability-identifier-naming): C names follow C conventions. */

/* kPa */
#define HYGRIAN_STANDARD_PRESSURE 101.325

/* The nine properties of one air sample. */
typedef struct hygrian_state {
  double dry_bulb;             /* degrees C */
  double wet_bulb;             /* degrees C */
  double dew_point;            /* degrees C (a frost point at or below 0) */
  double relative_humidity;    /* percent */
  double enthalpy;             /* kJ per kg of dry air */
  double humidity_ratio;       /* kg of water vapour per kg of dry air */
  double degree_of_saturation; /* humidity ratio over its saturation value */
  double specific_volume;      /* cubic metres per kg of dry air */
  double vapor_pressure;       /* kPa */
} hygrian_state;

/* The status codes that the functions return. */
enum hygrian_status {
  HYGRIAN_OK = 0,                /* every property computed */
  HYGRIAN_INVALID_INPUT = 1,     /* a value not finite, pressure not positive, state NULL */
  HYGRIAN_INVALID_OPERATION = 2, /* "floating-point error: invalid" (0/0 and the like) */
  HYGRIAN_DIVIDE_BY_ZERO = 3,    /* "floating-point error: divide by zero" */
  HYGRIAN_OVERFLOW = 4,          /* "floating-point error: overflow" */
  HYGRIAN_LOG_DOMAIN = 5,        /* "log: DOMAIN error" (ln of a negative number) */
  HYGRIAN_LOG_SINGULARITY = 6,   /* "log: SING error" (ln 0) */
  HYGRIAN_EXP_OVERFLOW = 7,      /* "exp: OVERFLOW error" */
  HYGRIAN_POWER_DOMAIN = 8,      /* "**: DOMAIN error" (cannot occur) */
  HYGRIAN_POWER_SINGULARITY = 9, /* "**: SING error" (cannot occur) */
  HYGRIAN_POWER_OVERFLOW = 10,   /* "**: OVERFLOW error" */
  /* "vapour pressure at or above total pressure": P - p <= 0 for the vapour
     pressure or the saturation pressure at the dry-bulb, the wet-bulb or the dew
     point (a fault met earlier keeps its own code) */
  HYGRIAN_VAPOR_PRESSURE_NOT_BELOW_TOTAL = 11,
  /* "missing": a gap in a program's input; these functions never return it (a
     NaN given to them is HYGRIAN_INVALID_INPUT) */
  HYGRIAN_MISSING = 12,
  /* The next three come from the handbook model only. */
  HYGRIAN_SUPERSATURATED = 13,   /* a warning: above saturation; state computed */
  HYGRIAN_DRIER_THAN_RANGE = 14, /* a warning: frost point below -100 degrees C */
  HYGRIAN_OUT_OF_RANGE = 15,     /* outside -100..200 degrees C or 10..1000 kPa */
  /* "no state with these two values": an enthalpy below dry air's, a relative
     humidity above 100 percent or of 0 with a dew point or humidity ratio, or
     values that the state a search found does not give back */
  HYGRIAN_NO_STATE = 16,
  /* "not with the calculator model": a pair solved by a search */
  HYGRIAN_NOT_WITH_CALCULATOR = 17,
  /* "below the dew point": sensible cooling below the entering dew point */
  HYGRIAN_BELOW_DEW_POINT = 18,
  /* "above ice saturation", a warning (handbook model over ice): above
     saturation over ice, not over water; state computed, wet-bulb NaN.
     Since 2.4.0. */
  HYGRIAN_ABOVE_ICE_SATURATION = 19,
  /* "clipped to saturation", a warning: hygrian_clip_to_saturation brought the
     state down to saturation. Since 2.4.0. */
  HYGRIAN_CLIPPED_TO_SATURATION = 20,
  /* "fog: saturated air with liquid water": a warning from hygrian_mix, whose
     mixture lies in the fog region; the leaving state is saturated air, the
     water beyond it liquid (ice below 0.01 degrees C over ice) carried in the
     air (result->water, negative). Since 2.4.0. */
  HYGRIAN_FOG = 21,
  /* "outside the measure's range": a warning of the heat-stress and
     atmospheric measures (hygrian_measure); the value is NaN. Since 2.4.0. */
  HYGRIAN_OUTSIDE_MEASURE_RANGE = 23
};

/* The models and the phase conventions of the *_with functions. */
enum hygrian_model {
  HYGRIAN_MODEL_HANDBOOK = 0,  /* ASHRAE Handbook Fundamentals 2017 ch. 1 */
  HYGRIAN_MODEL_CALCULATOR = 1 /* the calculator's relations, as the functions above */
};
enum hygrian_phase {
  HYGRIAN_OVER_ICE = 0,  /* saturation over ice at and below 0.01 degrees C */
  HYGRIAN_OVER_WATER = 1 /* over liquid water at every temperature (WMO) */
};

/* Each function computes the state from one measured pair at the total pressure
   `pressure` (kPa; HYGRIAN_STANDARD_PRESSURE is the usual one), writes it to
   *state and returns a status code. On any status but HYGRIAN_OK the state holds
   the two given values and 0.0 everywhere else. When wet_bulb_found is not NULL it
   is set to 1 when the wet-bulb temperature is known (given, or found by the
   search or the bisection that follows it) and to 0 otherwise; when neither
   finds it the status is HYGRIAN_OK and state->wet_bulb is 0.0. With state NULL nothing is computed
   and the status is HYGRIAN_INVALID_INPUT.

   25 and 20 degrees C at 101.325 kPa: dew point 17.56..., relative humidity
   63.48... percent. */
HYGRIAN_API int hygrian_from_dry_bulb_wet_bulb(double dry_bulb, double wet_bulb, double pressure,
                                               hygrian_state* state, int* wet_bulb_found);

/* The dew point in degrees C; at or below 0 it is taken as a frost point. */
HYGRIAN_API int hygrian_from_dry_bulb_dew_point(double dry_bulb, double dew_point, double pressure,
                                                hygrian_state* state, int* wet_bulb_found);

/* The relative humidity in percent (50, not 0.5). */
HYGRIAN_API int hygrian_from_dry_bulb_relative_humidity(double dry_bulb, double relative_humidity,
                                                        double pressure, hygrian_state* state,
                                                        int* wet_bulb_found);

/* The humidity ratio in kg of water vapour per kg of dry air (0.01, not 10); a
   negative one is invalid input. */
HYGRIAN_API int hygrian_from_dry_bulb_humidity_ratio(double dry_bulb, double humidity_ratio,
                                                     double pressure, hygrian_state* state,
                                                     int* wet_bulb_found);

/* The specific humidity in kg of water vapour per kg of moist air, as
   reanalyses give it: the state of the humidity ratio q / (1 - q), which
   state->humidity_ratio holds as the given value. Below 0, at or above 1 it is
   invalid input. 25 and 0.0124422: wet-bulb 20.00... Since 1.2.0. */
HYGRIAN_API int hygrian_from_dry_bulb_specific_humidity(double dry_bulb, double specific_humidity,
                                                        double pressure, hygrian_state* state,
                                                        int* wet_bulb_found);

/* The same five computations with a model (enum hygrian_model) and a phase
   convention (enum hygrian_phase); any other value of either is
   HYGRIAN_INVALID_INPUT, and so is the calculator model with HYGRIAN_OVER_WATER.
   With HYGRIAN_SUPERSATURATED, HYGRIAN_ABOVE_ICE_SATURATION and
   HYGRIAN_DRIER_THAN_RANGE the state is computed as with HYGRIAN_OK. 25 and 20 degrees C at 101.325
   kPa under the handbook model: dew point 17.60..., relative humidity 63.51... percent.
   Since 2.0.0. */
HYGRIAN_API int hygrian_from_dry_bulb_wet_bulb_with(double dry_bulb, double wet_bulb,
                                                    double pressure, int model, int over,
                                                    hygrian_state* state, int* wet_bulb_found);
HYGRIAN_API int hygrian_from_dry_bulb_dew_point_with(double dry_bulb, double dew_point,
                                                     double pressure, int model, int over,
                                                     hygrian_state* state, int* wet_bulb_found);
HYGRIAN_API int hygrian_from_dry_bulb_relative_humidity_with(double dry_bulb,
                                                             double relative_humidity,
                                                             double pressure, int model, int over,
                                                             hygrian_state* state,
                                                             int* wet_bulb_found);
HYGRIAN_API int hygrian_from_dry_bulb_humidity_ratio_with(double dry_bulb, double humidity_ratio,
                                                          double pressure, int model, int over,
                                                          hygrian_state* state,
                                                          int* wet_bulb_found);
HYGRIAN_API int hygrian_from_dry_bulb_specific_humidity_with(double dry_bulb,
                                                             double specific_humidity,
                                                             double pressure, int model, int over,
                                                             hygrian_state* state,
                                                             int* wet_bulb_found);

/* The vapour pressure in kPa, as weather stations and gridded climate data give
   it: the state of the humidity ratio the model gives it at `pressure`; below 0,
   at or above `pressure` or not finite it is invalid input, and the state holds
   it as given (so on every status but HYGRIAN_OK and the warnings). The first
   by the calculator's relations, as the functions above; the _with form as the
   *_with functions. 25 degrees C and 2.0 kPa at 101.325 kPa under the handbook
   model: humidity ratio 0.0125234... Since 2.4.0. */
HYGRIAN_API int hygrian_from_dry_bulb_vapor_pressure(double dry_bulb, double vapor_pressure,
                                                     double pressure, hygrian_state* state,
                                                     int* wet_bulb_found);
HYGRIAN_API int hygrian_from_dry_bulb_vapor_pressure_with(double dry_bulb, double vapor_pressure,
                                                          double pressure, int model, int over,
                                                          hygrian_state* state,
                                                          int* wet_bulb_found);

/* The state from a pair without the dry-bulb, or the dry-bulb with the
   enthalpy (kJ per kg of dry air), by the handbook model: the missing
   temperature or humidity ratio is found by a bracketed search, to 1e-9 K and
   1e-10 relative. Arguments and results as the *_with functions; the
   calculator model is HYGRIAN_NOT_WITH_CALCULATOR. 25 degrees C and 50 kJ/kg:
   humidity ratio 0.0097547... (24.85 / 2547.5). Since 2.1.0. */
HYGRIAN_API int hygrian_from_dry_bulb_enthalpy(double dry_bulb, double enthalpy, double pressure,
                                               int model, int over, hygrian_state* state,
                                               int* wet_bulb_found);
HYGRIAN_API int hygrian_from_humidity_ratio_enthalpy(double humidity_ratio, double enthalpy,
                                                     double pressure, int model, int over,
                                                     hygrian_state* state, int* wet_bulb_found);
HYGRIAN_API int hygrian_from_enthalpy_relative_humidity(double enthalpy, double relative_humidity,
                                                        double pressure, int model, int over,
                                                        hygrian_state* state, int* wet_bulb_found);
HYGRIAN_API int hygrian_from_wet_bulb_relative_humidity(double wet_bulb, double relative_humidity,
                                                        double pressure, int model, int over,
                                                        hygrian_state* state, int* wet_bulb_found);
HYGRIAN_API int hygrian_from_dew_point_relative_humidity(double dew_point, double relative_humidity,
                                                         double pressure, int model, int over,
                                                         hygrian_state* state, int* wet_bulb_found);
HYGRIAN_API int hygrian_from_humidity_ratio_relative_humidity(double humidity_ratio,
                                                              double relative_humidity,
                                                              double pressure, int model, int over,
                                                              hygrian_state* state,
                                                              int* wet_bulb_found);

/* A state above saturation, as a *_with function (or the functions after
   them) wrote it to *state with `status` HYGRIAN_SUPERSATURATED or
   HYGRIAN_ABOVE_ICE_SATURATION, brought down to saturation under the same
   model and phase at its dry-bulb and `pressure` (kPa): the state of that
   dry-bulb with its dew point, relative humidity 100 and wet-bulb the
   dry-bulb; the status is then HYGRIAN_CLIPPED_TO_SATURATION. Any other
   status is returned as it is and *state is left alone; another model or
   phase value, or state NULL, is HYGRIAN_INVALID_INPUT. wet_bulb_found as
   for the functions above. 20 degrees C and 104 percent: relative humidity
   100, dew point 20. Since 2.4.0. */
HYGRIAN_API int hygrian_clip_to_saturation(int status, double pressure, int model, int over,
                                           hygrian_state* state, int* wet_bulb_found);

/* The specific humidity of a state the functions above wrote, in kg of water
   vapour per kg of moist air: W / (1 + W) of its humidity ratio W (0.0125
   gives 0.012345679); NaN for state NULL. Since 2.4.0. */
HYGRIAN_API double hygrian_specific_humidity(const hygrian_state* state);

/* The saturation vapour pressure (kPa) of pure water at t (degrees C) over ice
   (HYGRIAN_OVER_ICE: at and below 0.01 degrees C, water above) or over water,
   written to *pressure: 20 gives 2.33880. The _in_air form multiplies by the
   enhancement factor at the total pressure `total` (kPa, 10 to 1000): 20 at
   101.325 gives 2.34813. Outside -100 to 200 degrees C HYGRIAN_OUT_OF_RANGE; a
   NaN, another phase value or pressure NULL HYGRIAN_INVALID_INPUT (*pressure,
   when there is one, is then 0.0). Since 2.0.0. */
HYGRIAN_API int hygrian_saturation_vapor_pressure(double t, int over, double* pressure);
HYGRIAN_API int hygrian_saturation_vapor_pressure_in_air(double t, double total, int over,
                                                         double* pressure);

/* The total pressure (kPa) of the standard atmosphere at `metres` above sea
   level, 101.325 (1 - 2.25577e-5 Z)^5.2559, written to *pressure: 0 m gives
   101.325, 1500 m 84.556 (to 5 digits). Outside -5000 to 11000 m, for a NaN or
   with pressure NULL the status is HYGRIAN_INVALID_INPUT (and *pressure, when
   there is one, is 0.0). */
HYGRIAN_API int hygrian_standard_pressure_at_altitude(double metres, double* pressure);

/* What a process did to the air, by the handbook model (hygrian/processes.h
   has each process's contract): the leaving state; the dry-air flow leaving
   (kg/s); the heat rates in kW, positive when heat is added to the air
   (sensible at the leaving humidity ratio, latent at the entering dry-bulb,
   total across the equipment's boundary); the sensible heat ratio (NaN where
   both loads are 0); the water added (positive) or condensed (negative) in
   kg/s, with its enthalpy in kJ per kg of water. Since 2.2.0. */
typedef struct hygrian_process {
  hygrian_state leaving;
  double flow;
  double sensible_load;
  double latent_load;
  double total_load;
  double sensible_heat_ratio;
  double water;
  double water_enthalpy;
} hygrian_process;

/* The processes: entering states by their dry-bulb (degrees C) and humidity
   ratio (kg/kg), dry-air flows in kg/s (m3/s for hygrian_mix_volumes), the
   total pressure in kPa and the phase convention `over` (enum hygrian_phase).
   Each writes *result and returns a status: HYGRIAN_OK, HYGRIAN_SUPERSATURATED
   (the leaving air above saturation, fog; computed; over ice
   HYGRIAN_ABOVE_ICE_SATURATION when above ice's saturation only) or why nothing was
   computed (*result then all 0.0): HYGRIAN_INVALID_INPUT (a value not finite,
   a negative flow, a parameter outside its range, another phase value, result
   NULL), HYGRIAN_OUT_OF_RANGE, HYGRIAN_BELOW_DEW_POINT (sensible cooling below
   the dew point), HYGRIAN_NO_STATE (a coil surface above the dew point, a
   leaving state the process cannot reach). Since 2.2.0.

   Mixing 1 kg/s at 32 degrees C, W 0.0180 with 3 kg/s at 24 degrees C, W
   0.0093 gives 4 kg/s at 26.02 degrees C, W 0.011475. */
HYGRIAN_API int hygrian_mix(double a_dry_bulb, double a_humidity_ratio, double a_flow,
                            double b_dry_bulb, double b_humidity_ratio, double b_flow,
                            double pressure, int over, hygrian_process* result);
HYGRIAN_API int hygrian_mix_volumes(double a_dry_bulb, double a_humidity_ratio, double a_flow,
                                    double b_dry_bulb, double b_humidity_ratio, double b_flow,
                                    double pressure, int over, hygrian_process* result);
/* Sensible heating or cooling to leaving_dry_bulb, or by heat_rate (kW). */
HYGRIAN_API int hygrian_heat_to(double dry_bulb, double humidity_ratio, double leaving_dry_bulb,
                                double flow, double pressure, int over, hygrian_process* result);
HYGRIAN_API int hygrian_heat_by(double dry_bulb, double humidity_ratio, double heat_rate,
                                double flow, double pressure, int over, hygrian_process* result);
/* A cooling and dehumidifying coil by its apparatus dew point (degrees C) and
   bypass factor (0 to 1), or by the leaving dry-bulb and relative humidity. */
HYGRIAN_API int hygrian_cool_and_dehumidify(double dry_bulb, double humidity_ratio,
                                            double apparatus_dew_point, double bypass_factor,
                                            double flow, double pressure, int over,
                                            hygrian_process* result);
HYGRIAN_API int hygrian_cool_and_dehumidify_to(double dry_bulb, double humidity_ratio,
                                               double leaving_dry_bulb,
                                               double leaving_relative_humidity, double flow,
                                               double pressure, int over, hygrian_process* result);
/* Direct evaporative cooling by its saturation effectiveness (0 to 1). */
HYGRIAN_API int hygrian_cool_evaporatively(double dry_bulb, double humidity_ratio,
                                           double effectiveness, double flow, double pressure,
                                           int over, hygrian_process* result);
/* Humidification with steam or liquid water at a temperature (degrees C), to a
   leaving humidity ratio (kg/kg) or relative humidity (percent). */
HYGRIAN_API int hygrian_humidify_with_steam(double dry_bulb, double humidity_ratio,
                                            double leaving_humidity_ratio, double steam_temperature,
                                            double flow, double pressure, int over,
                                            hygrian_process* result);
HYGRIAN_API int hygrian_humidify_with_water(double dry_bulb, double humidity_ratio,
                                            double leaving_humidity_ratio, double water_temperature,
                                            double flow, double pressure, int over,
                                            hygrian_process* result);
HYGRIAN_API int hygrian_humidify_with_steam_to_relative_humidity(
    double dry_bulb, double humidity_ratio, double leaving_relative_humidity,
    double steam_temperature, double flow, double pressure, int over, hygrian_process* result);
HYGRIAN_API int hygrian_humidify_with_water_to_relative_humidity(
    double dry_bulb, double humidity_ratio, double leaving_relative_humidity,
    double water_temperature, double flow, double pressure, int over, hygrian_process* result);

/* The apparatus dew point (degrees C) and the bypass factor of a coil that
   takes air at dry_bulb and humidity_ratio to leaving_dry_bulb and
   leaving_humidity_ratio: where the line through the two states, straight in
   humidity ratio and enthalpy, first meets saturation beyond the leaving
   state, and the leaving state's share of the way back from there to the
   entering air, (h2 - h_adp) / (h1 - h_adp), as hygrian_cool_and_dehumidify
   takes it (hygrian/processes.h, CoilConditionOf). Writes both and returns
   HYGRIAN_OK; HYGRIAN_NO_STATE when the line meets no saturation (air heated
   or humidified), HYGRIAN_INVALID_INPUT for a value not finite, another phase
   value or a NULL pointer (both then 0.0, where there are pointers). The air
   hygrian_cool_and_dehumidify leaves at 30 degrees C, W 0.015, 10, 0.2 gives
   10 and 0.2 back. Since 2.4.0. */
HYGRIAN_API int hygrian_coil_condition(double dry_bulb, double humidity_ratio,
                                       double leaving_dry_bulb, double leaving_humidity_ratio,
                                       double pressure, int over, double* apparatus_dew_point,
                                       double* bypass_factor);

/* The dry-air mass flow (kg/s) of volume_flow m3/s of air at dry_bulb and
   humidity_ratio, written to *flow: 1 m3/s at 20 degrees C, W 0.0073 is 1.190
   kg/s. A value not finite, a pressure not positive or flow NULL is
   HYGRIAN_INVALID_INPUT (*flow, when there is one, 0.0). Since 2.2.0. */
HYGRIAN_API int hygrian_dry_air_flow(double dry_bulb, double humidity_ratio, double volume_flow,
                                     double pressure, double* flow);

/* What a measure needs beyond the air's state (hygrian/measures.h): NaN where
   not given. Since 2.4.0. */
typedef struct hygrian_surroundings {
  double wind_speed;               /* m/s, 10 m above the ground */
  double mean_radiant_temperature; /* degrees C */
  double globe_temperature;        /* degrees C, a standard 150 mm black globe */
  double air_speed;                /* m/s at the globe */
  double solar_irradiance;         /* W/m2 on a horizontal surface */
  double direct_fraction;          /* 0 to 1 in the direct beam; NaN: estimated */
  double cos_zenith;               /* cosine of the solar zenith angle */
  double net_radiation;            /* W/m2 absorbed per m2 of the body's surface */
} hygrian_surroundings;

/* The heat-stress or atmospheric measure named `key` ("heat_index", "humidex",
   "utci", "wet_bulb_globe_temperature", ...: hygrian_measure_key lists them)
   of a state the *_with functions computed at `pressure` (kPa), written to
   *value in its unit (degrees C, kPa or m). Returns HYGRIAN_OK,
   HYGRIAN_OUTSIDE_MEASURE_RANGE (outside the range the measure is defined
   for; *value NaN) or HYGRIAN_INVALID_INPUT (an unknown key, an input that is
   no value, a NULL pointer; *value, when there is one, NaN). surroundings may
   be NULL for the measures that need none. 32.2 degrees C at 60 percent:
   "heat_index" 37.5 (99.6 degrees F). Since 2.4.0. */
HYGRIAN_API int hygrian_measure(const char* key, const hygrian_state* state, double pressure,
                                const hygrian_surroundings* surroundings, double* value);

/* The key of the measure at `index` (0, 1, ...), NULL past the last: a static
   string, never freed. Since 2.4.0. */
HYGRIAN_API const char* hygrian_measure_key(int index);

/* The predicted mean vote and the predicted percentage dissatisfied (%) of
   people in a state the *_with functions computed, with the mean radiant
   temperature (degrees C), the relative air speed (m/s), the metabolic rate
   (met) and the clothing (clo), by Fanger's model (ISO 7730:2005, ASHRAE 55;
   hygrian/comfort.h), written to *pmv and *ppd. Returns HYGRIAN_OK,
   HYGRIAN_OUTSIDE_MEASURE_RANGE (outside the model's ranges: a dry-bulb of 10
   to 30 degrees C, a mean radiant temperature of 10 to 40, 0 to 1 m/s, a
   vapour pressure up to 2.7 kPa, 0.8 to 4 met, 0 to 2 clo, a PMV of -2 to +2;
   both NaN) or HYGRIAN_INVALID_INPUT (an input that is no value, a NULL
   pointer; both, where there are, NaN). 22 degrees C at 60 percent, 22, 0.1,
   1.2 met, 0.5 clo: -0.75 and 16.9. Since 2.4.0. */
HYGRIAN_API int hygrian_comfort(const hygrian_state* state, double mean_radiant_temperature,
                                double air_speed, double metabolic_rate, double clothing,
                                double* pmv, double* ppd);

/* The library's version, HYGRIAN_VERSION of the hygrian/version.h that it was
   built with ("2.0.0"): a static string, never freed. */
HYGRIAN_API const char* hygrian_version(void);

/* "ok", "invalid input", the fault's message text ("log: DOMAIN error"),
   "missing", "supersaturated", "drier than the range", "outside the range",
   "no state with these two values", "not with the calculator model",
   "below the dew point", "above ice saturation", "clipped to saturation",
   "outside the measure's range";
   "unknown status" for any other code. A static string: never freed. */
HYGRIAN_API const char* hygrian_status_text(int status);

/* NOLINTEND(readability-identifier-naming) */

#ifdef __cplusplus
}
#endif

#endif
