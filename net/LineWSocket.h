// Line mode (received bytes handed out one line at a time), the synchronous
// wait, and the published socket component.
#pragma once
#include <functional>

#include "net/SocksWSocket.h"

namespace sonvelt::net {

using TLineLimitEvent = TDelegate<void(TObject* Sender, int RcvdLength, bool& ClearData)>;

class TCustomLineWSocket : public TCustomSocksWSocket {
  SONVELT_CLASS(TCustomLineWSocket, TCustomSocksWSocket)
public:
  explicit TCustomLineWSocket(TComponent* AOwner);

  bool GetLineMode() const { return LineMode; }
  virtual void SetLineMode(bool value);
  const std::string& GetLineEnd() const { return LineEnd; }
  void SetLineEnd(const std::string& value) { LineEnd = value; }
  int GetLineLimit() const { return LineLimit; }
  void SetLineLimit(int value) { LineLimit = value; }
  bool GetLineEcho() const { return LineEcho; }
  void SetLineEcho(bool value) { LineEcho = value; }
  bool GetLineEdit() const { return LineEdit; }
  void SetLineEdit(bool value) { LineEdit = value; }
  int GetRcvdCount() const { return int(LineBuffer.size()); }

  virtual int SendTextLine(const std::string& text);
  int PendingCount() override;

  TLineLimitEvent OnLineLimitExceeded;

protected:
  virtual void TriggerLineLimitExceeded(int count, bool& clearData);
  virtual void EditReceivedText(size_t heldBefore);
  void HandleMessage(TNetMessage& msg) override;
  int RecvRaw(void* buffer, int size, int flags) override;
  bool TriggerDataAvailable(uint16_t error) override;
  void TriggerSessionClosed(uint16_t error) override;
  void HandleLineDataMessage();
  // Offers the pending line until it is read; false when a handler took nothing.
  bool DeliverPendingLine(const std::shared_ptr<const bool>& alive);
  void DeliverRaw(const std::shared_ptr<const bool>& alive);

  bool LineMode = false;
  std::string LineEnd = "\r\n";
  int LineLimit = 65536;
  bool LineEcho = false, LineEdit = false;
  std::string LineBuffer;  // bytes held
  int PendingLineLength = 0;
  bool LineSeen = false, LineFoundThisRound = false;
  bool LineClearData = false;
};

class TCustomSyncWSocket : public TCustomLineWSocket {
  SONVELT_CLASS(TCustomSyncWSocket, TCustomLineWSocket)
public:
  explicit TCustomSyncWSocket(TComponent* AOwner) : TCustomLineWSocket(AOwner) {}
  uint32_t GetWaitTimeout() const { return WaitTimeout; }
  void SetWaitTimeout(uint32_t ms) { WaitTimeout = ms; }
  // Pumps messages until the flag is set: 0, or 12001 on timeout or quit.
  virtual int WaitForFlag(bool& flag);
  virtual int RunAndWait(const std::function<void()>& proc, bool& flag);

protected:
  uint32_t WaitTimeout = 0;
};

class TWSocket : public TCustomSyncWSocket {
  SONVELT_CLASS(TWSocket, TCustomSyncWSocket)
public:
  explicit TWSocket(TComponent* AOwner) : TCustomSyncWSocket(AOwner) {}
};

}  // namespace sonvelt::net
