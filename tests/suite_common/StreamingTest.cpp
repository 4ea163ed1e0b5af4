// Suite objects in form data: a size stores only its non-zero parts, a rectangle
// and a timer come back as they were, and collection items read from a form rejoin
// the collection of their parent.
#include <gtest/gtest.h>

#include <string>

#include "framework/ClassRegistry.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/common/ComponentCollection.h"
#include "suite/common/PersistentGeometry.h"
#include "suite/common/SuiteTimer.h"

namespace {
// A root that streams the components it owns that have no parent of their own.
class TStreamRoot : public TComponent {
  SONVELT_CLASS(TStreamRoot, TComponent)
public:
  explicit TStreamRoot(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(TGetChildProc Proc, TComponent* Root) override {
    for (int I = 0; I < GetComponentCount(); ++I)
      if (!GetComponent(I)->HasParent()) Proc(GetComponent(I));
  }
};

class TSized : public TComponent {
  SONVELT_CLASS(TSized, TComponent)
public:
  explicit TSized(TComponent* AOwner)
      : TComponent(AOwner), Size(TcxSize::CreateWithOwner(this)), Bounds(TcxRect::CreateWithOwner(this)) {}
  TcxSize* GetSize() const { return Size.get(); }
  TcxRect* GetBounds() const { return Bounds.get(); }
  static void Publish(TPublisher<TSized>& P);
  TOwned<TcxSize> Size;
  TOwned<TcxRect> Bounds;
};

class TPanes;
class TPaneHost : public TComponent {
  SONVELT_CLASS(TPaneHost, TComponent)
public:
  explicit TPaneHost(TComponent* AOwner);
  ~TPaneHost() override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  TPanes* Panes;
};

class TPane : public TcxComponentCollectionItem {
  SONVELT_CLASS(TPane, TcxComponentCollectionItem)
public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;
  int GetWidth() const { return Width; }
  void SetWidth(int Value) { Width = Value; }
  static void Publish(TPublisher<TPane>& P);
  int Width = 0;

protected:
  TcxComponentCollection* CollectionOfParent(TComponent* Parent) override;
};

class TPanes : public TcxComponentCollection {
  SONVELT_CLASS(TPanes, TcxComponentCollection)
public:
  explicit TPanes(TComponent* Parent) : TcxComponentCollection(Parent, TPane::StaticClass()) {}
};

TPaneHost::TPaneHost(TComponent* AOwner) : TComponent(AOwner), Panes(TPanes::Create(this)) {}
TPaneHost::~TPaneHost() { Free(Panes); }
void TPaneHost::GetChildren(TGetChildProc Proc, TComponent*) {
  for (int I = 0; I < Panes->NumberOfItems(); ++I) Proc(Panes->ItemAt(I));
}
TcxComponentCollection* TPane::CollectionOfParent(TComponent* Parent) {
  auto* Host = dynamic_cast<TPaneHost*>(Parent);
  return Host ? Host->Panes : nullptr;
}
}  // namespace

SONVELT_PUBLISHED(TSized, P) {
  P.Object("Size", &TSized::GetSize);
  P.Object("Bounds", &TSized::GetBounds);
}

SONVELT_PUBLISHED(TPane, P) { P.Integer("Width", &TPane::GetWidth, &TPane::SetWidth).Default(0); }

namespace {
const bool Registered =
    (RegisterClasses({TStreamRoot::StaticClass(), TSized::StaticClass(), TPaneHost::StaticClass(),
                      TPane::StaticClass(), TcxTimer::StaticClass()}),
     true);

TMemoryStream* Write(TComponent* Root) {
  TMemoryStream* Stream = TMemoryStream::Create();
  TOwned<TWriter> W(TWriter::Create(Stream));
  W->WriteRootComponent(Root);
  W.reset();
  Stream->SetPosition(0);
  return Stream;
}

std::string AsText(TMemoryStream* Binary) {
  TOwned<TMemoryStream> Text(TMemoryStream::Create());
  Binary->SetPosition(0);
  ObjectBinaryToText(Binary, Text.get());
  Binary->SetPosition(0);
  return std::string(static_cast<const char*>(Text->GetMemory()), static_cast<size_t>(Text->GetSize()));
}

TComponent* Read(TMemoryStream* Stream) {
  TOwned<TReader> R(TReader::Create(Stream));
  return R->ReadRootComponent(nullptr);
}
}  // namespace

TEST(Streaming, SizesStoreOnlyTheirNonZeroPartsAndRectanglesComeBack) {
  TOwned<TStreamRoot> Root(TStreamRoot::Create(nullptr));
  Root->SetName("Root");
  auto* Shape = TSized::Create(Root.get());
  Shape->SetName("Shape");
  Shape->Size->SetHeight(7);
  Shape->Bounds->AssignRect(RECT{1, 2, 30, 0});
  TOwned<TMemoryStream> Stream(Write(Root.get()));
  const std::string Text = AsText(Stream.get());
  EXPECT_NE(Text.find("Size.Height = 7"), std::string::npos) << Text;
  EXPECT_EQ(Text.find("Size.Width"), std::string::npos) << Text;
  EXPECT_EQ(Text.find("Bounds.Bottom"), std::string::npos) << Text;

  TOwned<TComponent> Copy(Read(Stream.get()));
  auto* Back = dynamic_cast<TSized*>(Copy->FindComponent("Shape"));
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(Back->Size->GetHeight(), 7);
  EXPECT_EQ(Back->Size->GetWidth(), 0);
  EXPECT_TRUE(Back->Bounds->EqualsRect(RECT{1, 2, 30, 0}));
}

TEST(Streaming, ItemsReadFromAFormRejoinTheirParentsCollection) {
  TOwned<TStreamRoot> Root(TStreamRoot::Create(nullptr));
  Root->SetName("Root");
  auto* Host = TPaneHost::Create(Root.get());
  Host->SetName("Host");
  for (int W : {120, 80}) {
    auto* Pane = static_cast<TPane*>(Host->Panes->AppendNewItem());
    Pane->SetName("Pane" + std::to_string(W));
    Pane->Width = W;
  }
  TOwned<TMemoryStream> Stream(Write(Root.get()));
  TOwned<TComponent> Copy(Read(Stream.get()));
  auto* Back = dynamic_cast<TPaneHost*>(Copy->FindComponent("Host"));
  ASSERT_NE(Back, nullptr);
  ASSERT_EQ(Back->Panes->NumberOfItems(), 2);
  EXPECT_EQ(Back->Panes->ItemAt(0)->GetName(), "Pane120");
  EXPECT_EQ(static_cast<TPane*>(Back->Panes->ItemAt(1))->Width, 80);
  EXPECT_EQ(Back->Panes->ItemAt(1)->GetOwner(), Copy.get());
  EXPECT_EQ(Back->Panes->ItemAt(1)->GetParentComponent(), Back);
}

TEST(Streaming, ATimerReadFromAFormKeepsItsSettings) {
  TOwned<TStreamRoot> Root(TStreamRoot::Create(nullptr));
  Root->SetName("Root");
  auto* Timer = TcxTimer::Create(Root.get());
  Timer->SetName("Ticker");
  Timer->SetInterval(250);
  Timer->SetEnabled(false);
  TOwned<TMemoryStream> Stream(Write(Root.get()));
  const std::string Text = AsText(Stream.get());
  EXPECT_NE(Text.find("Interval = 250"), std::string::npos) << Text;
  TOwned<TComponent> Copy(Read(Stream.get()));
  auto* Back = dynamic_cast<TcxTimer*>(Copy->FindComponent("Ticker"));
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(Back->GetInterval(), 250u);
  EXPECT_FALSE(Back->GetEnabled());
}
