/* The least the one-write-per-line rule can cost for a long span: the whole-year lines
 * of 1. 1. 1000 to 1. 1. 1001000, already formatted, handed to write alone one by one.
 * Each write carries as many bytes as tage's line for that year; what the bytes say
 * does not matter to the system call, so they come from one buffer. */
#include <string.h>
#include <unistd.h>

/* The number of decimal digits of a growing value, kept up to date without division. */
struct width {
  size_t digits;
  long long next_power; /* the smallest value with one digit more */
};

static size_t widen(struct width *width, long long value) {
  if (value >= width->next_power) {
    ++width->digits;
    width->next_power *= 10;
  }
  return width->digits;
}

static int is_leap(int year) {
  int leap = year % 4 == 0;
  if (year % 100 == 0) leap = 0;
  if (year % 1000 == 0) leap = 1;
  return leap;
}

int main(void) {
  /* "Inklusive " and " sind es " and " Tage.\n" around the two numbers. */
  const size_t fixed = strlen("Inklusive ") + strlen(" sind es ") + strlen(" Tage.\n");
  char line[64];
  memset(line, '7', sizeof line);
  struct width year_width = {4, 10000}, total_width = {3, 1000};
  long long total = 365; /* the rest of 1. 1. 1000, a leap year here */
  for (int year = 1001; year < 1001000; ++year) {
    total += is_leap(year) ? 366 : 365;
    const size_t size = fixed + widen(&year_width, year) + widen(&total_width, total);
    if (write(1, line, size) < 0) return 1;
  }
  /* tage closes standard output to see any error that shows only then. */
  return close(1) != 0;
}
