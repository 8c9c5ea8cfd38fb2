// The C interface: the C++ API's results copied into the plain C structs.
#include <array>
#include <climits>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>

#include "air/handbook/relations.h"
#include "hygrian/comfort.h"
#include "hygrian/hygrian.h"
#include "hygrian/measures.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"
#include "hygrian/processes.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/version.h"

namespace hygrian {
namespace {

static_assert(static_cast<int>(Status::Ok) == HYGRIAN_OK);
static_assert(static_cast<int>(Status::InvalidInput) == HYGRIAN_INVALID_INPUT);
static_assert(static_cast<int>(Status::InvalidOperation) == HYGRIAN_INVALID_OPERATION);
static_assert(static_cast<int>(Status::DivideByZero) == HYGRIAN_DIVIDE_BY_ZERO);
static_assert(static_cast<int>(Status::Overflow) == HYGRIAN_OVERFLOW);
static_assert(static_cast<int>(Status::LogDomain) == HYGRIAN_LOG_DOMAIN);
static_assert(static_cast<int>(Status::LogSingularity) == HYGRIAN_LOG_SINGULARITY);
static_assert(static_cast<int>(Status::ExpOverflow) == HYGRIAN_EXP_OVERFLOW);
static_assert(static_cast<int>(Status::PowerDomain) == HYGRIAN_POWER_DOMAIN);
static_assert(static_cast<int>(Status::PowerSingularity) == HYGRIAN_POWER_SINGULARITY);
static_assert(static_cast<int>(Status::PowerOverflow) == HYGRIAN_POWER_OVERFLOW);
static_assert(static_cast<int>(Status::VaporPressureNotBelowTotal) ==
              HYGRIAN_VAPOR_PRESSURE_NOT_BELOW_TOTAL);
static_assert(static_cast<int>(Status::Missing) == HYGRIAN_MISSING);
static_assert(static_cast<int>(Status::Supersaturated) == HYGRIAN_SUPERSATURATED);
static_assert(static_cast<int>(Status::DrierThanRange) == HYGRIAN_DRIER_THAN_RANGE);
static_assert(static_cast<int>(Status::OutOfRange) == HYGRIAN_OUT_OF_RANGE);
static_assert(static_cast<int>(Status::NoState) == HYGRIAN_NO_STATE);
static_assert(static_cast<int>(Status::NotWithCalculator) == HYGRIAN_NOT_WITH_CALCULATOR);
static_assert(static_cast<int>(Status::BelowDewPoint) == HYGRIAN_BELOW_DEW_POINT);
static_assert(static_cast<int>(Status::AboveIceSaturation) == HYGRIAN_ABOVE_ICE_SATURATION);
static_assert(static_cast<int>(Status::ClippedToSaturation) == HYGRIAN_CLIPPED_TO_SATURATION);
static_assert(static_cast<int>(Status::OutsideMeasureRange) == HYGRIAN_OUTSIDE_MEASURE_RANGE);
static_assert(static_cast<int>(Model::Handbook) == HYGRIAN_MODEL_HANDBOOK);
static_assert(static_cast<int>(Model::Calculator) == HYGRIAN_MODEL_CALCULATOR);
static_assert(static_cast<int>(Phase::Ice) == HYGRIAN_OVER_ICE);
static_assert(static_cast<int>(Phase::Water) == HYGRIAN_OVER_WATER);

// hygrian_state's fields, as they have been since 1.0, by the keys of the
// properties they hold. State holds these and may hold more (specific humidity:
// hygrian_specific_humidity); the C struct never changes.
struct CName {
  std::string_view key;
  double hygrian_state::*field;
};
constexpr std::array<CName, 9> kCNames = {{
    {"dry_bulb", &hygrian_state::dry_bulb},
    {"wet_bulb", &hygrian_state::wet_bulb},
    {"dew_point", &hygrian_state::dew_point},
    {"relative_humidity", &hygrian_state::relative_humidity},
    {"enthalpy", &hygrian_state::enthalpy},
    {"humidity_ratio", &hygrian_state::humidity_ratio},
    {"degree_of_saturation", &hygrian_state::degree_of_saturation},
    {"specific_volume", &hygrian_state::specific_volume},
    {"vapor_pressure", &hygrian_state::vapor_pressure},
}};

// A C field and the State member of the property of its key.
struct CField {
  double hygrian_state::*field;
  double State::*member;
};
constexpr std::array<CField, kCNames.size()> CFields() {
  std::array<CField, kCNames.size()> fields{};
  for (std::size_t i = 0; i < kCNames.size(); ++i) {
    fields[i].field = kCNames[i].field;
    for (const Property& p : Properties) {
      if (p.key == kCNames[i].key) fields[i].member = p.member;
    }
  }
  return fields;
}
constexpr auto kCFields = CFields();
constexpr bool EveryFieldHasItsProperty() {
  for (const CField& f : kCFields) {
    if (f.member == nullptr) return false;
  }
  return true;
}
static_assert(EveryFieldHasItsProperty(), "each C field is a property's, by its key");
static_assert(sizeof(hygrian_state) == kCNames.size() * sizeof(double), "the C struct of 1.0");

// The state in C: its fields copied one by one.
hygrian_state ToC(const State& s) {
  hygrian_state c{};
  for (const CField& f : kCFields) c.*f.field = s.*f.member;
  return c;
}

// A C state as State: the fields it has; every other property 0.0.
State FromC(const hygrian_state& c) {
  State s;
  for (const CField& f : kCFields) s.*f.member = c.*f.field;
  return s;
}

// The functions without a model keep the calculator's results.
constexpr Options kCalculator{.model = Model::Calculator};

// The options of C's model and phase codes; false for codes that name none.
bool OptionsOf(int model, int over, Options& options) {
  const bool known = (model == HYGRIAN_MODEL_HANDBOOK || model == HYGRIAN_MODEL_CALCULATOR) &&
                     (over == HYGRIAN_OVER_ICE || over == HYGRIAN_OVER_WATER);
  options = {static_cast<Model>(model), static_cast<Phase>(over)};
  return known;
}

int Deliver(const Result& result, hygrian_state* state, int* wetBulbFound);

// One of the *_with functions: compute(a, b, pressure, options) unless the codes
// or the state are invalid, when the state holds the two given values.
template <typename Compute>
int DeliverWith(Compute compute, double a, double b, double pressure, int model, int over,
                double State::*second, hygrian_state* state, int* wetBulbFound) {
  if (state == nullptr) return HYGRIAN_INVALID_INPUT;
  Options options;
  if (!OptionsOf(model, over, options)) {
    Result refused;
    refused.state.dryBulb = a;
    refused.state.*second = b;
    refused.status = Status::InvalidInput;
    return Deliver(refused, state, wetBulbFound);
  }
  return Deliver(compute(a, b, pressure, options), state, wetBulbFound);
}

// One of the functions of the pairs solved by a search: AllPairs' row `key`.
int DeliverPair(std::string_view key, double a, double b, double pressure, int model, int over,
                hygrian_state* state, int* wetBulbFound) {
  if (state == nullptr) return HYGRIAN_INVALID_INPUT;
  const Pair* pair = &AllPairs[0];
  for (const Pair& row : AllPairs) {
    if (row.key == key) pair = &row;
  }
  Options options;
  if (!OptionsOf(model, over, options)) {
    Result refused;
    refused.state.*pair->given[0].member = a;
    refused.state.*pair->given[1].member = b;
    refused.status = Status::InvalidInput;
    return Deliver(refused, state, wetBulbFound);
  }
  return Deliver(pair->compute(a, b, pressure, options), state, wetBulbFound);
}

int DeliverPressure(const PressureResult& result, double* pressure) {
  *pressure = result.pressure;
  return static_cast<int>(result.status);
}

int Deliver(const Result& result, hygrian_state* state, int* wetBulbFound) {
  *state = ToC(result.state);
  if (wetBulbFound != nullptr) *wetBulbFound = result.wetBulbFound ? 1 : 0;
  return static_cast<int>(result.status);
}

// One of the process functions: process(over) unless the phase code or the
// result is invalid.
template <typename Process>
int DeliverProcess(int over, hygrian_process* result, Process process) {
  if (result == nullptr) return HYGRIAN_INVALID_INPUT;
  Options options;
  ProcessResult r;
  r.status = Status::InvalidInput;
  if (OptionsOf(HYGRIAN_MODEL_HANDBOOK, over, options)) r = process(options.over);
  result->leaving = ToC(r.leaving);
  result->flow = r.flow;
  result->sensible_load = r.sensibleLoad;
  result->latent_load = r.latentLoad;
  result->total_load = r.totalLoad;
  result->sensible_heat_ratio = r.sensibleHeatRatio;
  result->water = r.water;
  result->water_enthalpy = r.waterEnthalpy;
  return static_cast<int>(r.status);
}

}  // namespace
}  // namespace hygrian

