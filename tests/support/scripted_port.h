// A serial port played from a script, on a virtual clock: bytes become readable at the
// times they are scheduled for, writes are recorded, failures can be injected.
#pragma once

#include "platform/rs232lib.h"
#include "platform/runtime.h"

#include <deque>
#include <mutex>
#include <vector>

class VirtualClock {
  public:
    VirtualClock() {
        SetClockSource([this] { return now(); });
        SetSleepHook([this](int ms) { advance(ms); });
    }
    ~VirtualClock() {
        SetClockSource(nullptr);
        SetSleepHook(nullptr);
    }
    long long now() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return now_;
    }
    void advance(long long ms) {
        std::lock_guard<std::mutex> lock(mutex_);
        now_ += ms;
    }

  private:
    mutable std::mutex mutex_;
    long long now_ = 1000;
};

class ScriptedPort : public SerialBackend {
  public:
    using Bytes = std::vector<unsigned char>;

    ScriptedPort() { SetSerialBackend(this); }
    ~ScriptedPort() override { SetSerialBackend(nullptr); }

    // Bytes that arrive at virtual time atMs (MonotonicClockMs).
    void arrive(long long atMs, const Bytes &bytes) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (unsigned char b : bytes)
            pending_.push_back({atMs, b});
    }

    int open(int port, const char *, long baud, int parity, int dataBits, int stopBits, int,
             int) override {
        std::lock_guard<std::mutex> lock(mutex_);
        opens.push_back({port, baud, parity, dataBits, stopBits});
        if (openResult != 0)
            return openResult;
        openPort = port;
        return 0;
    }
    int close(int port) override {
        std::lock_guard<std::mutex> lock(mutex_);
        closes.push_back(port);
        if (closeResult != 0)
            return closeResult;
        if (port == openPort)
            openPort = 0;
        return 0;
    }
    int write(int port, const char *buffer, int count) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (port != openPort)
            return RS232_ERR_NOT_OPEN;
        writes.emplace_back(buffer, buffer + count);
        writeTimes.push_back(MonotonicClockMs());
        if (shortWrites > 0) {
            --shortWrites;
            return count / 2;
        }
        return count;
    }
    int read(int port, char *buffer, int count) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (port != openPort)
            return RS232_ERR_NOT_OPEN;
        if (failReads > 0) {
            --failReads;
            return RS232_ERR_IO;
        }
        int n = 0;
        long long now = MonotonicClockMs();
        while (n < count && !pending_.empty() && pending_.front().at <= now) {
            buffer[n++] = static_cast<char>(pending_.front().byte);
            pending_.pop_front();
        }
        return n;
    }
    int inputQueueLength(int port) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (port != openPort)
            return RS232_ERR_NOT_OPEN;
        long long now = MonotonicClockMs();
        int n = 0;
        for (const auto &p : pending_)
            if (p.at <= now)
                ++n;
        return n;
    }
    int flushInput(int) override {
        std::lock_guard<std::mutex> lock(mutex_);
        ++inputFlushes;
        long long now = MonotonicClockMs();
        while (!pending_.empty() && pending_.front().at <= now)
            pending_.pop_front();
        return 0;
    }
    int flushOutput(int) override {
        std::lock_guard<std::mutex> lock(mutex_);
        ++outputFlushes;
        return 0;
    }
    int setTimeout(int, double seconds) override {
        std::lock_guard<std::mutex> lock(mutex_);
        timeout = seconds;
        return timeoutResult;
    }

    struct Open {
        int port;
        long baud;
        int parity;
        int dataBits;
        int stopBits;
    };
    std::vector<Open> opens;
    std::vector<int> closes;
    std::vector<Bytes> writes;
    std::vector<long long> writeTimes;
    int openPort = 0;
    int openResult = 0;
    int closeResult = 0;
    int timeoutResult = 0;
    int shortWrites = 0; // the next writes accept only half the bytes
    int failReads = 0;   // the next reads fail
    int inputFlushes = 0;
    int outputFlushes = 0;
    double timeout = 0;

  private:
    struct Pending {
        long long at;
        unsigned char byte;
    };
    std::mutex mutex_;
    std::deque<Pending> pending_;
};
