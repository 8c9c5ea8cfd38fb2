/* The floor for a session of many passes: the system calls of the calculator's
 * dialogue and nothing else. It makes the same start-up terminal test, the same
 * writes of the same bytes, the same 132-byte reads and one terminal test per
 * input statement, and stops where a session would: after a pass whose last
 * answer is not "1". Nothing is parsed beyond finding line ends, and nothing is
 * computed: the result lines are copied as they stand (those of 25 and 20). */
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

static const char *const kPrefix[] = {
    "PROGRAM HYGRIAN",
    "\r\n",
    "\r\n",
    "COMPUTATION OF PSYCHROMETRIC DATA IN SI UNITS.",
    "\r\n",
    "\r\n",
    "THIS PROGRAM CALCULATES SELECTED PSYCHROMETRIC PARAMETERS FROM COMBINATIONS",
    "\r\n",
    "OF THE INPUT PARAMETERS WET AND DRY-BULB TEMPERATURES, DEW POINT, AND",
    "\r\n",
    "RELATIVE HUMIDITY.",
    "\r\n",
    "\r\n",
    "ENTER THE DATA AS REQUESTED.",
    "\r\n",
};
static const char *const kMenu[] = {
    "\r\n",
    "WHAT TYPE OF DATA DO YOU HAVE?  TYPE THE CORRECT NUMBER AND PRESS ENTER.",
    "\r\n",
    "     1) DRY-BULB AND WET-BULB TEMPERATURES",
    "\r\n",
    "     2) DRY-BULB AND DEW POINT TEMPERATURES",
    "\r\n",
    "     3) DRY-BULB TEMPERATURE AND RELATIVE HUMIDITY",
    "\r\n",
};
static const char *const kPrompt[] = {
    "\r\n",
    "\r\n",
    "ENTER THE DRY-BULB AND WET-BULB TEMPERATURES IN DEGREES C.",
    "\r\n",
};
static const char *const kResults[] = {
    "\r\n",
    "\r\n",
    "\r\n",
    "\r\n",
    "THE RESULTS ARE:",
    "\r\n",
    "     DRY-BULB TEMPERATURE:  25.00 DEGREES C",
    "\r\n",
    "     WET-BULB TEMPERATURE:  20.00 DEGREES C",
    "\r\n",
    "     DEW POINT TEMPERATURE:  17.56 DEGREES C",
    "\r\n",
    "     RELATIVE HUMIDITY: 63.48 PERCENT",
    "\r\n",
    "     ENTHALPY:   57.22 J/G",
    "\r\n",
    "     HUMIDITY RATIO:   .1260E-01",
    "\r\n",
    "     DEGREE OF SATURATION:     .6274",
    "\r\n",
    "     SPECIFIC VOLUME:   .862 CU. M/KG",
    "\r\n",
    "     VAPOR PARTIAL PRESSURE:  2.012 KPA",
    "\r\n",
    "\r\n",
    "\r\n",
    "\r\n",
    "DO YOU WANT TO RUN AGAIN?  ENTER THE APPROPRIATE NUMBER.  1)YES  2)NO.",
    "\r\n",
};
static const char *const kSuffix[] = {
    "\r\n",
    "Stop - Program terminated.\r\n",
    "\r\n",
};

#define COUNT(a) (sizeof(a) / sizeof((a)[0]))

static char buffer[132];
static size_t position, end;

static void WriteAll(const char *const *texts, size_t count) {
  for (size_t k = 0; k < count; ++k) {
    if (write(1, texts[k], strlen(texts[k])) < 0) _exit(1);
  }
}

static int IsTerminal(void) {
  struct termios t;
  return ioctl(0, TCGETS, &t) == 0;
}

/* One read; a full buffer that does not end a line is followed by a terminal
 * test, as the calculator's reader makes one there. */
static void Refill(void) {
  const ssize_t n = read(0, buffer, sizeof buffer);
  if (n <= 0) _exit(1);
  position = 0;
  end = (size_t)n;
  if (end == sizeof buffer && buffer[end - 1] != '\n') (void)IsTerminal();
}

/* One input statement: a read when the buffer is empty, the terminal test, then
 * one line. Returns its first character. */
static char TakeLine(void) {
  if (position == end) Refill();
  if (IsTerminal()) _exit(2);
  const char first = buffer[position];
  for (;;) {
    if (position == end) Refill();
    if (buffer[position++] == '\n') return first;
  }
}

int main(void) {
  (void)IsTerminal();
  WriteAll(kPrefix, COUNT(kPrefix));
  char again;
  do {
    WriteAll(kMenu, COUNT(kMenu));
    (void)TakeLine();
    WriteAll(kPrompt, COUNT(kPrompt));
    (void)TakeLine();
    WriteAll(kResults, COUNT(kResults));
    again = TakeLine();
  } while (again == '1');
  WriteAll(kSuffix, COUNT(kSuffix));
  _exit(0);
}