// NOLINTBEGIN(readability-identifier-naming): C names
extern "C" {

int hygrian_from_dry_bulb_wet_bulb(double dry_bulb, double wet_bulb, double pressure,
                                   hygrian_state* state, int* wet_bulb_found) {
  if (state == nullptr) return HYGRIAN_INVALID_INPUT;
  return hygrian::Deliver(
      hygrian::FromDryBulbWetBulb(dry_bulb, wet_bulb, pressure, hygrian::kCalculator), state,
      wet_bulb_found);
}

int hygrian_from_dry_bulb_dew_point(double dry_bulb, double dew_point, double pressure,
                                    hygrian_state* state, int* wet_bulb_found) {
  if (state == nullptr) return HYGRIAN_INVALID_INPUT;
  return hygrian::Deliver(
      hygrian::FromDryBulbDewPoint(dry_bulb, dew_point, pressure, hygrian::kCalculator), state,
      wet_bulb_found);
}

int hygrian_from_dry_bulb_relative_humidity(double dry_bulb, double relative_humidity,
                                            double pressure, hygrian_state* state,
                                            int* wet_bulb_found) {
  if (state == nullptr) return HYGRIAN_INVALID_INPUT;
  return hygrian::Deliver(hygrian::FromDryBulbRelativeHumidity(dry_bulb, relative_humidity,
                                                               pressure, hygrian::kCalculator),
                          state, wet_bulb_found);
}

int hygrian_from_dry_bulb_humidity_ratio(double dry_bulb, double humidity_ratio, double pressure,
                                         hygrian_state* state, int* wet_bulb_found) {
  if (state == nullptr) return HYGRIAN_INVALID_INPUT;
  return hygrian::Deliver(
      hygrian::FromDryBulbHumidityRatio(dry_bulb, humidity_ratio, pressure, hygrian::kCalculator),
      state, wet_bulb_found);
}

int hygrian_from_dry_bulb_wet_bulb_with(double dry_bulb, double wet_bulb, double pressure,
                                        int model, int over, hygrian_state* state,
                                        int* wet_bulb_found) {
  return hygrian::DeliverWith(hygrian::FromDryBulbWetBulb, dry_bulb, wet_bulb, pressure, model,
                              over, &hygrian::State::wetBulb, state, wet_bulb_found);
}

int hygrian_from_dry_bulb_dew_point_with(double dry_bulb, double dew_point, double pressure,
                                         int model, int over, hygrian_state* state,
                                         int* wet_bulb_found) {
  return hygrian::DeliverWith(hygrian::FromDryBulbDewPoint, dry_bulb, dew_point, pressure, model,
                              over, &hygrian::State::dewPoint, state, wet_bulb_found);
}

int hygrian_from_dry_bulb_relative_humidity_with(double dry_bulb, double relative_humidity,
                                                 double pressure, int model, int over,
                                                 hygrian_state* state, int* wet_bulb_found) {
  return hygrian::DeliverWith(hygrian::FromDryBulbRelativeHumidity, dry_bulb, relative_humidity,
                              pressure, model, over, &hygrian::State::relativeHumidity, state,
                              wet_bulb_found);
}

int hygrian_from_dry_bulb_humidity_ratio_with(double dry_bulb, double humidity_ratio,
                                              double pressure, int model, int over,
                                              hygrian_state* state, int* wet_bulb_found) {
  return hygrian::DeliverWith(hygrian::FromDryBulbHumidityRatio, dry_bulb, humidity_ratio, pressure,
                              model, over, &hygrian::State::humidityRatio, state, wet_bulb_found);
}

int hygrian_saturation_vapor_pressure(double t, int over, double* pressure) {
  if (pressure == nullptr) return HYGRIAN_INVALID_INPUT;
  hygrian::Options options;
  if (!hygrian::OptionsOf(HYGRIAN_MODEL_HANDBOOK, over, options)) {
    return hygrian::DeliverPressure({0.0, hygrian::Status::InvalidInput}, pressure);
  }
  return hygrian::DeliverPressure(hygrian::SaturationVaporPressure(t, options.over), pressure);
}

int hygrian_saturation_vapor_pressure_in_air(double t, double total, int over, double* pressure) {
  if (pressure == nullptr) return HYGRIAN_INVALID_INPUT;
  hygrian::Options options;
  if (!hygrian::OptionsOf(HYGRIAN_MODEL_HANDBOOK, over, options)) {
    return hygrian::DeliverPressure({0.0, hygrian::Status::InvalidInput}, pressure);
  }
  return hygrian::DeliverPressure(hygrian::SaturationVaporPressureInAir(t, total, options.over),
                                  pressure);
}

int hygrian_from_dry_bulb_specific_humidity(double dry_bulb, double specific_humidity,
                                            double pressure, hygrian_state* state,
                                            int* wet_bulb_found) {
  if (state == nullptr) return HYGRIAN_INVALID_INPUT;
  return hygrian::Deliver(hygrian::FromDryBulbSpecificHumidity(dry_bulb, specific_humidity,
                                                               pressure, hygrian::kCalculator),
                          state, wet_bulb_found);
}

int hygrian_from_dry_bulb_specific_humidity_with(double dry_bulb, double specific_humidity,
                                                 double pressure, int model, int over,
                                                 hygrian_state* state, int* wet_bulb_found) {
  return hygrian::DeliverWith(hygrian::FromDryBulbSpecificHumidity, dry_bulb, specific_humidity,
                              pressure, model, over, &hygrian::State::humidityRatio, state,
                              wet_bulb_found);
}

int hygrian_from_dry_bulb_vapor_pressure(double dry_bulb, double vapor_pressure, double pressure,
                                         hygrian_state* state, int* wet_bulb_found) {
  if (state == nullptr) return HYGRIAN_INVALID_INPUT;
  return hygrian::Deliver(
      hygrian::FromDryBulbVaporPressure(dry_bulb, vapor_pressure, pressure, hygrian::kCalculator),
      state, wet_bulb_found);
}

int hygrian_from_dry_bulb_vapor_pressure_with(double dry_bulb, double vapor_pressure,
                                              double pressure, int model, int over,
                                              hygrian_state* state, int* wet_bulb_found) {
  return hygrian::DeliverWith(hygrian::FromDryBulbVaporPressure, dry_bulb, vapor_pressure, pressure,
                              model, over, &hygrian::State::vaporPressure, state, wet_bulb_found);
}

int hygrian_standard_pressure_at_altitude(double metres, double* pressure) {
  if (pressure == nullptr) return HYGRIAN_INVALID_INPUT;
  const hygrian::PressureResult result = hygrian::StandardPressureAtAltitude(metres);
  *pressure = result.pressure;
  return static_cast<int>(result.status);
}

int hygrian_clip_to_saturation(int status, double pressure, int model, int over,
                               hygrian_state* state, int* wet_bulb_found) {
  hygrian::Options options;
  if (state == nullptr || !hygrian::OptionsOf(model, over, options)) return HYGRIAN_INVALID_INPUT;
  if (status != HYGRIAN_SUPERSATURATED && status != HYGRIAN_ABOVE_ICE_SATURATION) return status;
  hygrian::Result result;
  result.state = hygrian::FromC(*state);
  result.status = static_cast<hygrian::Status>(status);
  return hygrian::Deliver(hygrian::ClipToSaturation(result, pressure, options), state,
                          wet_bulb_found);
}

double hygrian_specific_humidity(const hygrian_state* state) {
  if (state == nullptr) return std::numeric_limits<double>::quiet_NaN();
  return hygrian::air::handbook::SpecificHumidity(state->humidity_ratio);
}

const char* hygrian_version() { return HYGRIAN_VERSION; }

const char* hygrian_status_text(int status) {
  // A negative code is no C status; every text is a literal, so NUL-terminated.
  return hygrian::OutcomeOfCode(status < HYGRIAN_OK ? INT_MIN : status).text.data();
}

int hygrian_from_dry_bulb_enthalpy(double dry_bulb, double enthalpy, double pressure, int model,
                                   int over, hygrian_state* state, int* wet_bulb_found) {
  return hygrian::DeliverPair("dry_bulb_enthalpy", dry_bulb, enthalpy, pressure, model, over, state,
                              wet_bulb_found);
}

int hygrian_from_humidity_ratio_enthalpy(double humidity_ratio, double enthalpy, double pressure,
                                         int model, int over, hygrian_state* state,
                                         int* wet_bulb_found) {
  return hygrian::DeliverPair("humidity_ratio_enthalpy", humidity_ratio, enthalpy, pressure, model,
                              over, state, wet_bulb_found);
}

int hygrian_from_enthalpy_relative_humidity(double enthalpy, double relative_humidity,
                                            double pressure, int model, int over,
                                            hygrian_state* state, int* wet_bulb_found) {
  return hygrian::DeliverPair("enthalpy_relative_humidity", enthalpy, relative_humidity, pressure,
                              model, over, state, wet_bulb_found);
}

int hygrian_from_wet_bulb_relative_humidity(double wet_bulb, double relative_humidity,
                                            double pressure, int model, int over,
                                            hygrian_state* state, int* wet_bulb_found) {
  return hygrian::DeliverPair("wet_bulb_relative_humidity", wet_bulb, relative_humidity, pressure,
                              model, over, state, wet_bulb_found);
}

int hygrian_from_dew_point_relative_humidity(double dew_point, double relative_humidity,
                                             double pressure, int model, int over,
                                             hygrian_state* state, int* wet_bulb_found) {
  return hygrian::DeliverPair("dew_point_relative_humidity", dew_point, relative_humidity, pressure,
                              model, over, state, wet_bulb_found);
}

int hygrian_from_humidity_ratio_relative_humidity(double humidity_ratio, double relative_humidity,
                                                  double pressure, int model, int over,
                                                  hygrian_state* state, int* wet_bulb_found) {
  return hygrian::DeliverPair("humidity_ratio_relative_humidity", humidity_ratio, relative_humidity,
                              pressure, model, over, state, wet_bulb_found);
}

int hygrian_mix(double a_dry_bulb, double a_humidity_ratio, double a_flow, double b_dry_bulb,
                double b_humidity_ratio, double b_flow, double pressure, int over,
                hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::Mix({a_dry_bulb, a_humidity_ratio, a_flow},
                        {b_dry_bulb, b_humidity_ratio, b_flow}, pressure, phase);
  });
}

