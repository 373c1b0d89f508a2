/* Times two commands by whole-process wall time, run alternately A B A B ... with standard
 * input from a file and standard output to /dev/null, and prints both medians and B / A.
 *
 *   alternate PAIRS INPUT A-PROGRAM B-PROGRAM
 */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

static double run_once(const char *program, const char *input) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input, O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  char *argv[] = {(char *)program, NULL};
  struct timespec start, end;
  clock_gettime(CLOCK_MONOTONIC, &start);
  pid_t pid;
  if (posix_spawn(&pid, program, &actions, NULL, argv, environ) != 0) {
    perror(program);
    exit(2);
  }
  int status;
  waitpid(pid, &status, 0);
  clock_gettime(CLOCK_MONOTONIC, &end);
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    fprintf(stderr, "%s failed\n", program);
    exit(2);
  }
  return (double)(end.tv_sec - start.tv_sec) + (double)(end.tv_nsec - start.tv_nsec) * 1e-9;
}

static int compare(const void *a, const void *b) {
  const double x = *(const double *)a, y = *(const double *)b;
  return (x > y) - (x < y);
}

static double median(double *values, int count) {
  qsort(values, (size_t)count, sizeof *values, compare);
  return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

int main(int argc, char **argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: %s PAIRS INPUT A-PROGRAM B-PROGRAM\n", argv[0]);
    return 2;
  }
  const int pairs = atoi(argv[1]);
  double *a = malloc(sizeof(double) * (size_t)pairs), *b = malloc(sizeof(double) * (size_t)pairs);
  run_once(argv[3], argv[2]); /* warm the page cache for both */
  run_once(argv[4], argv[2]);
  for (int i = 0; i < pairs; ++i) {
    a[i] = run_once(argv[3], argv[2]);
    b[i] = run_once(argv[4], argv[2]);
  }
  const double median_a = median(a, pairs), median_b = median(b, pairs);
  printf("%.6f s %.6f s %.3f\n", median_a, median_b, median_b / median_a);
  free(a);
  free(b);
  return 0;
}
