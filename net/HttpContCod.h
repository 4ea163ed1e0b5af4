// Content codings of the web client: what it announces in Accept-Encoding and
// the chain of decoders a response body passes through.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/Delegate.h"
#include "framework/Streams.h"

namespace sonvelt::net {

using THttpWriteEvent = TDelegate<void(const void* Buffer, int Count)>;

class THttpContentCoding {
public:
  explicit THttpContentCoding(THttpWriteEvent output) : Output(output) {}
  virtual ~THttpContentCoding() = default;
  virtual void Complete() {}
  virtual void WriteBuffer(const void* buffer, int count) = 0;

protected:
  THttpWriteEvent Output;
};

// The registered codings pass their data on unchanged.
class THttpCCodIdentity : public THttpContentCoding {
public:
  using THttpContentCoding::THttpContentCoding;
  void WriteBuffer(const void* buffer, int count) override { Output(buffer, count); }
};

class THttpCCodStar : public THttpCCodIdentity {
public:
  using THttpCCodIdentity::THttpCCodIdentity;
};

struct TContCodingEntry {
  std::string Coding;
  std::unique_ptr<THttpContentCoding> (*Create)(THttpWriteEvent output);
  bool (*IsAvailable)();
  float Quality;
};

class TContCodingsList {
public:
  void Register(const TContCodingEntry& entry) { Entries.push_back(entry); }
  const TContCodingEntry* FindCoding(const std::string& name) const;  // last registered first
  const std::vector<TContCodingEntry>& GetEntries() const { return Entries; }

private:
  std::vector<TContCodingEntry> Entries;
};

TContCodingsList& ContentCodingsRegistry();

struct THttpContCodItem {
  const TContCodingEntry* Entry;
  bool Enabled = true;
  float Quality;
};

class THttpContCodHandler {
public:
  THttpContCodHandler(TStream** outputStream, THttpWriteEvent docData);
  std::string HeaderText();
  bool Prepare(const std::string& contentEncoding);
  void WriteInput(const void* buffer, int count) { Input(buffer, count); }
  void Complete();
  void ClearChain();
  bool GetEnabled() const { return Enabled; }
  void SetEnabled(bool value) { Enabled = value; }
  bool GetUseQuality() const { return UseQuality; }
  void SetUseQuality(bool value);
  std::vector<THttpContCodItem>& GetItems() { return Items; }

private:
  void WriteOut(const void* buffer, int count);
  TStream** OutputStream;
  THttpWriteEvent DocData;
  THttpWriteEvent Input;
  std::string CachedHeader;
  bool Recalc = true;
  bool Enabled = false;
  bool UseQuality = false;
  std::vector<std::unique_ptr<THttpContentCoding>> Chain;
  std::vector<THttpContCodItem> Items;
};

}  // namespace sonvelt::net