int hygrian_mix_volumes(double a_dry_bulb, double a_humidity_ratio, double a_flow,
                        double b_dry_bulb, double b_humidity_ratio, double b_flow, double pressure,
                        int over, hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::MixVolumes({a_dry_bulb, a_humidity_ratio, a_flow},
                               {b_dry_bulb, b_humidity_ratio, b_flow}, pressure, phase);
  });
}

int hygrian_heat_to(double dry_bulb, double humidity_ratio, double leaving_dry_bulb, double flow,
                    double pressure, int over, hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::HeatTo(dry_bulb, humidity_ratio, leaving_dry_bulb, flow, pressure, phase);
  });
}

int hygrian_heat_by(double dry_bulb, double humidity_ratio, double heat_rate, double flow,
                    double pressure, int over, hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::HeatBy(dry_bulb, humidity_ratio, heat_rate, flow, pressure, phase);
  });
}

int hygrian_cool_and_dehumidify(double dry_bulb, double humidity_ratio, double apparatus_dew_point,
                                double bypass_factor, double flow, double pressure, int over,
                                hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::CoolAndDehumidify(dry_bulb, humidity_ratio, apparatus_dew_point, bypass_factor,
                                      flow, pressure, phase);
  });
}

int hygrian_cool_and_dehumidify_to(double dry_bulb, double humidity_ratio, double leaving_dry_bulb,
                                   double leaving_relative_humidity, double flow, double pressure,
                                   int over, hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::CoolAndDehumidifyTo(dry_bulb, humidity_ratio, leaving_dry_bulb,
                                        leaving_relative_humidity, flow, pressure, phase);
  });
}

