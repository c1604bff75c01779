#include "app/Console.h"

// In the browser the console is the page's text area, which stays: there is
// no key to wait for before the page would close.
void waitForKeyPress() {}
