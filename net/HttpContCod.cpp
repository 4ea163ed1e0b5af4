#include "net/HttpContCod.h"

#include <cstdio>

#include "net/MimeUtils.h"

namespace sonvelt::net {
namespace {

template <class C>
std::unique_ptr<THttpContentCoding> CreateCoding(THttpWriteEvent output) {
  return std::make_unique<C>(output);
}
bool Always() { return true; }

// The quality with "." as decimal separator whatever the locale: "0.###".
std::string QualityText(float q) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f", double(q));
  std::string s = buf;
  for (char& c : s)
    if (c == ',') c = '.';
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

}  // namespace

TContCodingsList& ContentCodingsRegistry() {
  static TContCodingsList registry = [] {
    TContCodingsList r;
    r.Register({"identity", &CreateCoding<THttpCCodIdentity>, &Always, 0.0f});
    r.Register({"*", &CreateCoding<THttpCCodStar>, &Always, 0.0f});
    return r;
  }();
  return registry;
}

const TContCodingEntry* TContCodingsList::FindCoding(const std::string& name) const {
  for (auto it = Entries.rbegin(); it != Entries.rend(); ++it)
    if (LowerCase(it->Coding) == LowerCase(name)) return &*it;
  return nullptr;
}

THttpContCodHandler::THttpContCodHandler(TStream** outputStream, THttpWriteEvent docData)
    : OutputStream(outputStream), DocData(docData) {
  Input = THttpWriteEvent(this, &THttpContCodHandler::WriteOut);
  for (const auto& e : ContentCodingsRegistry().GetEntries()) Items.push_back({&e, true, e.Quality});
}

void THttpContCodHandler::SetUseQuality(bool value) {
  if (value == UseQuality) return;
  UseQuality = value;
  Recalc = true;
}

std::string THttpContCodHandler::HeaderText() {
  if (!Enabled) return {};
  if (!Recalc) return CachedHeader;
  std::vector<const THttpContCodItem*> usable;
  for (const auto& it : Items)
    if (it.Enabled && it.Entry->IsAvailable()) usable.push_back(&it);
  bool withQuality = UseQuality && usable.size() >= 2;
  std::string text;
  for (const auto* it : usable) {
    if (!withQuality && it->Quality <= 0) continue;
    std::string part = withQuality ? it->Entry->Coding + ";q=" + QualityText(it->Quality) : it->Entry->Coding;
    text += text.empty() ? part : ", " + part;
  }
  CachedHeader = text;
  Recalc = false;
  return text;
}

void THttpContCodHandler::ClearChain() {
  Chain.clear();
  Input = THttpWriteEvent(this, &THttpContCodHandler::WriteOut);
}

bool THttpContCodHandler::Prepare(const std::string& contentEncoding) {
  ClearChain();
  if (!Enabled || Trim(contentEncoding).empty()) return true;
  size_t pos = 0;
  const std::string& v = contentEncoding;
  while (pos <= v.size()) {
    size_t comma = v.find(',', pos);
    std::string name = Trim(v.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos));
    pos = comma == std::string::npos ? v.size() + 1 : comma + 1;
    if (name.empty()) continue;
    const TContCodingEntry* e = ContentCodingsRegistry().FindCoding(name);
    if (!e) {
      ClearChain();
      return false;
    }
    Chain.push_back(e->Create(Input));
    Input = THttpWriteEvent(Chain.back().get(), &THttpContentCoding::WriteBuffer);
  }
  return true;
}

void THttpContCodHandler::Complete() {
  for (auto it = Chain.rbegin(); it != Chain.rend(); ++it) (*it)->Complete();
}

void THttpContCodHandler::WriteOut(const void* buffer, int count) {
  if (OutputStream && *OutputStream) (*OutputStream)->Write(buffer, count);
  DocData(buffer, count);
}

}  // namespace sonvelt::net
