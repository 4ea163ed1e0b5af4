// The process-wide registry of views: integer IDs mapped to painter classes,
// kept sorted by ID. Views units register at start and remove their views at
// the end; once the registry has ended, late calls do nothing.
#pragma once

#include <string>
#include <vector>

#include "framework/Object.h"
#include "suite/navbar/NavBarPainter.h"

struct TdxNavBarPainterFactItem {
  int ID;
  std::string Name;
  TdxNavBarPainterClass PainterClass;
};

class TdxNavBarViewsFactory : public TObject {
  SONVELT_CLASS(TdxNavBarViewsFactory, TObject)
public:
  TdxNavBarViewsFactory() = default;
  int Count() const { return static_cast<int>(FItems.size()); }
  // -1 for an index out of range.
  int IDs(int Index) const;
  std::string Names(int Index) const;
  // Null for an index out of range.
  TdxNavBarPainterClass PainterClasses(int Index) const;
  int IndexOfID(int ID) const;
  bool IsViewRegistered(int ID) const { return IndexOfID(ID) != -1; }
  // A general exception with sdxViewAlreadyExists for a second registration.
  void RegisterView(int ID, const std::string& Name, TdxNavBarPainterClass PainterClass);
  void UnregisterView(int ID);

private:
  std::vector<TdxNavBarPainterFactItem> FItems;
};

// The registry; null once it has ended. Starting it starts the views units.
TdxNavBarViewsFactory* ViewsFactory();
void RegisterView(int ID, const std::string& Name, TdxNavBarPainterClass PainterClass);
void UnregisterView(int ID);
// Ends the registry (process exit; tests restart it).
void EndViewsFactory();
void RestartViewsFactory();
