// Run-time services of the platform layer: threads, pause/resume, sleep, clock.
#pragma once

#include <functional>

struct PlatformThread;
using ThreadHandle = PlatformThread *; // nullptr: no thread
using ThreadFunctionPtr = int (*)(void *);

// Starts fn(data) on a new thread at once. nullptr if the thread cannot be created.
ThreadHandle CreateThread(ThreadFunctionPtr fn, void *data);
// Asks the thread to pause at its next checkpoint and waits until it has (or has ended).
// Called on the UI thread, the wait keeps serving popups raised meanwhile.
int SuspendThread(ThreadHandle thread);
int ResumeThread(ThreadHandle thread);
// Called by a thread's loop where it may be paused (the top of each pass).
void ThreadCheckpoint();
// Waits for the thread's function to return and frees the handle. Returns its result.
int ReleaseThread(ThreadHandle thread);

void Sleep(int milliseconds);
// Tests on a virtual clock make Sleep advance that clock instead; empty restores.
void SetSleepHook(std::function<void(int)> hook);

// Monotonic elapsed time in milliseconds. Tests may swap in a clock of their own;
// an empty function restores the real one.
long long MonotonicClockMs();
void SetClockSource(std::function<long long()> source);
