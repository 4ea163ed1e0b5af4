// Reading bar items from form text: a root of its own, an action whose image
// index a form can set, and the text-to-stream steps.
#pragma once

#include <string>

#include "framework/Action.h"
#include "framework/ClassRegistry.h"
#include "framework/ComponentStreams.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "tests/suite_bars/BarTestSupport.h"

class TItemsRoot : public TComponent {
  SONVELT_CLASS(TItemsRoot, TComponent)
public:
  using TComponent::TComponent;
};

class TImageAction : public TAction {
  SONVELT_CLASS(TImageAction, TAction)
public:
  using TAction::TAction;
  static void Publish(TPublisher<TImageAction>& P);
};

inline void RegisterItemFormClasses() {
  static const bool Done = (RegisterClasses({TItemsRoot::StaticClass(), TImageAction::StaticClass()}), true);
  (void)Done;
}

inline TOwned<TMemoryStream> BinaryOfText(const std::string& Text) {
  TOwned<TMemoryStream> In(TMemoryStream::Create()), Out(TMemoryStream::Create());
  In->WriteBuffer(Text.data(), static_cast<int>(Text.size()));
  In->SetPosition(0);
  ObjectTextToBinary(In.get(), Out.get());
  Out->SetPosition(0);
  return Out;
}

inline std::string TextOfComponent(TComponent* C) {
  TOwned<TMemoryStream> Binary(TMemoryStream::Create()), Text(TMemoryStream::Create());
  WriteComponent(Binary.get(), C);
  Binary->SetPosition(0);
  ObjectBinaryToText(Binary.get(), Text.get());
  return std::string(static_cast<const char*>(Text->GetMemory()), static_cast<size_t>(Text->GetSize()));
}

// Reads "object Root: TItemsRoot ... end" into Root.
inline void ReadItemsText(TItemsRoot* Root, const std::string& Text) {
  RegisterItemFormClasses();
  TOwned<TMemoryStream> Binary = BinaryOfText(Text);
  ReadComponent(Binary.get(), Root);
}

// A shown form with a bar manager and a root the items are read into.
struct ItemsRootFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TItemsRoot* Root = nullptr;
  void AddControls() override {
    M = NewManager();
    Root = TItemsRoot::Create(Form);
    Root->SetName("Root");
  }
  void TearDown() override {
    Free(Root);
    Free(M);
    BarFormFixture::TearDown();
  }
};
