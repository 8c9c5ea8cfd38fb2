/* Runs two programs side by side, round after round, each `runs` times per
 * round with the same input file on a pipe and standard output on /dev/null, and
 * prints the median over the rounds of each one's CPU time (user + system, from
 * wait4) and their ratio:  cpu_ratio ROUNDS RUNS INPUT PROGRAM FLOOR */
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

static char *input;
static size_t inputSize;

static void ReadInput(const char *path) {
  FILE *f = fopen(path, "rb");
  if (!f) {
    perror(path);
    exit(2);
  }
  size_t capacity = 1 << 16;
  input = malloc(capacity);
  size_t n;
  while ((n = fread(input + inputSize, 1, capacity - inputSize, f)) > 0) {
    inputSize += n;
    if (inputSize == capacity) input = realloc(input, capacity *= 2);
  }
  fclose(f);
}

/* CPU seconds of one run of program, its input fed through a pipe. */
static double RunOnce(const char *program) {
  int fds[2];
  if (pipe(fds) != 0) exit(2);
  const pid_t child = fork();
  if (child == 0) {
    dup2(fds[0], 0);
    close(fds[0]);
    close(fds[1]);
    const int out = open("/dev/null", O_WRONLY);
    dup2(out, 1);
    execl(program, program, (char *)NULL);
    _exit(127);
  }
  close(fds[0]);
  size_t done = 0;
  while (done < inputSize) {
    const ssize_t n = write(fds[1], input + done, inputSize - done);
    if (n <= 0) break; /* the program stopped reading */
    done += (size_t)n;
  }
  close(fds[1]);
  int status;
  struct rusage usage;
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    fprintf(stderr, "%s failed\n", program);
    exit(2);
  }
  return (double)usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 +
         (double)usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
}

static int Compare(const void *a, const void *b) {
  const double x = *(const double *)a, y = *(const double *)b;
  return (x > y) - (x < y);
}

static double Median(double *values, int count) {
  qsort(values, (size_t)count, sizeof *values, Compare);
  return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

int main(int argc, char **argv) {
  if (argc != 6) {
    fprintf(stderr, "usage: cpu_ratio ROUNDS RUNS INPUT PROGRAM FLOOR\n");
    return 2;
  }
  const int rounds = atoi(argv[1]), runs = atoi(argv[2]);
  if (rounds < 1 || runs < 1) return 2;
  signal(SIGPIPE, SIG_IGN);
  ReadInput(argv[3]);
  double *program = calloc((size_t)rounds, sizeof(double));
  double *floor = calloc((size_t)rounds, sizeof(double));
  double *ratio = calloc((size_t)rounds, sizeof(double));
  for (int r = 0; r < rounds; ++r) {
    for (int k = 0; k < runs; ++k) program[r] += RunOnce(argv[4]);
    for (int k = 0; k < runs; ++k) floor[r] += RunOnce(argv[5]);
    ratio[r] = floor[r] > 0 ? program[r] / floor[r] : 0;
  }
  printf("%.6f %.6f %.3f\n", Median(program, rounds) / runs, Median(floor, rounds) / runs,
         Median(ratio, rounds));
  return 0;
}
