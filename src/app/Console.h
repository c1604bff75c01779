#pragma once

// Before a failed start ends the process the console waits for a key, so a
// player who started the game from a desktop shortcut can read the message.
// Only when standard input is a terminal: automated runs never wait.
void waitForKeyPress();
