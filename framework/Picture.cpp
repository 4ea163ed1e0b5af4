#include "framework/Picture.h"

#include <algorithm>
#include <cctype>

#include "framework/Bitmap.h"
#include "framework/Icon.h"
#include "framework/JpegImage.h"

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string ExtensionOf(const std::string& FileName) {
  std::size_t dot = FileName.find_last_of('.');
  std::size_t slash = FileName.find_last_of("\\/:");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return FileName.substr(dot + 1);
}

// Later registrations come first, so a format registered again overrides.
std::vector<TFileFormat>& Formats() {
  static std::vector<TFileFormat> formats = [] {
    std::vector<TFileFormat> f;
    f.push_back({"jpeg", "JPEG Image File", TJPEGImage::StaticClass()});
    f.push_back({"jpg", "JPEG Image File", TJPEGImage::StaticClass()});
    f.push_back({"ico", "Icons", TIcon::StaticClass()});
    f.push_back({"bmp", "Bitmaps", TBitmap::StaticClass()});
    return f;
  }();
  return formats;
}

}  // namespace

void TPicture::RegisterFileFormat(const std::string& Extension, const std::string& Description,
                                  TGraphicClass GraphicClass) {
  std::string ext = Lower(Extension);
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  Formats().insert(Formats().begin(), TFileFormat{ext, Description, GraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass GraphicClass) {
  auto& f = Formats();
  f.erase(std::remove_if(f.begin(), f.end(),
                         [&](const TFileFormat& x) { return x.GraphicClass.Get() == GraphicClass.Get(); }),
          f.end());
}

TGraphicClass TPicture::FindGraphicClass(const std::string& Extension) {
  std::string ext = Lower(Extension);
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  for (const TFileFormat& f : Formats())
    if (f.Extension == ext) return f.GraphicClass;
  return nullptr;
}

std::vector<TFileFormat> TPicture::FileFormats() { return Formats(); }

TPicture::~TPicture() { Free(FGraphic); }

void TPicture::Changed(TObject*) { OnChange(this); }

void TPicture::Adopt(TGraphic* NewGraphic) {
  TGraphic* old = FGraphic;
  FGraphic = NewGraphic;
  if (FGraphic) FGraphic->OnChange = Bind(this, &TPicture::Changed);
  Free(old);
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (Value == FGraphic) return;
  TGraphic* copy = nullptr;
  if (Value) {
    copy = TGraphicClass(Value->ClassType()).Create();
    if (!copy) throw EInvalidGraphic("Cannot create a picture of class %s", {Value->ClassName()});
    try {
      copy->Assign(Value);
    } catch (...) {
      Free(copy);
      throw;
    }
  }
  Adopt(copy);
}

void TPicture::SetBitmap(TBitmap* Value) { SetGraphic(Value); }

void TPicture::ForceType(TGraphicClass GraphicClass) {
  if (FGraphic && FGraphic->InheritsFrom(GraphicClass)) return;
  Adopt(GraphicClass.Create());
}

TBitmap* TPicture::GetBitmap() {
  ForceType(TBitmap::StaticClass());
  return static_cast<TBitmap*>(FGraphic);
}

TIcon* TPicture::GetIcon() {
  ForceType(TIcon::StaticClass());
  return static_cast<TIcon*>(FGraphic);
}

int TPicture::GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }

int TPicture::GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
    SetGraphic(p->FGraphic);
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    TInterfacedPersistent::Assign(Source);
  }
}

void TPicture::LoadFromFile(const std::string& FileName) {
  std::string ext = ExtensionOf(FileName);
  TGraphicClass cls = FindGraphicClass(ext);
  if (!cls) throw EInvalidGraphic("Unknown picture file extension (.%s)", {ext});
  TGraphic* g = cls.Create();
  try {
    g->LoadFromFile(FileName);
  } catch (...) {
    Free(g);
    throw;
  }
  Adopt(g);
}

void TPicture::SaveToFile(const std::string& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

namespace {
template <class TEach>
void ForFormatsOf(TGraphicClass GraphicClass, TEach each) {
  for (auto it = Formats().rbegin(); it != Formats().rend(); ++it)
    if (!GraphicClass || it->GraphicClass->InheritsFrom(GraphicClass)) each(*it);
}
}  // namespace

std::string GraphicFilter(TGraphicClass GraphicClass) {
  std::string masks, parts;
  ForFormatsOf(GraphicClass, [&](const TFileFormat& f) {
    std::string mask = "*." + f.Extension;
    masks += (masks.empty() ? "" : ";") + mask;
    parts += "|" + f.Description + " (" + mask + ")|" + mask;
  });
  return "All (" + masks + ")|" + masks + parts;
}

std::string GraphicExtension(TGraphicClass GraphicClass) {
  for (auto it = Formats().rbegin(); it != Formats().rend(); ++it)
    if (it->GraphicClass.Get() == GraphicClass.Get()) return it->Extension;
  return {};
}

std::string GraphicFileMask(TGraphicClass GraphicClass) {
  std::string masks;
  ForFormatsOf(GraphicClass, [&](const TFileFormat& f) { masks += (masks.empty() ? "" : ";") + ("*." + f.Extension); });
  return masks;
}
