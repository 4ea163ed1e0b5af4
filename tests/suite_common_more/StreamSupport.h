// Component trees through binary form data and back, and form text for streams
// the writer would not make.
#pragma once

#include <string>

#include "framework/Component.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "framework/OwnedObject.h"
#include "framework/Reader.h"
#include "framework/Writer.h"

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

inline TOwned<TMemoryStream> WriteTree(TComponent* Root) {
  TOwned<TMemoryStream> Stream(TMemoryStream::Create());
  TOwned<TWriter> W(TWriter::Create(Stream.get()));
  W->WriteRootComponent(Root);
  W.reset();
  Stream->SetPosition(0);
  return Stream;
}

inline std::string StreamText(TMemoryStream* Binary) {
  TOwned<TMemoryStream> Text(TMemoryStream::Create());
  Binary->SetPosition(0);
  ObjectBinaryToText(Binary, Text.get());
  Binary->SetPosition(0);
  return std::string(static_cast<const char*>(Text->GetMemory()), static_cast<size_t>(Text->GetSize()));
}

inline TOwned<TMemoryStream> BinaryOf(const std::string& Text) {
  TOwned<TMemoryStream> In(TMemoryStream::Create()), Out(TMemoryStream::Create());
  In->Write(Text.data(), static_cast<int>(Text.size()));
  In->SetPosition(0);
  ObjectTextToBinary(In.get(), Out.get());
  Out->SetPosition(0);
  return Out;
}

inline TOwned<TComponent> ReadTree(TMemoryStream* Stream) {
  Stream->SetPosition(0);
  TOwned<TReader> R(TReader::Create(Stream));
  return TOwned<TComponent>(R->ReadRootComponent(nullptr));
}
