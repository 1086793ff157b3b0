// The invariant check of the fuzz targets: unlike assert it stays on in every build, and it
// names the broken promise before aborting, so libFuzzer saves the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                        \
  do {                                                                               \
    if (!(condition)) {                                                              \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__,      \
                   #condition);                                                      \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)
