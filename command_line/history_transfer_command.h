// The history between stores: --import adds reports and history files to
// the store, --export-history writes one site's whole history to a file.
#pragma once

#include "survey/translatable.h"

struct Command_line;
struct Console;

// Imports the files and folders the options name; 0 when every file was
// read, 3 when one was refused or the store could not be opened.
int run_import_command(const Command_line& options, const Console& console, Translate words = as_written);

// Writes the site's history file; 0, or 3 when the store cannot be read,
// does not know the site, or the file cannot be written.
int run_export_command(const Command_line& options, const Console& console, Translate words = as_written);
