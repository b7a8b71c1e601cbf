// Whether a standard stream is connected to a terminal (colour, the progress display).
#pragma once

#include <cstdio>

namespace tavkonv40 {

bool isTerminal(std::FILE* stream);

}  // namespace tavkonv40
