#include "bench_data.h"

const char* benchDataDir()
{
    return QUORLIN_SOURCE_DATA_DIR;
}
