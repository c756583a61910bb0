#include "modbus/link.h"

std::atomic<int> comConfigure_success_flag{0};
std::atomic<int> active_comselect{1};
