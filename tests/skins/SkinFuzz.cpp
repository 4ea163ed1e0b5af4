// Mutation fuzzer for the skin loader, run under Wine:
//   scripts/build --target fuzz_skin
//   wine $SONVELT_BUILD_DIR/tests/skins/fuzz_skin.exe [cases] [seed]
// Each case damages one of three things: the bytes of the authored cool.skn,
// the decompressed package (compressed again, so the damage reaches the
// parser), or the description text inside the package. It loads the result
// into a TspSkinData, composes the images of every control descriptor at a few
// sizes, and paints a gauge, button, check box and track bar bound to it. A crash or hang ends the run (a hang shows as the last case
// printed); errors the loader raises are the expected outcome. The process's
// peak memory is printed at the end. FUZZ_TRACE=1 prints every case number,
// FUZZ_DUMP=N saves case N as fuzz_case.skn.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "framework/Exceptions.h"
#include "framework/MemoryStreams.h"
#include "framework/Form.h"
#include "skins/SkinButton.h"
#include "skins/SkinCheckRadioBox.h"
#include "skins/SkinData.h"
#include "skins/SkinGauge.h"
#include "skins/SkinTrackBar.h"
#include "skins/SkinDrawing.h"
#include "skins/SkinStore.h"
#include "tests/skins/SkinTestSupport.h"

namespace {

std::mt19937 rng;

uint32_t Pick(uint32_t n) { return n ? std::uniform_int_distribution<uint32_t>(0, n - 1)(rng) : 0; }

const char* const Tokens[] = {"-1", "0", "2147483647", "4294967296", "99999999999", ",", ":", "=", "\r\n", "[",
                              "]", "count=", "2000000000", "0,0,0,0", "1,1,1,1", "0,0,100000,100000", "fsbold",
                              "mkpush", "stvert", "gauge", "trackbar", "button", "checkradio", "panel", "", "x"};

void MutateBytes(Bytes& b, size_t from) {
  const int edits = 1 + int(Pick(8));
  for (int e = 0; e < edits && b.size() > from; ++e) {
    const size_t at = from + Pick(uint32_t(b.size() - from));
    switch (Pick(5)) {
      case 0: b[at] = uint8_t(Pick(256)); break;
      case 1: b[at] ^= uint8_t(1u << Pick(8)); break;
      case 2: b.resize(at); break;
      case 3: b.insert(b.begin() + ptrdiff_t(at), Pick(16) + 1, uint8_t(Pick(256))); break;
      default:
        // A 32-bit field set to an edge value.
        if (at + 4 <= b.size()) {
          const uint32_t values[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 14, uint32_t(b.size())};
          const uint32_t v = values[Pick(7)];
          for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
        }
    }
  }
}

void MutateText(std::string& t) {
  const int edits = 1 + int(Pick(6));
  for (int e = 0; e < edits && !t.empty(); ++e) {
    const size_t at = Pick(uint32_t(t.size()));
    const size_t len = Pick(12);
    const std::string token = Tokens[Pick(sizeof Tokens / sizeof Tokens[0])];
    if (Pick(2)) t.replace(at, std::min(len, t.size() - at), token);
    else t.insert(at, token);
  }
}

// The images a control would compose from its descriptor, at a given size.
void ComposeAll(TspSkinData* Data, int W, int H) {
  auto target = MakeOwned<TBitmap>();
  for (int i = 0; i < Data->GetControlDescriptorCount(); ++i) {
    auto* d = dynamic_cast<TspDataSkinCustomControl*>(Data->GetControlDescriptor(i));
    if (!d) continue;
    TBitmap* picture = Data->GetActivePicture(d->PictureIndex);
    if (!picture) continue;
    const TSkinGeometry g{d->SkinRect, d->ClientRect, d->LTPoint, d->RTPoint, d->LBPoint, d->RBPoint};
    const int dw = W - RectWidth(g.S), dh = H - RectHeight(g.S);
    const TSkinLayout l{g.LT, POINT{g.RT.x + dw, g.RT.y}, POINT{g.LB.x, g.LB.y + dh}, POINT{g.RB.x + dw, g.RB.y + dh},
                        RECT{g.C.left, g.C.top, g.C.right + dw, g.C.bottom + dh}};
    const TSkinStretch stretch{d->LeftStretch, d->TopStretch, d->RightStretch, d->BottomStretch, d->StretchEffect,
                               d->StretchType};
    ComposeSkinImage(target.get(), W, H, picture, g, l, stretch, true);
    ComposeSkinImageH(target.get(), W, picture, g.S, g.LT.x, RectWidth(g.S) - g.RT.x, d->StretchEffect);
    ComposeSkinImageV(target.get(), H, picture, g.S, g.LT.y, RectHeight(g.S) - g.LB.y, d->StretchEffect);
    target->SetSize(W, H);
    StretchSkinFrame(target.get(), picture, g.S, g.C);
    for (const TSkinKey* k : d->Keys())
      if (k->Type == sktRect) CopySkinPiece(target.get(), RECT{0, 0, W, H}, picture, *static_cast<RECT*>(k->Field.Address(d)));
    if (TBitmap* mask = Data->GetActivePicture(d->MaskPictureIndex)) {
      if (HRGN r = RegionFromMask(mask, 0, 0)) DeleteObject(r);
      if (HRGN r = RegionFromMaskBorders(mask, g, l, W, H)) DeleteObject(r);
    }
  }
}

// The four controls of the recording window bound to the case's skin and
// painted into a memory bitmap, as the window would show them.
void PaintControls(TspSkinControl* const* Controls, TspSkinData* Data) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 200, 200);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, target);
  for (int i = 0; i < 4; ++i) {
    TspSkinControl* c = Controls[i];
    c->SetSkinData(Data);
    c->SetBounds(10, 10, 87, 30);
    c->PaintTo(dc, 0, 0);
    c->SetSkinData(nullptr);
  }
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
}

}  // namespace

