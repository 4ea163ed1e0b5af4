#include "app/ShellVerb.h"

#include "app/RegistryKey.h"
#include "framework/StringUtils.h"

namespace {

// The file type named by the extension's key, naming it "<ext>file" when it has none
// (only when Write is set). Empty when Ext is empty or its key cannot be made.
std::string FileTypeOf(const std::string& Ext, bool Write) {
  std::string E = Trim(Ext);
  if (E.empty()) return {};
  if (E.front() != '.') E.insert(0, ".");
  const std::string DefaultType = E.substr(1) + "file";
  TRegistryKey Key;
  if (!Key.Open(HKEY_CLASSES_ROOT, E, true)) return {};
  const std::string Type = Key.ReadString("").value_or(std::string());
  if (!Type.empty()) return Type;
  if (Write) Key.WriteString("", DefaultType);
  return DefaultType;
}

}  // namespace

bool AddShellVerb(const std::string& ProgramPath, const std::string& Verb, const std::string& Ext) {
  const std::string Type = FileTypeOf(Ext, true);
  if (Type.empty()) return false;
  TRegistryKey Command;
  if (!Command.Open(HKEY_CLASSES_ROOT, Type + "\\Shell\\" + Verb + "\\command", true)) return false;
  return Command.WriteString("", ProgramPath + " \"%L\"");
}

void RemoveShellVerb(const std::string& Verb, const std::string& Ext) {
  const std::string Type = FileTypeOf(Ext, false);
  if (!Type.empty()) TRegistryKey::DeleteKeyTree(HKEY_CLASSES_ROOT, Type + "\\Shell\\" + Verb);
}
