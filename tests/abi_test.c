/* A C program of 2.3.0: built once against 2.3.0's hygrian/hygrian.h
   (tests/data/abi-2.3.0) and once against this tree's, both linked with this
   library. It prints the layout of the C structs and the results of every
   function 2.3.0 had over a grid of states, every double by its bits (%a);
   the test compares the two outputs byte for byte, so the structs have 2.3.0's
   size and offsets and an old program gets what a new one gets. */
#include <stddef.h>
#include <stdio.h>

#include "hygrian/hygrian.h"

typedef int (*pair_function)(double, double, double, hygrian_state*, int*);
typedef int (*pair_function_with)(double, double, double, int, int, hygrian_state*, int*);

static void PrintState(int status, const hygrian_state* s, int found) {
  printf("%d %d %a %a %a %a %a %a %a %a %a\n", status, found, s->dry_bulb, s->wet_bulb,
         s->dew_point, s->relative_humidity, s->enthalpy, s->humidity_ratio,
         s->degree_of_saturation, s->specific_volume, s->vapor_pressure);
}

static void PrintProcess(int status, const hygrian_process* r) {
  PrintState(status, &r->leaving, -1);
  printf("  %a %a %a %a %a %a %a\n", r->flow, r->sensible_load, r->latent_load, r->total_load,
         r->sensible_heat_ratio, r->water, r->water_enthalpy);
}

