#include "stats/distributions.h"
