// Text on the console. "Native" text is UTF-8: file names arrive that way
// (on Linux as the system's bytes, on Windows from the wide command line and
// the wide calls), and the program's string table is turned into it. Each
// system shows it as its console can.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace toridasu::cli {

// The string table's and the engine's texts are Shift-JIS: to native.
std::string NativeFromShiftJis(std::string_view shiftJis);
// The full reading's texts are UTF-8: to native.
std::string NativeFromUtf8(std::string_view utf8);

// Writes native text to stderr or stdout. On Windows a console shows every
// character (it takes UTF-16); elsewhere (a pipe, a file) the text goes out
// in the console's code page, or the ANSI code page without a console, with
// "?" for a character the code page lacks.
void WriteNative(std::FILE* stream, std::string_view text);
bool IsTerminal(std::FILE* stream);
// Columns that native text takes on a terminal (a double-width character two).
std::size_t DisplayWidth(std::string_view text);

// When the program has a console window of its own (it was started from
// Explorer, by drawings dropped on it, and is the window's only process),
// shows `prompt` and waits for a key, so that the user can read what was
// printed before the window closes. Started from a console or a script, or
// on Linux, it returns at once.
void HoldOwnConsoleWindow(const std::string& prompt);

// Standard input and output in binary mode, so bytes pass unchanged.
void UseBinaryStreams();

}  // namespace toridasu::cli