int hygrian_cool_evaporatively(double dry_bulb, double humidity_ratio, double effectiveness,
                               double flow, double pressure, int over, hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::CoolEvaporatively(dry_bulb, humidity_ratio, effectiveness, flow, pressure,
                                      phase);
  });
}

int hygrian_humidify_with_steam(double dry_bulb, double humidity_ratio,
                                double leaving_humidity_ratio, double steam_temperature,
                                double flow, double pressure, int over, hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::HumidifyWithSteam(dry_bulb, humidity_ratio, leaving_humidity_ratio,
                                      steam_temperature, flow, pressure, phase);
  });
}

int hygrian_humidify_with_water(double dry_bulb, double humidity_ratio,
                                double leaving_humidity_ratio, double water_temperature,
                                double flow, double pressure, int over, hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::HumidifyWithWater(dry_bulb, humidity_ratio, leaving_humidity_ratio,
                                      water_temperature, flow, pressure, phase);
  });
}

int hygrian_humidify_with_steam_to_relative_humidity(double dry_bulb, double humidity_ratio,
                                                     double leaving_relative_humidity,
                                                     double steam_temperature, double flow,
                                                     double pressure, int over,
                                                     hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::HumidifyWithSteamToRelativeHumidity(dry_bulb, humidity_ratio,
                                                        leaving_relative_humidity,
                                                        steam_temperature, flow, pressure, phase);
  });
}

