// The send chain of a socket: data waits in fixed-size blocks until the
// network takes it; emptied blocks are kept for reuse.
#pragma once
#include <windows.h>

#include <cstdint>

namespace sonvelt::net {

class TNetBuffer {
public:
  explicit TNetBuffer(int size);
  ~TNetBuffer();
  TNetBuffer(const TNetBuffer&) = delete;
  TNetBuffer& operator=(const TNetBuffer&) = delete;

  void Resize(int size);
  int Write(const void* data, int offset, int length);
  int Peek(const uint8_t*& address) const;
  int Remove(int count);
  int DataCount() const { return WriteOffset - ReadOffset; }
  int GetSize() const { return Size; }
  int GetReadOffset() const { return ReadOffset; }
  int GetWriteOffset() const { return WriteOffset; }

  TNetBuffer* Next = nullptr;
  TNetBuffer* Prev = nullptr;

private:
  uint8_t* BlockData = nullptr;
  int Size = 0;
  int WriteOffset = 0;
  int ReadOffset = 0;
};

class TNetBufferLinkedList {
public:
  TNetBufferLinkedList() = default;
  ~TNetBufferLinkedList();
  TNetBufferLinkedList(const TNetBufferLinkedList&) = delete;
  TNetBufferLinkedList& operator=(const TNetBufferLinkedList&) = delete;
  void PushFront(TNetBuffer* block);
  void PushBack(TNetBuffer* block);
  TNetBuffer* PopFront();
  TNetBuffer* Head = nullptr;
  TNetBuffer* Tail = nullptr;
};

class TNetBufferHandler {
public:
  explicit TNetBufferHandler(int bufSize = 1460);
  ~TNetBufferHandler();
  TNetBufferHandler(const TNetBufferHandler&) = delete;
  TNetBufferHandler& operator=(const TNetBufferHandler&) = delete;

  void Lock() { EnterCriticalSection(&Section); }
  void Unlock() { LeaveCriticalSection(&Section); }
  int GetBufSize() const { return BufSize; }
  void SetBufSize(int size) { BufSize = size <= 0 ? 1460 : size; }

  void Write(const void* data, int length);
  int Peek(const uint8_t*& address) const;
  int Remove(int count);  // raises ENetException for a negative count or an empty chain
  bool HasNoData() const;
  void ClearAll();

  TNetBufferLinkedList UsedBlocks;
  TNetBufferLinkedList SpareBlocks;

private:
  TNetBuffer* TakeBlock();
  int BufSize;
  CRITICAL_SECTION Section;
};

}  // namespace sonvelt::net
