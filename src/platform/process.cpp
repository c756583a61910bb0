#include "platform/process.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

std::string ExecutableDir() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    path[n] = '\0';
    std::string full(path);
    auto slash = full.find_last_of('/');
    return slash == std::string::npos ? "." : full.substr(0, slash);
}

int StartHelperProcess(const std::string &program, const std::vector<std::string> &args,
                       const std::string &prefix, int timeoutMs, std::string *line) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        *line = std::strerror(errno);
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const auto &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        *line = program + ": " + std::strerror(rc);
        return -1;
    }
    std::string pending;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0)
            break;
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            continue;
        char buffer[256];
        ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        pending.append(buffer, static_cast<size_t>(n));
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string text = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (text.rfind(prefix, 0) == 0) {
                *line = text;
                // The helper keeps writing to a pipe nobody reads: hand it to a thread
                // that drains it, so the helper never blocks on its output.
                std::thread([fd = out[0]] {
                    char sink[256];
                    while (read(fd, sink, sizeof sink) > 0) {
                    }
                    close(fd);
                }).detach();
                return pid;
            }
        }
    }
    close(out[0]);
    StopHelperProcess(pid);
    *line = program + " did not report its device";
    return -1;
}

void StopHelperProcess(int pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}
