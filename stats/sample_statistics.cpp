#include "stats/sample_statistics.h"
