// The transport's echo of its steps on the process's standard output. A
// front end that prints its own results there (the command-line survey)
// turns the echo off; the diagnostic log keeps the steps either way.
#pragma once

void set_console_echo(bool on);
// Writes `text` to standard output while the echo is on.
void echo_text(const char* text);
void echo_flush();
