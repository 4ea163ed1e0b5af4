// The Explorer context-menu verb on our audio file types (HKEY_CLASSES_ROOT).
#pragma once

#include <string>

// Writes <type>\Shell\<Verb>\command = "<ProgramPath> "%L"" for the type of Ext,
// first naming the type "<ext>file" when the extension has none. False when Ext is
// empty or the command could not be written.
bool AddShellVerb(const std::string& ProgramPath, const std::string& Verb, const std::string& Ext);
// Deletes <type>\Shell\<Verb> with everything below it.
void RemoveShellVerb(const std::string& Verb, const std::string& Ext);
