#include "app/Console.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>

void waitForKeyPress()
{
    if (!isatty(STDIN_FILENO))
        return;
    std::cout << "Press any key to continue . . ." << std::flush;

    termios saved{};
    const bool haveSettings = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (haveSettings) {
        termios raw = saved;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    char key = 0;
    const ssize_t got = read(STDIN_FILENO, &key, 1);
    (void)got;
    if (haveSettings)
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    std::cout << std::endl;
}
