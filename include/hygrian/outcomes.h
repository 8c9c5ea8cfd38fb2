// The outcomes of a computation as data: for each, its code, its key, its text
// and its class; and for each class, what the programs and the Python package
// make of it. Every surface renders an outcome from its row here: the C status
// and hygrian_status_text, StatusText, hygrian-batch's status cells, its end-of-run
// counts and its exit status, the chart's messages, Python's STATUS and the
// xarray flags. C++ only; every text is a NUL-terminated literal.
//
//   const hygrian::Outcome& o = hygrian::OutcomeOf(result);
//   // o.code 6, o.key "fault", o.text "log: SING error", o.kind Fault
#pragma once

#include <array>
#include <string_view>

#include "hygrian/psychrometrics.h"

namespace hygrian {

enum class OutcomeClass {
  Ok,            // every property computed
  Warning,       // the properties computed, but one is not known (wet_bulb: NaN, an empty
                 // cell) or the values are not quite what was given (clipped)
  Fault,         // nothing computed: the computation failed or refused the given values
  InvalidInput,  // a program's input that is no measurement ("23,5" without --decimal-comma)
  Missing,       // a gap in a program's input (empty, NA, NaN): nothing computed
};

// What each surface makes of an outcome of a class.
struct OutcomeRules {
  OutcomeClass kind;
  // A state is written with its computed values; otherwise only the given values
  // (a fault) or none (invalid input, missing).
  bool computed;
  // hygrian-batch's status cell is "KEY: TEXT" rather than the key alone.
  bool keyWithText;
  // hygrian-batch's exit status when a row has this outcome (the highest wins).
  int batchExit;
  // The C functions return HYGRIAN_OK for it, their flags say the rest (a
  // warning); otherwise the outcome's code, when the library gives it at all.
  // The handbook model's warnings (13, 14, 19, 20) have no flag: the *_with
  // functions return their codes, with the state computed; so do the processes
  // (13, 21).
  bool cStatusOk;
  // Python gives it as the int8 status and an xarray flag (invalid input is a
  // ValueError there instead).
  bool python;
};

inline constexpr std::array<OutcomeRules, 5> OutcomeClasses = {{
    {OutcomeClass::Ok, true, false, 0, true, true},
    {OutcomeClass::Warning, true, false, 0, true, true},
    {OutcomeClass::Fault, false, true, 0, false, true},
    {OutcomeClass::InvalidInput, false, true, 1, false, false},
    {OutcomeClass::Missing, false, false, 0, false, true},
}};

struct Outcome {
  // The code: Status's value and the C status for the library's outcomes (0 to
  // 21, 23), Python's int8 status and xarray's flag value. Negative codes are never
  // a C status: -1 is the C API's HYGRIAN_OK with wet_bulb_found 0.
  int code;
  std::string_view key;   // hygrian-batch's status word and count: "ok", "no-wet-bulb", "fault"
  std::string_view text;  // in words: "ok", "no wet-bulb", "log: SING error"
  OutcomeClass kind;
};

// In the order hygrian-batch counts them at the end of a run.
inline constexpr std::array<Outcome, 25> Outcomes = {{
    {0, "ok", "ok", OutcomeClass::Ok},
    {-1, "no-wet-bulb", "no wet-bulb", OutcomeClass::Warning},
    // The handbook model's warnings: computed, the wet-bulb or the dew point NaN
    // (but for a state clipped to saturation, whose every property is known).
    {13, "supersaturated", "supersaturated", OutcomeClass::Warning},
    {19, "above-ice-saturation", "above ice saturation", OutcomeClass::Warning},
    {20, "clipped-to-saturation", "clipped to saturation", OutcomeClass::Warning},
    {14, "drier-than-range", "drier than the range", OutcomeClass::Warning},
    {21, "fog", "fog: saturated air with liquid water", OutcomeClass::Warning},
    // A measure's warning (hygrian/measures.h): the measure NaN.
    {23, "outside-measure-range", "outside the measure's range", OutcomeClass::Warning},
    {1, "fault", "invalid input", OutcomeClass::Fault},
    {2, "fault", "floating-point error: invalid", OutcomeClass::Fault},
    {3, "fault", "floating-point error: divide by zero", OutcomeClass::Fault},
    {4, "fault", "floating-point error: overflow", OutcomeClass::Fault},
    {5, "fault", "log: DOMAIN error", OutcomeClass::Fault},
    {6, "fault", "log: SING error", OutcomeClass::Fault},
    {7, "fault", "exp: OVERFLOW error", OutcomeClass::Fault},
    {8, "fault", "**: DOMAIN error", OutcomeClass::Fault},
    {9, "fault", "**: SING error", OutcomeClass::Fault},
    {10, "fault", "**: OVERFLOW error", OutcomeClass::Fault},
    {11, "fault", "vapour pressure at or above total pressure", OutcomeClass::Fault},
    {15, "fault", "outside the range", OutcomeClass::Fault},  // the handbook model's
    {16, "fault", "no state with these two values", OutcomeClass::Fault},
    {17, "fault", "not with the calculator model", OutcomeClass::Fault},
    {18, "fault", "below the dew point", OutcomeClass::Fault},
    {12, "missing", "missing", OutcomeClass::Missing},
    {-2, "bad-input", "bad input", OutcomeClass::InvalidInput},
}};

// The code of "no wet-bulb" and of the reader's "bad input".
inline constexpr int NoWetBulbCode = -1;
inline constexpr int BadInputCode = -2;

// What a code that no row has stands for.
inline constexpr Outcome UnknownOutcome{0, "fault", "unknown status", OutcomeClass::Fault};

// The row of a code; UnknownOutcome for a code no row has.
[[nodiscard]] constexpr const Outcome& OutcomeOfCode(int code) noexcept {
  for (const Outcome& outcome : Outcomes) {
    if (outcome.code == code) return outcome;
  }
  return UnknownOutcome;
}

// The row of a result: its status, or "no wet-bulb" when it is Ok without one.
[[nodiscard]] constexpr const Outcome& OutcomeOf(const Result& result) noexcept {
  if (result.status == Status::Ok && !result.wetBulbFound) return OutcomeOfCode(NoWetBulbCode);
  return OutcomeOfCode(static_cast<int>(result.status));
}

// The rules of a class.
[[nodiscard]] constexpr const OutcomeRules& RulesOf(OutcomeClass kind) noexcept {
  return OutcomeClasses[static_cast<std::size_t>(kind)];
}

}  // namespace hygrian
