// The real serial backend: POSIX termios devices, USB adapters and pseudo-terminals alike.
#pragma once

#include "platform/rs232lib.h"

SerialBackend &PosixSerialBackend();
