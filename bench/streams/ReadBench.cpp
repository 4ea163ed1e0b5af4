// Reading a form of 1,000 components with 20 stored properties each (integers,
// strings, booleans, enumerations, a set, a float, a colour name, a reference),
// printed beside its goal, with writing and the text form for comparison.
// Run by hand: bench_streams [rounds].
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "framework/ClassRegistry.h"
#include "framework/Colors.h"
#include "framework/ComponentStreams.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"

namespace {

enum TKind { kdNone, kdSmall, kdLarge };
enum TFlag { flA, flB, flC, flD };
using TFlags = TSet<TFlag>;

class TBenchItem : public TComponent {
  SONVELT_CLASS(TBenchItem, TComponent)
public:
  using TComponent::TComponent;
  int N[8]{};
  std::string S[4];
  bool B[2]{};
  TKind K[2]{};
  TFlags F;
  double R = 0;
  TColor C = clNone;
  TBenchItem* Next = nullptr;
  static void Publish(TPublisher<TBenchItem>& P);
};

SONVELT_PUBLISHED(TBenchItem, P) {
  for (int i = 0; i < 8; ++i)
    P.Integer("N" + std::to_string(i), [i](TBenchItem* t) { return t->N[i]; },
              [i](TBenchItem* t, int v) { t->N[i] = v; });
  for (int i = 0; i < 4; ++i)
    P.String("S" + std::to_string(i), [i](TBenchItem* t) { return t->S[i]; },
             [i](TBenchItem* t, const std::string& v) { t->S[i] = v; });
  for (int i = 0; i < 2; ++i) {
    P.Boolean("B" + std::to_string(i), [i](TBenchItem* t) { return t->B[i]; }, [i](TBenchItem* t, bool v) { t->B[i] = v; });
    P.Enum("K" + std::to_string(i), [i](TBenchItem* t) { return t->K[i]; }, [i](TBenchItem* t, TKind v) { t->K[i] = v; },
           {"kdNone", "kdSmall", "kdLarge"});
  }
  P.Set("F", [](TBenchItem* t) { return t->F; }, [](TBenchItem* t, TFlags v) { t->F = v; },
        {"flA", "flB", "flC", "flD"});
  P.Float("R", [](TBenchItem* t) { return t->R; }, [](TBenchItem* t, double v) { t->R = v; });
  P.Integer("C", [](TBenchItem* t) { return t->C; }, [](TBenchItem* t, TColor v) { t->C = v; })
      .Idents(ColorToIdent, IdentToColor);
  P.Component("Next", [](TBenchItem* t) { return t->Next; }, [](TBenchItem* t, TBenchItem* v) { t->Next = v; });
}

class TBenchRoot : public TComponent {
  SONVELT_CLASS(TBenchRoot, TComponent)
public:
  using TComponent::TComponent;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override {
    for (int i = 0; i < GetComponentCount(); ++i) Proc(GetComponent(i));
  }
};

const bool Registered = (RegisterClasses({TBenchItem::StaticClass(), TBenchRoot::StaticClass()}), true);

void Report(const char* what, double ms, double goal) {
  if (goal > 0) std::printf("%-40s %8.2f ms   (goal < %.0f ms)  %s\n", what, ms, goal, ms < goal ? "ok" : "OVER");
  else std::printf("%-40s %8.2f ms\n", what, ms);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  TOwned<TBenchRoot> root(TBenchRoot::Create(nullptr));
  root->SetName("Bench");
  std::vector<TBenchItem*> items;
  for (int i = 0; i < 1000; ++i) {
    TBenchItem* t = TBenchItem::Create(root.get());
    t->SetName("Item" + std::to_string(i));
    for (int k = 0; k < 8; ++k) t->N[k] = (i * 37 + k * 1001) % 70000 - 200 + 1;
    for (int k = 0; k < 4; ++k) t->S[k] = "Caption " + std::to_string(i) + "." + std::to_string(k);
    t->B[0] = true;
    t->B[1] = i % 2;
    t->K[0] = kdLarge;
    t->K[1] = kdSmall;
    t->F = TFlags{flA, flC};
    t->R = i / 7.0;
    t->C = i % 3 ? clBtnFace : 0x102030;
    items.push_back(t);
  }
  // Half the references point back, half forward.
  for (int i = 0; i < 1000; ++i) items[i]->Next = items[(i + (i % 2 ? 999 : 1)) % 1000];

  TOwned<TMemoryStream> binary(TMemoryStream::Create());
  const double write = BenchMedian(rounds, [&] {
    binary->Clear();
    WriteComponent(binary.get(), root.get());
  });
  const double read = BenchMedian(rounds, [&] {
    binary->SetPosition(0);
    TOwned<TComponent> copy(ReadComponent(binary.get(), nullptr));
  });
  TOwned<TMemoryStream> text(TMemoryStream::Create());
  const double toText = BenchMedian(rounds, [&] {
    text->Clear();
    binary->SetPosition(0);
    ObjectBinaryToText(binary.get(), text.get());
  });
  TOwned<TMemoryStream> again(TMemoryStream::Create());
  const double fromText = BenchMedian(rounds, [&] {
    again->Clear();
    text->SetPosition(0);
    ObjectTextToBinary(text.get(), again.get());
  });
  std::printf("1,000 components x 20 properties: %lld bytes binary, %lld bytes text; median of %d rounds\n",
              static_cast<long long>(binary->GetSize()), static_cast<long long>(text->GetSize()), rounds);
  Report("read (create, set, resolve, Loaded)", read, 50);
  Report("write", write, 0);
  Report("binary to text", toText, 0);
  Report("text to binary", fromText, 0);
  return read < 50 ? 0 : 1;
}