int main(void) {
  static const pair_function calculator[] = {
      hygrian_from_dry_bulb_wet_bulb, hygrian_from_dry_bulb_dew_point,
      hygrian_from_dry_bulb_relative_humidity, hygrian_from_dry_bulb_humidity_ratio,
      hygrian_from_dry_bulb_specific_humidity};
  static const pair_function_with with[] = {
      hygrian_from_dry_bulb_wet_bulb_with,          hygrian_from_dry_bulb_dew_point_with,
      hygrian_from_dry_bulb_relative_humidity_with, hygrian_from_dry_bulb_humidity_ratio_with,
      hygrian_from_dry_bulb_specific_humidity_with, hygrian_from_dry_bulb_enthalpy,
      hygrian_from_humidity_ratio_enthalpy,         hygrian_from_enthalpy_relative_humidity,
      hygrian_from_wet_bulb_relative_humidity,      hygrian_from_dew_point_relative_humidity,
      hygrian_from_humidity_ratio_relative_humidity};
  /* Each function's two values: ordinary, cold, dry, humid, out of range. */
  static const double given[][11][2] = {{{25, 20},
                                         {25, 15},
                                         {25, 50},
                                         {25, 0.0126},
                                         {25, 0.0124},
                                         {25, 50},
                                         {0.0126, 57},
                                         {57, 60},
                                         {20, 63},
                                         {15, 54},
                                         {0.0126, 63}},
                                        {{-10, -11},
                                         {-10, -20},
                                         {-10, 80},
                                         {-10, 0.0012},
                                         {-10, 0.0011},
                                         {-10, -5},
                                         {0.0012, -7},
                                         {-7, 80},
                                         {-11, 80},
                                         {-20, 80},
                                         {0.0012, 80}},
                                        {{40, 15},
                                         {40, -30},
                                         {40, 3},
                                         {40, 0.0005},
                                         {40, 0.0005},
                                         {40, 42},
                                         {0.0005, 41},
                                         {41, 3},
                                         {15, 3},
                                         {-30, 3},
                                         {0.0005, 3}},
                                        {{30, 31},
                                         {30, 35},
                                         {30, 120},
                                         {30, 0.05},
                                         {30, 0.05},
                                         {30, 300},
                                         {0.05, 160},
                                         {160, 120},
                                         {31, 120},
                                         {35, 120},
                                         {0.05, 120}},
                                        {{250, 20},
                                         {25, -150},
                                         {25, -1},
                                         {25, -0.1},
                                         {25, 1.5},
                                         {-120, 50},
                                         {-1, 50},
                                         {50, 101},
                                         {-160, 50},
                                         {250, 50},
                                         {0.01, 0}}};
  const size_t states = sizeof given / sizeof given[0];
  hygrian_state s;
  hygrian_process r;
  double a = 0.0;
  double b = 0.0;
  int found = 0;
  size_t i;
  size_t f;
  int model;
  int over;

  printf("hygrian_state %zu: %zu %zu %zu %zu %zu %zu %zu %zu %zu\n", sizeof(hygrian_state),
         offsetof(hygrian_state, dry_bulb), offsetof(hygrian_state, wet_bulb),
         offsetof(hygrian_state, dew_point), offsetof(hygrian_state, relative_humidity),
         offsetof(hygrian_state, enthalpy), offsetof(hygrian_state, humidity_ratio),
         offsetof(hygrian_state, degree_of_saturation), offsetof(hygrian_state, specific_volume),
         offsetof(hygrian_state, vapor_pressure));
  printf("hygrian_process %zu: %zu %zu %zu %zu %zu %zu %zu %zu\n", sizeof(hygrian_process),
         offsetof(hygrian_process, leaving), offsetof(hygrian_process, flow),
         offsetof(hygrian_process, sensible_load), offsetof(hygrian_process, latent_load),
         offsetof(hygrian_process, total_load), offsetof(hygrian_process, sensible_heat_ratio),
         offsetof(hygrian_process, water), offsetof(hygrian_process, water_enthalpy));
  for (i = 0; i < states; ++i) {
    for (f = 0; f < sizeof calculator / sizeof calculator[0]; ++f) {
      const int status = calculator[f](given[i][f][0], given[i][f][1], 101.325, &s, &found);
      PrintState(status, &s, found);
    }
    for (model = 0; model <= 1; ++model) {
      for (over = 0; over <= 1; ++over) {
        for (f = 0; f < sizeof with / sizeof with[0]; ++f) {
          const int status =
              with[f](given[i][f][0], given[i][f][1], 84.556, model, over, &s, &found);
          PrintState(status, &s, found);
        }
      }
    }
  }
  PrintState(hygrian_saturation_vapor_pressure(20.0, HYGRIAN_OVER_ICE, &a), &s, 0);
  PrintState(hygrian_saturation_vapor_pressure_in_air(-20.0, 101.325, HYGRIAN_OVER_WATER, &b), &s,
             0);
  printf("%a %a\n", a, b);
  PrintState(hygrian_standard_pressure_at_altitude(1500.0, &a), &s, 0);
  PrintState(hygrian_dry_air_flow(20.0, 0.0073, 1.0, 101.325, &b), &s, 0);
  printf("%a %a\n", a, b);
  PrintProcess(hygrian_mix(32, 0.018, 1, 24, 0.0093, 3, 101.325, 0, &r), &r);
  PrintProcess(hygrian_mix_volumes(32, 0.018, 1, 24, 0.0093, 3, 101.325, 1, &r), &r);
  PrintProcess(hygrian_heat_to(10, 0.005, 30, 2, 101.325, 0, &r), &r);
  PrintProcess(hygrian_heat_by(10, 0.005, -5, 2, 101.325, 0, &r), &r);
  PrintProcess(hygrian_cool_and_dehumidify(30, 0.015, 10, 0.2, 2, 101.325, 0, &r), &r);
  PrintProcess(hygrian_cool_and_dehumidify_to(30, 0.015, 14, 90, 2, 101.325, 1, &r), &r);
  PrintProcess(hygrian_cool_evaporatively(35, 0.006, 0.8, 1, 101.325, 0, &r), &r);
  PrintProcess(hygrian_humidify_with_steam(20, 0.004, 0.008, 100, 1, 101.325, 0, &r), &r);
  PrintProcess(hygrian_humidify_with_water(20, 0.004, 0.008, 15, 1, 101.325, 0, &r), &r);
  PrintProcess(
      hygrian_humidify_with_steam_to_relative_humidity(20, 0.004, 50, 100, 1, 101.325, 0, &r), &r);
  PrintProcess(
      hygrian_humidify_with_water_to_relative_humidity(20, 0.004, 50, 15, 1, 101.325, 0, &r), &r);
  printf("%s %s\n", hygrian_status_text(HYGRIAN_NO_STATE), hygrian_status_text(99));
  return 0;
}
