#include "engine/ems.h"

ThreadHandle RS232COMThreadHandle = nullptr;
ThreadHandle RefreshUIThreadHandle = nullptr;
std::atomic<int> RS232COMThreadStop{0};
std::atomic<int> RefreshUIThreadStop{0};
std::atomic<int> RS232COMThreadStatue{0};
std::atomic<int> RefreshUIThreadStatue{0};

void InitThread() {
    if (!RefreshUIThreadHandle) {
        RefreshUIThreadStop = 0;
        RefreshUIThreadStatue = 0;
        RefreshUIThreadHandle = CreateThread(RefreshUIThread, nullptr);
    }
    if (!RS232COMThreadHandle) {
        RS232COMThreadStop = 0;
        RS232COMThreadStatue = 0;
        RS232COMThreadHandle = CreateThread(RS232COMThread, nullptr);
    }
}

int RS232COMThread(void *) {
    while (RS232COMThreadStop == 0) {
        ThreadCheckpoint();
        Sleep(100);
    }
    RS232COMThreadStatue = 1;
    return 0;
}

int RefreshUIThread(void *) {
    while (RefreshUIThreadStop == 0) {
        Sleep(200);
    }
    RefreshUIThreadStatue = 1;
    return 0;
}
