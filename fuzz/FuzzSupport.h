// What every fuzz target needs: a private program folder with "defs" and
// "templates", and the bytes of one run written into a file there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The folder (made once per process) that path2app points into; standard
// output is silenced so that diagnostics do not slow the run down.
const std::string& FuzzProgramFolder();

class STOrder;

// Opens project `name` in the program folder with three workers (ids 1, 2
// with multiuse, 3 without hours) of the given week, the first also carrying
// firstWorkerDays ("[UD]"/"[IL]" lines), and an empty order file. The
// ready-hole warning is switched off (it would open an alert per input).
STOrder* OpenFuzzWorkshop(const std::string& name, const std::string& week,
                          const std::string& firstWorkerDays = "");

// Writes the bytes to folder/name and returns the path.
std::string WriteFuzzFile(const std::string& folder, const std::string& name, const uint8_t* data,
                          size_t size);
