#include "platform/runtime.h"
#include "platform/userint.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct PlatformThread {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable resume;
    bool pauseRequested = false;
    std::atomic<bool> paused{false};
    std::atomic<bool> finished{false};
    int result = 0;
};

namespace {
thread_local PlatformThread *currentThread = nullptr;
std::mutex clockMutex;
std::function<long long()> clockSource;
std::function<void(int)> sleepHook;
} // namespace

ThreadHandle CreateThread(ThreadFunctionPtr fn, void *data) {
    auto *handle = new PlatformThread();
    try {
        handle->thread = std::thread([handle, fn, data] {
            currentThread = handle;
            handle->result = fn(data);
            handle->finished = true;
        });
    } catch (const std::system_error &) {
        delete handle;
        return nullptr;
    }
    return handle;
}

int SuspendThread(ThreadHandle thread) {
    if (!thread)
        return -1;
    {
        std::lock_guard<std::mutex> lock(thread->mutex);
        thread->pauseRequested = true;
    }
    auto settled = [thread] { return thread->paused.load() || thread->finished.load(); };
    if (IsUserInterfaceThread()) {
        WaitOnUserInterface(settled);
    } else {
        while (!settled())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

int ResumeThread(ThreadHandle thread) {
    if (!thread)
        return -1;
    {
        std::lock_guard<std::mutex> lock(thread->mutex);
        thread->pauseRequested = false;
    }
    thread->resume.notify_all();
    return 0;
}

void ThreadCheckpoint() {
    PlatformThread *self = currentThread;
    if (!self)
        return;
    std::unique_lock<std::mutex> lock(self->mutex);
    if (!self->pauseRequested)
        return;
    self->paused = true;
    self->resume.wait(lock, [self] { return !self->pauseRequested; });
    self->paused = false;
}

int ReleaseThread(ThreadHandle thread) {
    if (!thread)
        return -1;
    if (thread->thread.joinable())
        thread->thread.join();
    int result = thread->result;
    delete thread;
    return result;
}

void Sleep(int milliseconds) {
    std::function<void(int)> hook;
    {
        std::lock_guard<std::mutex> lock(clockMutex);
        hook = sleepHook;
    }
    if (hook)
        hook(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SetSleepHook(std::function<void(int)> hook) {
    std::lock_guard<std::mutex> lock(clockMutex);
    sleepHook = std::move(hook);
}

long long MonotonicClockMs() {
    {
        std::lock_guard<std::mutex> lock(clockMutex);
        if (clockSource)
            return clockSource();
    }
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SetClockSource(std::function<long long()> source) {
    std::lock_guard<std::mutex> lock(clockMutex);
    clockSource = std::move(source);
}
