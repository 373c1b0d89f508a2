/* The least a long number can cost: read standard input in 64 KiB blocks and fold every
 * digit into a 32-bit value. */
#include <stdint.h>
#include <stdio.h>
#include <unistd.h>

int main(void) {
  static unsigned char buffer[65536];
  uint32_t value = 0;
  ssize_t got;
  while ((got = read(0, buffer, sizeof buffer)) > 0) {
    for (ssize_t i = 0; i < got; ++i) {
      if (buffer[i] >= '0' && buffer[i] <= '9') value = value * 10u + (uint32_t)(buffer[i] - '0');
    }
  }
  /* Written out, so that the fold cannot be optimised away. */
  char line[16];
  const int size = snprintf(line, sizeof line, "%u\n", (unsigned)value);
  if (write(1, line, (size_t)size) < 0) return 1;
  /* tage closes standard output to see any error that shows only then. */
  return close(1) != 0;
}
