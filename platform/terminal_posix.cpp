#include "platform/terminal.h"

#include <unistd.h>

namespace tavkonv40 {

bool isTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

}  // namespace tavkonv40
