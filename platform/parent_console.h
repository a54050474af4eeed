// Makes the standard output and error of a command-line run reach the
// terminal it was started from, with UTF-8 text shown as such.
//
// Windows starts a program built for the window subsystem without standard
// streams, even from a console; the program must attach to its parent's
// console itself. Streams redirected to a file or a pipe are kept as they
// are. Elsewhere the streams are already the terminal's and nothing is done.
#pragma once

void attach_parent_console();
