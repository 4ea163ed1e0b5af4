// Sets a flag for the duration of one change and clears it afterwards, also when
// the change fails: the guard items hold while one property drives another.
#pragma once

class TdxBarFlagScope {
public:
  explicit TdxBarFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TdxBarFlagScope() { FFlag = false; }
  TdxBarFlagScope(const TdxBarFlagScope&) = delete;
  TdxBarFlagScope& operator=(const TdxBarFlagScope&) = delete;

private:
  bool& FFlag;
};
