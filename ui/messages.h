// Messages of the form layer on top of the platform's own.
#pragma once

#include <windows.h>

namespace toridasu::ui {

// A platform message handed back to the control it concerns, under its own
// number plus this base: key messages before the platform sees them (the
// event loop's keyboard pre-dispatch), and the notifications and colour
// requests that a parent receives for a child.
constexpr UINT kCnBase = 0xBC00;
constexpr UINT kCnKeyDown = kCnBase + WM_KEYDOWN;
constexpr UINT kCnKeyUp = kCnBase + WM_KEYUP;
constexpr UINT kCnChar = kCnBase + WM_CHAR;
constexpr UINT kCnSysKeyDown = kCnBase + WM_SYSKEYDOWN;
constexpr UINT kCnSysChar = kCnBase + WM_SYSCHAR;
constexpr UINT kCnCommand = kCnBase + WM_COMMAND;
constexpr UINT kCnCtlColorMsgBox = kCnBase + WM_CTLCOLORMSGBOX;
constexpr UINT kCnCtlColorStatic = kCnBase + WM_CTLCOLORSTATIC;

// Notices of the form layer itself.
constexpr UINT kCmBase = 0xB000;
constexpr UINT kCmMouseEnter = kCmBase + 19;
constexpr UINT kCmMouseLeave = kCmBase + 20;
// Posted by ApplicationWindow to itself after it received the focus.
constexpr UINT kCmApplicationFocus = kCmBase + 64;

// Keys that arrive with Alt held carry this bit in their key data.
constexpr LPARAM kAltDownBit = 0x20000000;

}  // namespace toridasu::ui
