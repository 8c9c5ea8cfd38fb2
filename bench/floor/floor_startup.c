/* The floor for a one-pass session: a minimal static program that reads its
 * input to the end, 132 bytes at a time, and writes 1.5 KB in one write. */
#include <unistd.h>

static char output[1536];

int main(void) {
  char buffer[132];
  while (read(0, buffer, sizeof buffer) > 0) {
  }
  for (unsigned k = 0; k < sizeof output; ++k) output[k] = (char)('A' + k % 26);
  return write(1, output, sizeof output) == (ssize_t)sizeof output ? 0 : 1;
}
