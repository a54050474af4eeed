// The tool's version, set once by the build from the project's version.
#pragma once

extern const char* const tool_version;
