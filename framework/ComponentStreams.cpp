#include "framework/ComponentStreams.h"

#include <algorithm>

#include "framework/MemoryStreams.h"
#include "framework/OwnedObject.h"
#include "framework/Reader.h"
#include "framework/Streams.h"
#include "framework/Writer.h"

TComponent* ReadComponent(TStream* Stream, TComponent* Instance) {
  TOwned<TReader> reader(TReader::Create(Stream));
  return reader->ReadRootComponent(Instance);
}

void WriteComponent(TStream* Stream, TComponent* Instance) { WriteDescendent(Stream, Instance, nullptr); }

void WriteDescendent(TStream* Stream, TComponent* Instance, TComponent* Ancestor) {
  TOwned<TWriter> writer(TWriter::Create(Stream));
  writer->WriteDescendent(Instance, Ancestor);
}

TComponent* ReadComponentRes(const std::string& ResName, TComponent* Instance) {
  return ReadComponentRes(GetModuleHandleW(nullptr), ResName, Instance);
}

TComponent* ReadComponentRes(HINSTANCE Module, const std::string& ResName, TComponent* Instance) {
  TOwned<TResourceStream> stream(TResourceStream::Create(Module, ResName, RT_RCDATA));
  return ReadComponent(stream.get(), Instance);
}

TLoadingScope::TLoadingScope(TComponent* Root) { Add(Root); }

TLoadingScope::~TLoadingScope() {
  if (FFinished) return;
  for (TComponent* c : FComponents) {
    TComponentState s = c->GetComponentState();
    s.Exclude(csLoading);
    s.Exclude(csReading);
    c->SetComponentState(s);
  }
}

void TLoadingScope::Add(TComponent* Component) {
  if (!Component || std::find(FComponents.begin(), FComponents.end(), Component) != FComponents.end()) return;
  TComponentState s = Component->GetComponentState();
  s.Include(csLoading);
  s.Include(csReading);
  Component->SetComponentState(s);
  FComponents.push_back(Component);
}

void TLoadingScope::Finish() {
  if (FFinished) return;
  FFinished = true;
  for (TComponent* c : FComponents) {
    TComponentState s = c->GetComponentState();
    s.Exclude(csReading);
    c->SetComponentState(s);
  }
  for (TComponent* c : FComponents) c->Loaded();
}
