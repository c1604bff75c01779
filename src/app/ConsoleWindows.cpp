#include "app/Console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

// The game's lines end in "\n" alone, as on Linux: the console shows them the
// same, and what goes to a file or a pipe is byte for byte what Linux writes
// instead of having each line end turned into "\r\n".
const bool linuxLineEnds = _setmode(_fileno(stdout), _O_BINARY) != -1 && _setmode(_fileno(stderr), _O_BINARY) != -1;

} // namespace

// Windows: the console's own pause command prints its prompt and waits.
void waitForKeyPress()
{
    (void)linuxLineEnds;
    if (!_isatty(_fileno(stdin)))
        return;
    std::cout << std::flush;
    std::fflush(nullptr);
    const int status = std::system("PAUSE");
    (void)status;
}
