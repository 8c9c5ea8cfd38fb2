// The dialogue driver: banner and explanation once, then passes of menu, the
// chosen computation, the results block and the run-again question, ending in the
// normal stop.
#pragma once

#include <cstdint>

#include "air/calculator/relations.h"
#include "console/console.h"

namespace hygrian {

// The driver's own variables. They live for the whole process, start at zero and
// are never reset, so an answer that assigns nothing keeps the previous pass's.
struct DialogueState {
  std::int32_t choice = 0;
  std::int32_t again = 0;
  air::MoistAirState state;
};

// Runs the dialogue to its end; the process ends inside (normal stop or a report).
[[noreturn]] void RunDialogue(Console& console, DialogueState& dialogue);

// The computation routines of menu choices 1 to 3: each writes its prompt, reads
// its two values into the state and completes the state.
void StateFromDryWet(Console& console, double P, air::MoistAirState& s);
void StateFromDryDew(Console& console, double P, air::MoistAirState& s);
void StateFromDryRh(Console& console, double P, air::MoistAirState& s);

}  // namespace hygrian
