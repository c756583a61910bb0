// Helper processes (the simulator in demo mode).
#pragma once

#include <string>
#include <vector>

// The folder holding the running executable.
std::string ExecutableDir();

// Starts program with args, waits up to timeoutMs for a standard-output line starting
// with prefix and returns it in line. Returns the process id, or -1 with a reason in line.
int StartHelperProcess(const std::string &program, const std::vector<std::string> &args,
                       const std::string &prefix, int timeoutMs, std::string *line);
// Asks the process to end (SIGTERM), then waits for it.
void StopHelperProcess(int pid);
