// Link state shared by the protocol and the serial layers.
#pragma once

#include <atomic>

extern std::atomic<int> comConfigure_success_flag; // 1 = port active_comselect is open
extern std::atomic<int> active_comselect;          // number of the port last opened