int hygrian_humidify_with_water_to_relative_humidity(double dry_bulb, double humidity_ratio,
                                                     double leaving_relative_humidity,
                                                     double water_temperature, double flow,
                                                     double pressure, int over,
                                                     hygrian_process* result) {
  return hygrian::DeliverProcess(over, result, [&](hygrian::Phase phase) {
    return hygrian::HumidifyWithWaterToRelativeHumidity(dry_bulb, humidity_ratio,
                                                        leaving_relative_humidity,
                                                        water_temperature, flow, pressure, phase);
  });
}

int hygrian_dry_air_flow(double dry_bulb, double humidity_ratio, double volume_flow,
                         double pressure, double* flow) {
  if (flow == nullptr) return HYGRIAN_INVALID_INPUT;
  *flow = hygrian::DryAirFlow(dry_bulb, humidity_ratio, volume_flow, pressure);
  if (std::isnan(*flow)) {
    *flow = 0.0;
    return HYGRIAN_INVALID_INPUT;
  }
  return HYGRIAN_OK;
}

int hygrian_measure(const char* key, const hygrian_state* state, double pressure,
                    const hygrian_surroundings* surroundings, double* value) {
  if (value == nullptr) return HYGRIAN_INVALID_INPUT;
  *value = hygrian::NotGiven;
  const hygrian::Measure* measure = key == nullptr ? nullptr : hygrian::FindMeasure(key);
  if (measure == nullptr || state == nullptr) return HYGRIAN_INVALID_INPUT;
  hygrian::Surroundings around;
  if (surroundings != nullptr) {
    around = {surroundings->wind_speed,        surroundings->mean_radiant_temperature,
              surroundings->globe_temperature, surroundings->air_speed,
              surroundings->solar_irradiance,  surroundings->direct_fraction,
              surroundings->cos_zenith,        surroundings->net_radiation};
  }
  const hygrian::MeasureResult r = measure->compute(hygrian::FromC(*state), pressure, around);
  *value = r.value;
  return static_cast<int>(r.status);
}

