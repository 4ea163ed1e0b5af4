#include "framework/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"

extern "C" {
#include <jpeglib.h>
}

namespace {

// libjpeg reports failures by calling error_exit, which must not return; it
// jumps back to the call that started the work, which turns the message into
// an exception once no library frame is left on the stack.
struct TJpegError {
  jpeg_error_mgr Mgr;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

void SilentMessage(j_common_ptr) {}

// The largest picture we decode: beyond this a header is taken as hostile.
constexpr unsigned MaxSide = 32767;
constexpr unsigned long long MaxPixels = 16ull * 1024 * 1024;

struct TDecoded {
  int Width = 0, Height = 0;  // as decoded (scaled)
  int FullWidth = 0, FullHeight = 0;
  bool Grey = false;
  std::vector<std::uint8_t> Rows;  // top-down, 3 bytes (BGR) or 1 byte a pixel
};

// Runs libjpeg on the data; false with the library's message on failure. Only
// plain data lives between setjmp and the end, so the jump skips no destructor.
bool Decode(const std::uint8_t* data, std::size_t size, int scaleDenom, bool fast, bool headerOnly, TDecoded& out,
            char* message) {
  jpeg_decompress_struct cinfo;
  TJpegError err;
  cinfo.err = jpeg_std_error(&err.Mgr);
  err.Mgr.error_exit = ErrorExit;
  err.Mgr.output_message = SilentMessage;
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::strcpy(message, err.Message);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > MaxSide ||
      cinfo.image_height > MaxSide ||
      static_cast<unsigned long long>(cinfo.image_width) * cinfo.image_height > MaxPixels) {
    jpeg_destroy_decompress(&cinfo);
    std::strcpy(message, "picture too large");
    return false;
  }
  out.FullWidth = static_cast<int>(cinfo.image_width);
  out.FullHeight = static_cast<int>(cinfo.image_height);
  out.Grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
  if (headerOnly) {
    jpeg_destroy_decompress(&cinfo);
    return true;
  }
  cinfo.scale_num = 1;
  cinfo.scale_denom = static_cast<unsigned>(scaleDenom);
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = out.Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (fast) {
    cinfo.dct_method = JDCT_IFAST;
    cinfo.do_fancy_upsampling = FALSE;
  }
  jpeg_start_decompress(&cinfo);
  out.Width = static_cast<int>(cinfo.output_width);
  out.Height = static_cast<int>(cinfo.output_height);
  std::size_t stride = static_cast<std::size_t>(out.Width) * cinfo.output_components;
  out.Rows.resize(stride * out.Height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.Rows.data() + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  if (cmyk) {
    // Four bytes a pixel down to three, in place. Files with the Adobe marker
    // store the inks inverted, which makes each channel simply ink x black.
    bool inverted = cinfo.saw_Adobe_marker;
    std::size_t pixels = static_cast<std::size_t>(out.Width) * out.Height;
    for (std::size_t i = 0; i < pixels; ++i) {
      const std::uint8_t* p = &out.Rows[i * 4];
      int c = p[0], m = p[1], y = p[2], k = p[3];
      if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
      std::uint8_t* q = &out.Rows[i * 3];
      std::uint8_t r = static_cast<std::uint8_t>(c * k / 255), g = static_cast<std::uint8_t>(m * k / 255),
                   b = static_cast<std::uint8_t>(y * k / 255);
      q[0] = b, q[1] = g, q[2] = r;
    }
    out.Rows.resize(pixels * 3);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

struct TMemOut {
  unsigned char* Buffer = nullptr;
  unsigned long Size = 0;
  ~TMemOut() { std::free(Buffer); }
};

bool Encode(const std::uint8_t* rows, int width, int height, bool grey, int quality, bool progressive, TMemOut& out,
            char* message) {
  jpeg_compress_struct cinfo;
  TJpegError err;
  cinfo.err = jpeg_std_error(&err.Mgr);
  err.Mgr.error_exit = ErrorExit;
  err.Mgr.output_message = SilentMessage;
  if (setjmp(err.Jump)) {
    jpeg_destroy_compress(&cinfo);
    std::strcpy(message, err.Message);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &out.Buffer, &out.Size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::size_t stride = static_cast<std::size_t>(width) * (grey ? 1 : 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rows + stride * cinfo.next_scanline);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;

TJPEGImage::~TJPEGImage() { FreeBitmap(); }

void TJPEGImage::FreeBitmap() { FreeAndNil(FBitmap); }

int TJPEGImage::GetWidth() const {
  if (FBitmap) return FBitmap->GetWidth();
  return FWidth >> FScale;
}

int TJPEGImage::GetHeight() const {
  if (FBitmap) return FBitmap->GetHeight();
  return FHeight >> FScale;
}

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::SetCompressionQuality(int Value) { FQuality = Value < 1 ? 1 : Value > 100 ? 100 : Value; }

void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == FGrayscale) return;
  FGrayscale = Value;
  if (!FData.empty()) FreeBitmap();  // decoded again on next use
  Changed(this);
}

void TJPEGImage::SetScale(TJPEGScale Value) {
  if (Value == FScale) return;
  FScale = Value;
  if (!FData.empty()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::SetPerformance(TJPEGPerformance Value) {
  if (Value == FPerformance) return;
  FPerformance = Value;
  if (!FData.empty()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::LoadFromBytes(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) {
    Assign(nullptr);
    return;
  }
  TDecoded head;
  char message[JMSG_LENGTH_MAX] = {};
  if (Size < 4 || Data[0] != 0xFF || Data[1] != 0xD8 || !Decode(Data, Size, 1, true, true, head, message))
    throw EInvalidGraphic("JPEG error: %s", {message[0] ? message : "not a JPEG file"});
  FreeBitmap();
  FData.assign(Data, Data + Size);
  FWidth = head.FullWidth;
  FHeight = head.FullHeight;
  FGrayscale = head.Grey;
  Changed(this);
}

void TJPEGImage::DIBNeeded() {
  if (FBitmap || FData.empty()) return;
  TDecoded d;
  char message[JMSG_LENGTH_MAX] = {};
  if (!Decode(FData.data(), FData.size(), 1 << FScale, FPerformance == jpBestSpeed, false, d, message))
    throw EInvalidGraphic("JPEG error: %s", {message});
  TBitmap* bmp = TBitmap::Create();
  try {
    bmp->SetPixelFormat(pf24bit);
    bmp->SetSize(d.Width, d.Height);
    for (int y = 0; y < d.Height; ++y) {
      auto* dst = static_cast<std::uint8_t*>(bmp->ScanLine(y));
      if (d.Grey || FGrayscale) {
        for (int x = 0; x < d.Width; ++x) {
          std::uint8_t v;
          if (d.Grey) {
            v = d.Rows[static_cast<std::size_t>(y) * d.Width + x];
          } else {
            const std::uint8_t* p = &d.Rows[(static_cast<std::size_t>(y) * d.Width + x) * 3];
            v = static_cast<std::uint8_t>((p[2] * 77 + p[1] * 150 + p[0] * 29) >> 8);
          }
          dst[x * 3] = dst[x * 3 + 1] = dst[x * 3 + 2] = v;
        }
      } else {
        std::memcpy(dst, &d.Rows[static_cast<std::size_t>(y) * d.Width * 3], static_cast<std::size_t>(d.Width) * 3);
      }
    }
  } catch (...) {
    Free(bmp);
    throw;
  }
  FBitmap = bmp;
}

void TJPEGImage::JPEGNeeded() {
  if (!FData.empty() || !FBitmap || FBitmap->GetEmpty()) return;
  int w = FBitmap->GetWidth(), h = FBitmap->GetHeight();
  TBitmap* src = FBitmap;
  TBitmap* tmp = nullptr;
  if (src->GetPixelFormat() != pf24bit) {
    tmp = TBitmap::Create();
    tmp->Assign(src);
    tmp->SetPixelFormat(pf24bit);
    src = tmp;
  }
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(w) * h * (FGrayscale ? 1 : 3));
  for (int y = 0; y < h; ++y) {
    const auto* s = static_cast<const std::uint8_t*>(src->ScanLine(y));
    if (FGrayscale) {
      for (int x = 0; x < w; ++x)
        rows[static_cast<std::size_t>(y) * w + x] =
            static_cast<std::uint8_t>((s[x * 3 + 2] * 77 + s[x * 3 + 1] * 150 + s[x * 3] * 29) >> 8);
    } else {
      std::memcpy(&rows[static_cast<std::size_t>(y) * w * 3], s, static_cast<std::size_t>(w) * 3);
    }
  }
  Free(tmp);
  TMemOut out;
  char message[JMSG_LENGTH_MAX] = {};
  if (!Encode(rows.data(), w, h, FGrayscale, FQuality, FProgressive, out, message))
    throw EInvalidGraphic("JPEG error: %s", {message});
  FData.assign(out.Buffer, out.Buffer + out.Size);
  FWidth = w;
  FHeight = h;
}

std::vector<std::uint8_t> TJPEGImage::SaveToBytes() {
  JPEGNeeded();
  return FData;
}

void TJPEGImage::Draw(TCanvas* ACanvas, const RECT& Rect) {
  DIBNeeded();
  if (FBitmap) ACanvas->StretchDraw(Rect, FBitmap);
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (!Source) {
    FreeBitmap();
    FData.clear();
    FWidth = FHeight = 0;
    Changed(this);
  } else if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
    if (j == this) return;
    FreeBitmap();
    FData = j->FData;
    FWidth = j->FWidth;
    FHeight = j->FHeight;
    FQuality = j->FQuality;
    FGrayscale = j->FGrayscale;
    FScale = j->FScale;
    FPerformance = j->FPerformance;
    FProgressive = j->FProgressive;
    if (j->FBitmap) {
      FBitmap = TBitmap::Create();
      FBitmap->Assign(j->FBitmap);
    }
    Changed(this);
  } else if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    TBitmap* copy = TBitmap::Create();
    copy->Assign(b);
    FreeBitmap();
    FData.clear();
    FBitmap = copy;
    FWidth = b->GetWidth();
    FHeight = b->GetHeight();
    FScale = jsFullSize;
    Changed(this);
  } else {
    TGraphic::Assign(Source);
  }
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
    DIBNeeded();
    b->Assign(FBitmap);
    return;
  }
  TGraphic::AssignTo(Dest);
}
