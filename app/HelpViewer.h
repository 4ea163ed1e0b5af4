// The compiled help viewer, loaded from the system folder on first use.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Raises an Exception when the viewer library or its entry is missing.
HWND HtmlHelp(HWND Window, const std::string& FileAndTopic, UINT Command, uintptr_t Data);
// "<program>.chm::/<topic in lower case>.htm", the form every help button uses.
std::string HelpTopicPath(const std::string& Topic);
// Displays that topic (command 0).
void ShowHelpTopic(HWND Window, const std::string& Topic);
