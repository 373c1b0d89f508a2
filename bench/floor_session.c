/* The least a session can cost: read all of standard input, then write the lines that
 * tage writes for 1. 3. 2020 to 5. 6. 2020, one write each. */
#include <string.h>
#include <unistd.h>

static const char *const lines[] = {
    "Geben Sie das erste Datum TT MM JJJJ ein, bestaetigen Sie jeweils mit ENTER: \n",
    "Tag: \n",
    "Monat: \n",
    "Jahr: \n",
    "\n",
    "\n",
    "Geben Sie das zweite Datum TT MM JJJJ ein, bestaetigen Sie jeweils mit ENTER: \n",
    "Tag: \n",
    "Monat: \n",
    "Jahr: \n",
    "Es sind 30 Tage bis zum ersten Monatsende vergangen.\n",
    "im Monat[3] kommen 30 Tage dazu.\n",
    "Zwischenstand: 60\n",
    "\n",
    "im Monat[4] kommen 31 Tage dazu.\n",
    "Zwischenstand: 91\n",
    "\n",
    "Es sind 91 Tage bis zum Ende dieses Monats vergangen.\n",
    "\n",
    "Vom 1. 3. 2020 bis 5. 6. 2020 sind 96 Tage vergangen.\n",
    "\n",
    "Vom 1. 3. 2020 bis 5. 6. 2020 sind 96 Tage vergangen.\n",
};

int main(void) {
  char buffer[65536];
  while (read(0, buffer, sizeof buffer) > 0) {
  }
  for (size_t i = 0; i < sizeof lines / sizeof lines[0]; ++i) {
    if (write(1, lines[i], strlen(lines[i])) < 0) return 1;
  }
  /* tage closes standard output to see any error that shows only then. */
  return close(1) != 0;
}
