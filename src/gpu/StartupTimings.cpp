#include "gpu/StartupTimings.h"

StartupTimings& startupTimings()
{
    static StartupTimings timings;
    return timings;
}
