#include "serial/rs232.h"

std::atomic<int> query_enable_flag{0};
