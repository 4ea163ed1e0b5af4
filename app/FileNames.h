// File-name routines shared by the windows and dialogs. Paths are UTF-8 with "\".
#pragma once

#include <string>
#include <vector>

std::string IncludeBackslash(const std::string& Path);
// The path without the extension of its file-name part.
std::string StripFileExt(const std::string& Path);
// Folder + FileName, or folder + "name(N).ext" for the first N from 1 whose file does
// not exist yet (N stops at 32767).
std::string MakeUniqueFileName(const std::string& FileName, const std::string& Folder);
// Every \ / : * ? " < > | replaced by Replacement.
std::string ReplaceInvalidFileChars(const std::string& Name, const std::string& Replacement);
// 1-based position of the first blank, or the length of the text when there is none.
int FirstSpacePos(const std::string& Text);

// The audio extensions the editor opens, with their dots, in menu order.
const std::vector<std::string>& SupportedAudioExts();
// Ext includes its dot; compared in lower case.
bool IsSupportedAudioExt(const std::string& Ext);
// The open dialogs' filter: every supported extension, then each kind of file.
const char* AudioFilesFilter();

// The program file's path and folder (with a trailing backslash).
std::string ProgramPath();
std::string ProgramFolder();
