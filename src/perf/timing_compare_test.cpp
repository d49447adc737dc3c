#include "perf/timing_compare.h"

#include <gtest/gtest.h>
