// Frame transmit and receive on the open port.
#pragma once

#include <atomic>

extern std::atomic<int> query_enable_flag; // 1 = read requests may be built
