#include "net/LineWSocket.h"

#include <algorithm>
#include <cstring>

namespace sonvelt::net {

TCustomLineWSocket::TCustomLineWSocket(TComponent* AOwner) : TCustomSocksWSocket(AOwner) {}

void TCustomLineWSocket::SetLineMode(bool value) {
  if (value == LineMode) return;
  LineMode = value;
  if (!LineBuffer.empty() || PendingLineLength > 0) PostMessageW(GetHandle(), LineDataMsg, 0, 0);
}

int TCustomLineWSocket::SendTextLine(const std::string& text) {
  if (text.empty()) return 0;
  QueueText(text);
  SendText(LineEnd);
  return int(text.size() + LineEnd.size());
}

int TCustomLineWSocket::PendingCount() {
  if (LineMode) return PendingLineLength;
  return TCustomSocksWSocket::PendingCount();
}

int TCustomLineWSocket::RecvRaw(void* buffer, int size, int flags) {
  if (LineMode && PendingLineLength > 0) {
    int n = std::min(size, PendingLineLength);
    std::memcpy(buffer, LineBuffer.data(), size_t(n));
    LineBuffer.erase(0, size_t(n));
    PendingLineLength -= n;
    BufferFilled = n >= size;
    return n;
  }
  if (!LineMode && !LineBuffer.empty()) {
    int n = std::min<int>(size, int(LineBuffer.size()));
    std::memcpy(buffer, LineBuffer.data(), size_t(n));
    LineBuffer.erase(0, size_t(n));
    BufferFilled = n >= size;
    return n;
  }
  return TCustomSocksWSocket::RecvRaw(buffer, size, flags);
}

void TCustomLineWSocket::HandleMessage(TNetMessage& msg) {
  if (msg.Msg != LineDataMsg || LineDataMsg == 0) return TCustomSocksWSocket::HandleMessage(msg);
  try {
    HandleLineDataMessage();
  } catch (const std::exception& e) {
    if (*AliveToken()) HandleBgException(e);
  }
}

void TCustomLineWSocket::TriggerLineLimitExceeded(int count, bool& clearData) {
  OnLineLimitExceeded(this, count, clearData);
}

bool TCustomLineWSocket::DeliverPendingLine(const std::shared_ptr<const bool>& alive) {
  while (LineMode && PendingLineLength > 0) {
    if (!OnDataAvailable) {
      LineBuffer.erase(0, size_t(PendingLineLength));
      PendingLineLength = 0;
      return true;
    }
    int before = PendingLineLength;
    size_t heldBefore = LineBuffer.size();
    bool modeBefore = LineMode;
    TCustomWSocket::TriggerDataAvailable(0);
    if (!*alive) return false;
    // A handler that reads nothing would be offered the same line forever:
    // it stays pending and is offered again with the next data or close.
    if (PendingLineLength == before && LineBuffer.size() == heldBefore && LineMode == modeBefore) return false;
  }
  return true;
}

void TCustomLineWSocket::DeliverRaw(const std::shared_ptr<const bool>& alive) {
  while (!LineMode && !LineBuffer.empty() && OnDataAvailable) {
    size_t before = LineBuffer.size();
    TCustomWSocket::TriggerDataAvailable(0);
    if (!*alive || LineBuffer.size() == before) return;
  }
}

bool TCustomLineWSocket::TriggerDataAvailable(uint16_t error) {
  if (!LineMode || LineEnd.empty() || SocksPhase != 0) {
    if (!LineBuffer.empty() && SocksPhase == 0) {
      // Bytes held from line mode go out before the socket is read again.
      auto alive = AliveToken();
      DeliverRaw(alive);
      if (!*alive || !LineBuffer.empty()) return true;
    }
    return TCustomSocksWSocket::TriggerDataAvailable(error);
  }
  auto alive = AliveToken();
  // A line still waiting from an earlier round is offered first.
  if (PendingLineLength > 0 && !DeliverPendingLine(alive)) {
    if (!*alive) return true;
  }
  int n = TCustomSocksWSocket::PendingCount();
  if (n < 0) return true;
  if (n == 0) n = 255;
  size_t heldBefore = LineBuffer.size();
  std::string fresh(size_t(n), '\0');
  int got = 0;
  if (LeftoverCount > 0 || HSocket != NoSocket) {
    got = TCustomSocksWSocket::RecvRaw(fresh.data(), n, 0);
    if (got > 0) BytesReceived += got;
  }
  if (got <= 0 && LineBuffer.empty()) return true;
  if (got > 0) {
    LineBuffer.append(fresh.data(), size_t(got));
    if (LineEdit) EditReceivedText(heldBefore);
    else if (LineEcho) SendText(fresh.substr(0, size_t(got)));
    if (!*alive) return true;
  }
  size_t searchStart = heldBefore > LineEnd.size() ? heldBefore - LineEnd.size() : 0;
  if (PendingLineLength > 0) return true;  // the pending line was not taken yet
  while (LineMode) {
    size_t i = LineBuffer.find(LineEnd, searchStart);
    if (i == std::string::npos) break;
    PendingLineLength = int(i + LineEnd.size());
    LineSeen = LineFoundThisRound = true;
    if (!DeliverPendingLine(alive)) return true;
    searchStart = 0;
    if (!LineMode) {
      DeliverRaw(alive);
      return true;
    }
  }
  if (LineLimit > 0 && int(LineBuffer.size()) > LineLimit && PendingLineLength == 0) {
    bool clear = true;
    TriggerLineLimitExceeded(int(LineBuffer.size()), clear);
    if (!*alive) return true;
    if (clear) {
      LineBuffer.clear();
      PendingLineLength = 0;
    }
  }
  return true;
}

void TCustomLineWSocket::EditReceivedText(size_t heldBefore) {
  std::string out = LineBuffer.substr(0, heldBefore);
  std::string echo;
  size_t lowest = heldBefore;
  for (size_t k = heldBefore; k < LineBuffer.size(); ++k) {
    char c = LineBuffer[k];
    if (c == 8) {
      if (!out.empty()) {
        if (LineEcho) echo += "\b \b";
        out.pop_back();
        lowest = std::min(lowest, out.size());
      }
    } else if (c == 9) {
      do {
        out += ' ';
        if (LineEcho) echo += ' ';
      } while (out.size() % 8 != 0);
    } else {
      out += c;
      if (LineEcho) echo += c;
    }
  }
  LineBuffer = out;
  if (!echo.empty()) SendText(echo);
}

void TCustomLineWSocket::HandleLineDataMessage() {
  auto alive = AliveToken();
  for (int round = 0; (!LineBuffer.empty() || PendingLineLength > 0) && *alive; ++round) {
    size_t before = LineBuffer.size();
    LineFoundThisRound = false;
    TriggerDataAvailable(0);
    if (!*alive || LineBuffer.empty()) return;
    if (LineMode && round >= 2 && !LineFoundThisRound) return;
    if (LineBuffer.size() == before && !LineFoundThisRound) return;
  }
}

void TCustomLineWSocket::TriggerSessionClosed(uint16_t error) {
  LineSeen = true;
  auto alive = AliveToken();
  if (LineMode && !LineBuffer.empty()) {
    // An unterminated last line is delivered once before the close is told.
    PendingLineLength = int(LineBuffer.size());
    DeliverPendingLine(alive);
    if (!*alive) return;
  }
  LineBuffer.clear();
  PendingLineLength = 0;
  TCustomSocksWSocket::TriggerSessionClosed(error);
}

int TCustomSyncWSocket::WaitForFlag(bool& flag) {
  DWORD stop = GetTickCount() + WaitTimeout;
  while (!flag) {
    if (WaitTimeout > 0 && int32_t(GetTickCount() - stop) > 0) return 12001;
    if (IsTerminating()) return 12001;
    PumpPending();
    if (!flag) Sleep(0);
  }
  return 0;
}

int TCustomSyncWSocket::RunAndWait(const std::function<void()>& proc, bool& flag) {
  flag = false;
  if (proc) proc();
  return WaitForFlag(flag);
}

}  // namespace sonvelt::net
