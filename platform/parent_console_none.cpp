// POSIX systems give every program the standard streams of the terminal or
// of the redirection it was started with.
#include "platform/parent_console.h"

void attach_parent_console() {}
