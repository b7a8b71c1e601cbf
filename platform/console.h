// The command line's view of its process: arguments and standard streams.
#pragma once

#include <string>
#include <vector>

namespace tavkonv40 {

// The arguments without the program's name, as UTF-8 whatever the system's code page.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Makes the standard streams carry the program's bytes unchanged (no LF to CR LF translation)
// and lets a console show UTF-8 text and the escape sequences of colour and the progress line.
void prepareStandardStreams();

}  // namespace tavkonv40
