// Base of TFont, TPen and TBrush: a value-like drawing tool whose description is
// shared through a GDI resource cache, and which tells its owner (a canvas, a
// control) of every change through OnChange.
#pragma once

#include "framework/Delegate.h"
#include "framework/Persistent.h"

class TGraphicsObject : public TPersistent {
  SONVELT_CLASS(TGraphicsObject, TPersistent)
public:
  TNotifyEvent OnChange;

  // True when the GDI object exists already.
  virtual bool HandleAllocated() const = 0;

protected:
  virtual void Changed() { OnChange(this); }
};
