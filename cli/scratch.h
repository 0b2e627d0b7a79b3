// Where the converter builds a workbook before it copies it to its output:
// the system's folder for temporary files, under a name that the C library
// that writes workbooks opens as it stands (on Windows, in the ANSI code
// page: the folder's short name where its long one has other characters).
#pragma once

#include <string>

namespace toridasu::cli {

std::string ScratchFolder();
// The process's number, which keeps scratch names of two converters apart.
unsigned long ProcessNumber();
// A name in `folder` for one workbook, unused by this process and others.
std::string ScratchName(const std::string& folder);

}  // namespace toridasu::cli
