// Components to and from streams and resources, and the loading states for trees
// built in code.
//
//   ReadComponentRes("MainSuite", this);          // the RCDATA resource "MainSuite"
//   TComponent* C = ReadComponent(Stream, nullptr);
//   WriteComponent(Stream, Form);                 // WriteDescendent(Stream, Form, Base)
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/Component.h"

class TStream;

// Instance null: a new component of the stored class, which the caller then owns.
TComponent* ReadComponent(TStream* Stream, TComponent* Instance);
void WriteComponent(TStream* Stream, TComponent* Instance);
void WriteDescendent(TStream* Stream, TComponent* Instance, TComponent* Ancestor);
// Reads the component stream kept as an RCDATA resource of the program (or of
// Module); EResNotFound when there is none of that name.
TComponent* ReadComponentRes(const std::string& ResName, TComponent* Instance);
TComponent* ReadComponentRes(HINSTANCE Module, const std::string& ResName, TComponent* Instance);

// Gives a tree built in code the states and the Loaded pass a stream gives it:
//   TLoadingScope Scope(Form);                        // Form: csLoading, csReading
//   auto* Bar = Scope.Create<TStatusBar>(Form);       // csLoading from its creation
//   Bar->SetParent(Form); Bar->SetPanels(...);        // setters see csReading
//   Scope.Finish();                                   // csReading off; Loaded: Form, Bar
// Run it after construction (AfterConstruction), so that Loaded reaches the final
// class. The components must live until Finish; a scope left without Finish (an
// exception) takes the two states back and calls no Loaded.
class TLoadingScope {
public:
  explicit TLoadingScope(TComponent* Root);
  ~TLoadingScope();
  TLoadingScope(const TLoadingScope&) = delete;
  TLoadingScope& operator=(const TLoadingScope&) = delete;

  template <class T, class... A>
  T* Create(A&&... Args) {
    T* component;
    {
      sonvelt_detail::TLoadingConstruction loading;
      component = T::Create(std::forward<A>(Args)...);
    }
    Add(component);
    return component;
  }
  // A component made elsewhere joins, in the order of the Loaded pass.
  void Add(TComponent* Component);
  void Finish();

private:
  std::vector<TComponent*> FComponents;
  bool FFinished = false;
};