const char* hygrian_measure_key(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= hygrian::Measures.size()) return nullptr;
  return hygrian::Measures[static_cast<std::size_t>(index)].key.data();
}

int hygrian_comfort(const hygrian_state* state, double mean_radiant_temperature, double air_speed,
                    double metabolic_rate, double clothing, double* pmv, double* ppd) {
  hygrian::ComfortResult r{.status = hygrian::Status::InvalidInput};
  if (state != nullptr && pmv != nullptr && ppd != nullptr) {
    r = hygrian::PredictedMeanVote(hygrian::FromC(*state), mean_radiant_temperature, air_speed,
                                   metabolic_rate, clothing);
  }
  if (pmv != nullptr) *pmv = r.pmv;
  if (ppd != nullptr) *ppd = r.ppd;
  return static_cast<int>(r.status);
}

int hygrian_coil_condition(double dry_bulb, double humidity_ratio, double leaving_dry_bulb,
                           double leaving_humidity_ratio, double pressure, int over,
                           double* apparatus_dew_point, double* bypass_factor) {
  hygrian::CoilCondition condition;
  condition.status = hygrian::Status::InvalidInput;
  hygrian::Options options;
  if (apparatus_dew_point != nullptr && bypass_factor != nullptr &&
      hygrian::OptionsOf(HYGRIAN_MODEL_HANDBOOK, over, options)) {
    condition = hygrian::CoilConditionOf(dry_bulb, humidity_ratio, leaving_dry_bulb,
                                         leaving_humidity_ratio, pressure, options.over);
  }
  const bool found = condition.status == hygrian::Status::Ok;
  if (apparatus_dew_point != nullptr) {
    *apparatus_dew_point = found ? condition.apparatusDewPoint : 0.0;
  }
  if (bypass_factor != nullptr) *bypass_factor = found ? condition.bypassFactor : 0.0;
  return static_cast<int>(condition.status);
}

}  // extern "C"
// NOLINTEND(readability-identifier-naming)
