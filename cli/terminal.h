// What differs between the systems for a command-line program: how a
// Shift-JIS text reaches the terminal, and whether two names are one file.
#pragma once

#include <string>
#include <string_view>

namespace toridasu::cli {

// A Shift-JIS text (the program's messages) in the terminal's encoding.
std::string ToTerminalText(std::string_view shiftJis);

// True when both names are the same existing file (or the same name).
bool NamesSameFile(const std::string& a, const std::string& b);

// INPUT with its last extension replaced by ".csv". File names are
// Shift-JIS on Windows and UTF-8 on Linux, so each system cuts its own way.
std::string DefaultOutputName(const std::string& input);

// Standard input and output in binary mode, so bytes pass unchanged.
void UseBinaryStreams();

}  // namespace toridasu::cli
