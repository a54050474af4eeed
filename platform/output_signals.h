// Writing to an output that is gone must not end the tool.
#pragma once

// Makes a failed write to standard output or to a file an ordinary failed
// write: a reader of standard output that went away, or a file past the
// process's size limit, would otherwise end the process with a signal on
// a POSIX system. The tool calls it once at its start.
void keep_running_when_output_fails();
