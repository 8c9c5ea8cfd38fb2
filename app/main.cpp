#include "app/dialogue.h"
#include "console/platform.h"

int main() {
  // The console state and the dialogue's variables are static objects with fixed
  // buffers: nothing is taken from the heap before the dialogue starts, so the
  // start-up cannot run out of memory.
  static hygrian::Console console(hygrian::SystemPlatform());
  static hygrian::DialogueState dialogue;
  hygrian::RunDialogue(console, dialogue);
}
