// The printers of the system's print service (CUPS), as the print dialog
// offers them, and the way their list is read: `lpstat -a` started with an
// argument vector, never through a shell.
#pragma once

#include <string>
#include <vector>

#include "kit/app/SupportDefs.h"

namespace BPrivate {

// Starts argv[0] (looked up in PATH) and collects what it writes to its
// standard output (standard error is dropped). B_OK when the program ran and
// exited with status 0; output holds what was written either way.
status_t capture_output(const std::vector<std::string>& argv, std::string* output);

// The printer names in the output of `lpstat -a`: the first word of every
// line that does not start with a blank.
std::vector<std::string> parse_printer_list(const std::string& lpstatOutput);

// The printers accepting jobs now; empty without a print service.
std::vector<std::string> list_printers();

} // namespace BPrivate
