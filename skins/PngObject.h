// TPNGObject: the PNG picture. It holds the file as its list of chunks (header
// first, end last) and the decoded image in the header's pixel store, so that a
// picture read and written again keeps its ancillary chunks. A file that fails
// any check raises and leaves the picture as it was. Registered with the
// picture format registry for ".png"; forms stream it as "TPNGObject".
#pragma once
#include <windows.h>

#include <cstdint>

#include "skins/PngPicture.h"

class TPNGObject : public TPngPicture {
  SONVELT_CLASS(TPNGObject, TPngPicture)
 public:
  TPNGObject() = default;
  ~TPNGObject() override;

  // Reading (the whole stream from its current position).
  void LoadFromStream(TStream* stream) override;
  bool GetEmpty() const override;
  // A picture is resized only by assigning a bitmap: both raise EPngError.
  void SetWidth(int value) override;
  void SetHeight(int value) override;

  void Draw(TCanvas* canvas, const RECT& rect) override;
  // Draws at the picture's own size at the rectangle's top-left.
  void DrawWithAlpha(HDC dc, const RECT& rect);
  void Assign(TPersistent* source) override;
  void LoadFromClipboardFormat(WORD format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(WORD& format, HANDLE& data, HPALETTE& palette) override;
  // A palette made from the colour table on first use, kept until it changes.
  HPALETTE GetPalette() override;
  void SetPalette(HPALETTE palette) override;

  const std::vector<TChunkClass>& ChunkClasses() const override;
  void StoreCreated(TChunkIHDR& header) override;

  HPALETTE CachedPalette = nullptr;

 protected:
  void AssignTo(TPersistent* dest) override;

 private:
  void DeleteCachedPalette();
};
