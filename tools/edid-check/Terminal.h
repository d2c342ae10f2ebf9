#pragma once

#include <cstdio>

namespace edidcheck {

/// True when the stream is an interactive terminal.
bool isTerminal(std::FILE* stream);

/// True when coloured text suits stdout: it is a terminal, NO_COLOR is unset or empty, and
/// (on Windows) the console accepts escape sequences.
bool stdoutWantsColour();

/// Switches stdin to binary mode, so that raw EDID bytes arrive unchanged (Windows only).
void useBinaryStdin();

}  // namespace edidcheck