int main(int argc, char** argv) {
  const long cases = argc > 1 ? std::atol(argv[1]) : 3000;
  rng.seed(argc > 2 ? unsigned(std::atol(argv[2])) : 1u);
  const Bytes skn = ReadFileBytes(SkinFile("cool.skn"));
  const Bytes package = Inflate(Bytes(skn.begin() + 8, skn.end()));
  // The description starts after version, five flags, count and the one BMP.
  const size_t textAt = 13 + (size_t(package[15]) | size_t(package[16]) << 8 | size_t(package[17]) << 16);
  long loaded = 0, refused = 0;
  TForm* form = TForm::Create(nullptr);
  form->SetBounds(0, 0, 300, 300);
  TspSkinControl* controls[4] = {TspSkinGauge::Create(form), TspSkinButton::Create(form),
                                 TspSkinCheckRadioBox::Create(form), TspSkinTrackBar::Create(form)};
  const char* const sections[4] = {"gauge", "button", "checkradio", "trackbar"};
  for (int i = 0; i < 4; ++i) {
    controls[i]->SetSkinDataName(sections[i]);
    controls[i]->SetParent(form);
  }
  static_cast<TspSkinGauge*>(controls[0])->SetValue(70);
  for (long i = 0; i < cases; ++i) {
    if (i % 500 == 0 || getenv("FUZZ_TRACE")) std::fprintf(stderr, "case %ld\n", i);
    const DWORD started = GetTickCount();
    Bytes file;
    switch (i % 3) {
      case 0:
        file = skn;
        MutateBytes(file, 0);
        break;
      case 1: {
        Bytes raw = package;
        MutateBytes(raw, 0);
        const Bytes z = Deflate(raw);
        PutLE32(file, 2);
        PutLE32(file, int32_t(z.size()));
        file.insert(file.end(), z.begin(), z.end());
        break;
      }
      default: {
        std::string text(package.begin() + ptrdiff_t(textAt), package.end());
        MutateText(text);
        Bytes raw(package.begin(), package.begin() + ptrdiff_t(textAt));
        raw.insert(raw.end(), text.begin(), text.end());
        const Bytes z = Deflate(raw);
        PutLE32(file, 2);
        PutLE32(file, int32_t(z.size()));
        file.insert(file.end(), z.begin(), z.end());
      }
    }
    // FUZZ_DUMP=N writes case N to fuzz_case.skn and stops.
    if (const char* dump = getenv("FUZZ_DUMP"); dump && std::atol(dump) == i) {
      FILE* f = std::fopen("fuzz_case.skn", "wb");
      std::fwrite(file.data(), 1, file.size(), f);
      std::fclose(f);
      return 0;
    }
    auto stored = MakeOwned<TspCompressedStoredSkin>(nullptr);
    auto data = MakeOwned<TspSkinData>(nullptr);
    auto stream = MakeOwned<TMemoryStream>();
    if (!file.empty()) stream->WriteBuffer(file.data(), int(file.size()));
    try {
      stored->LoadFromCompressedStream(stream.get());
      data->LoadCompressedSkin(stored.get());
      if (!data->GetEmpty()) ++loaded;
      for (const SIZE s : {SIZE{1, 1}, SIZE{87, 29}, SIZE{19, 193}, SIZE{300, 40}}) ComposeAll(data.get(), s.cx, s.cy);
      PaintControls(controls, data.get());
    } catch (const Exception&) {
      ++refused;
    }
    if (GetTickCount() - started > 2000) std::fprintf(stderr, "case %ld took %lu ms\n", i, GetTickCount() - started);
  }
  Free(form);
  PROCESS_MEMORY_COUNTERS pmc{};
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  std::printf("%ld cases: %ld loaded, %ld refused; peak memory %lu MiB\n", cases, loaded, refused,
              (unsigned long)(pmc.PeakWorkingSetSize >> 20));
  return 0;
}
