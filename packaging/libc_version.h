// Compiled with -dM -E: the version macros of the C library that the program links.
#include <features.h>
