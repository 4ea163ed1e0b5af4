#include "app/ShellVerb.h"

#include "framework/OwnedObject.h"
#include "framework/Registry.h"
#include "framework/Exceptions.h"
#include "framework/StringUtils.h"

#include <memory>

namespace {

TOwned<TRegistry> ClassesRoot() {
  TOwned<TRegistry> Reg = MakeOwned<TRegistry>();
  Reg->SetRootKey(HKEY_CLASSES_ROOT);
  return Reg;
}

// The file type named by the extension's key, naming it "<ext>file" when it has none
// (only when Write is set). Empty when Ext is empty or its key cannot be made; without
// Write a missing key is left missing.
std::string FileTypeOf(const std::string& Ext, bool Write) {
  std::string E = Trim(Ext);
  if (E.empty()) return {};
  if (E.front() != '.') E.insert(0, ".");
  const std::string DefaultType = E.substr(1) + "file";
  TOwned<TRegistry> Reg = ClassesRoot();
  if (!Reg->OpenKey("\\" + E, Write)) return {};
  const std::string Type = Reg->GetDataType("") == rdString ? Reg->ReadString("") : std::string();
  if (!Type.empty()) return Type;
  if (Write) Reg->WriteString("", DefaultType);
  return DefaultType;
}

}  // namespace

bool AddShellVerb(const std::string& ProgramPath, const std::string& Verb, const std::string& Ext) {
  // A verb that cannot be written (no rights on the classes key) is simply missing.
  try {
    const std::string Type = FileTypeOf(Ext, true);
    if (Type.empty()) return false;
    TOwned<TRegistry> Reg = ClassesRoot();
    if (!Reg->OpenKey("\\" + Type + "\\Shell\\" + Verb + "\\command", true)) return false;
    Reg->WriteString("", ProgramPath + " \"%L\"");
    return true;
  } catch (const Exception&) {
    return false;
  }
}

void RemoveShellVerb(const std::string& Verb, const std::string& Ext) {
  try {
    const std::string Type = FileTypeOf(Ext, false);
    if (!Type.empty()) ClassesRoot()->DeleteKey("\\" + Type + "\\Shell\\" + Verb);
  } catch (const Exception&) {
  }
}
