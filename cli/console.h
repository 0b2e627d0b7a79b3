// Text on the console. "Native" text is UTF-8 on Linux and the ANSI code
// page (Shift-JIS) on Windows: file names arrive that way and are shown that
// way, and the program's string table is turned into it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace toridasu::cli {

// The string table's and the engine's texts are Shift-JIS: to native.
std::string NativeFromShiftJis(std::string_view shiftJis);
// The full reading's texts are UTF-8: to native (a character that the ANSI
// code page lacks shows as "?").
std::string NativeFromUtf8(std::string_view utf8);
// What the user typed (layer names) in UTF-8, as the full reading's texts
// are; bytes that the ANSI code page does not define become U+FFFD.
std::string Utf8FromNative(std::string_view native);

// Writes native text to stderr or stdout, through the console's own code
// page when the stream is a Windows console.
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
