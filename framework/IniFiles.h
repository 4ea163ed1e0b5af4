// INI-style stores: TCustomIniFile is the common interface (sections of name=value
// pairs, typed reads with defaults); TIniFile goes through the system's INI file
// functions; TMemIniFile keeps the whole file in memory and writes it back on
// UpdateFile (through a temporary file); TRegistryIniFile (RegistryIniFile.h) keeps
// sections as registry keys.
//
//   TMemIniFile* Ini = TMemIniFile::Create(FileName);
//   int X = Ini->ReadInteger("Bar1", "Left", 0);  Ini->WriteString("Bar1", "Caption", "File");
//   Ini->UpdateFile();  Free(Ini);
#pragma once

#include <memory>
#include <string>

#include "framework/DateTime.h"
#include "framework/Object.h"

class TStream;
class TStrings;
class TStringList;

class TCustomIniFile : public TObject {
  SONVELT_CLASS(TCustomIniFile, TObject)
public:
  explicit TCustomIniFile(std::string AFileName) : FFileName(std::move(AFileName)) {}
  TCustomIniFile(const TCustomIniFile&) = delete;
  TCustomIniFile& operator=(const TCustomIniFile&) = delete;

  const std::string& GetFileName() const { return FFileName; }
  bool SectionExists(const std::string& Section);
  virtual bool ValueExists(const std::string& Section, const std::string& Ident);
  virtual std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) = 0;
  virtual void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) = 0;
  // Decimal or hexadecimal ("0x1F", "$1F"); Default when missing or not a number.
  virtual int ReadInteger(const std::string& Section, const std::string& Ident, int Default);
  virtual void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
  virtual bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);  // "0" is false
  virtual void WriteBool(const std::string& Section, const std::string& Ident, bool Value);   // "1"/"0"
  virtual double ReadFloat(const std::string& Section, const std::string& Ident, double Default);
  virtual void WriteFloat(const std::string& Section, const std::string& Ident, double Value);
  virtual TDateTime ReadDateTime(const std::string& Section, const std::string& Ident, TDateTime Default);
  virtual void WriteDateTime(const std::string& Section, const std::string& Ident, TDateTime Value);
  // Binary data as hexadecimal text (a registry store keeps a binary value); the bytes
  // are written to Value from its position; the number of bytes read (0 when missing or
  // not hexadecimal).
  virtual int ReadBinaryStream(const std::string& Section, const std::string& Name, TStream* Value);
  virtual void WriteBinaryStream(const std::string& Section, const std::string& Name, TStream* Value);
  virtual void ReadSection(const std::string& Section, TStrings* Strings) = 0;    // the names
  virtual void ReadSections(TStrings* Strings) = 0;
  virtual void ReadSectionValues(const std::string& Section, TStrings* Strings);  // name=value lines
  virtual void EraseSection(const std::string& Section) = 0;
  virtual void DeleteKey(const std::string& Section, const std::string& Ident) = 0;
  virtual void UpdateFile() = 0;

protected:
  void SetFileName(std::string Value) { FFileName = std::move(Value); }

private:
  std::string FFileName;
};

class TIniFile : public TCustomIniFile {
  SONVELT_CLASS(TIniFile, TCustomIniFile)
public:
  using TCustomIniFile::TCustomIniFile;
  ~TIniFile() override;
  std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) override;
  // EIniFileException "Unable to write to %s" when the file cannot be written.
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
  void ReadSection(const std::string& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const std::string& Section, TStrings* Strings) override;
  void EraseSection(const std::string& Section) override;
  void DeleteKey(const std::string& Section, const std::string& Ident) override;
  void UpdateFile() override;  // flushes the system's cache
};

class TMemIniFile : public TCustomIniFile {
  SONVELT_CLASS(TMemIniFile, TCustomIniFile)
public:
  // Loads FileName when it exists; an empty name gives an empty store.
  explicit TMemIniFile(std::string AFileName);
  ~TMemIniFile() override;

  std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) override;
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
  void ReadSection(const std::string& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const std::string& Section, TStrings* Strings) override;
  void EraseSection(const std::string& Section) override;
  void DeleteKey(const std::string& Section, const std::string& Ident) override;
  void UpdateFile() override;  // EFCreateError when the file cannot be written
  void Clear();
  // The whole store as INI lines, and back.
  void GetStrings(TStrings* List);
  void SetStrings(TStrings* List);
  void Rename(const std::string& FileName, bool Reload);
  bool GetCaseSensitive() const;
  void SetCaseSensitive(bool Value);

private:
  TStringList* FindSection(const std::string& Section) const;
  TStringList* AddSection(const std::string& Section);
  void LoadValues();
  TStringList* FSections;  // section names, each with its TStringList of lines
};
