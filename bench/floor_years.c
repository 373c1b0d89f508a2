/* The least a long span can cost: one whole-year line per year from 1001 to 1000999, each
 * formatted with snprintf and handed to write alone, with the same running total. */
#include <stdio.h>
#include <unistd.h>

static int is_leap(int year) {
  int leap = year % 4 == 0;
  if (year % 100 == 0) leap = 0;
  if (year % 1000 == 0) leap = 1;
  return leap;
}

int main(void) {
  char line[128];
  long long total = 365; /* the rest of 1. 1. 1000, a leap year here */
  for (int year = 1001; year < 1001000; ++year) {
    total += is_leap(year) ? 366 : 365;
    const int size = snprintf(line, sizeof line, "Inklusive %d sind es %lld Tage.\n", year, total);
    if (write(1, line, (size_t)size) < 0) return 1;
  }
  /* tage closes standard output to see any error that shows only then. */
  return close(1) != 0;
}
