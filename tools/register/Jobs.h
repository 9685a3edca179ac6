// The transcoder's two jobs: describing a source (probe) and converting one input to one
// output. Each returns the process exit code.
#pragma once

#include "tools/register/CommandLine.h"

#include <string>

namespace reg {

int runProbe(const std::string& source);
int runConversion(const CommandLine& commandLine);

// "register.dat: " + text + newline on standard error.
void say(const std::string& text);
// Writes all bytes to a descriptor (retrying short writes); false on error.
bool writeAll(int fd, const char* data, size_t length);

} // namespace reg
