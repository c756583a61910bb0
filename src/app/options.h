// Command line of qentool.
#pragma once

#include <string>
#include <vector>

struct AppOptions {
    std::vector<std::string> ports; // --port DEVICE, in order
    bool connect = false;           // --connect
    bool demo = false;              // --demo
    bool help = false;
};

// false with a message in error when the command line is not understood.
bool ParseOptions(int argc, char *argv[], AppOptions *options, std::string *error);
const char *UsageText();

// Set before WinMain: press "Configure" once the window is up.
extern bool connectAtStart;
