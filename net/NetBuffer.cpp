#include "net/NetBuffer.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "net/NetException.h"

namespace sonvelt::net {

TNetBuffer::TNetBuffer(int size) { Resize(size); }

TNetBuffer::~TNetBuffer() { delete[] BlockData; }

void TNetBuffer::Resize(int size) {
  if (size <= 0) size = 1460;
  if (size == Size) return;
  size = std::max(size, WriteOffset);
  auto* block = new uint8_t[size_t(size)];
  if (WriteOffset > 0) std::memcpy(block, BlockData, size_t(WriteOffset));
  delete[] BlockData;
  BlockData = block;
  Size = size;
}

int TNetBuffer::Write(const void* data, int offset, int length) {
  int room = Size - WriteOffset;
  if (room <= 0 || length <= 0) return 0;
  int n = std::min(room, length);
  std::memcpy(BlockData + WriteOffset, static_cast<const uint8_t*>(data) + offset, size_t(n));
  WriteOffset += n;
  return n;
}

int TNetBuffer::Peek(const uint8_t*& address) const {
  int n = WriteOffset - ReadOffset;
  if (n > 0) address = BlockData + ReadOffset;
  return std::max(n, 0);
}

int TNetBuffer::Remove(int count) {
  int unread = WriteOffset - ReadOffset;
  if (unread <= 0) return 0;
  int n = std::min(count, unread);
  ReadOffset += n;
  if (ReadOffset >= WriteOffset) ReadOffset = WriteOffset = 0;
  return n;
}

TNetBufferLinkedList::~TNetBufferLinkedList() {
  while (TNetBuffer* b = PopFront()) delete b;
}

void TNetBufferLinkedList::PushFront(TNetBuffer* block) {
  block->Prev = nullptr;
  block->Next = Head;
  if (Head) Head->Prev = block;
  Head = block;
  if (!Tail) Tail = block;
}

void TNetBufferLinkedList::PushBack(TNetBuffer* block) {
  block->Next = nullptr;
  block->Prev = Tail;
  if (Tail) Tail->Next = block;
  Tail = block;
  if (!Head) Head = block;
}

TNetBuffer* TNetBufferLinkedList::PopFront() {
  TNetBuffer* b = Head;
  if (!b) return nullptr;
  Head = b->Next;
  if (Head) Head->Prev = nullptr;
  else Tail = nullptr;
  b->Next = b->Prev = nullptr;
  return b;
}

TNetBufferHandler::TNetBufferHandler(int bufSize) : BufSize(bufSize <= 0 ? 1460 : bufSize) {
  InitializeCriticalSection(&Section);
}

TNetBufferHandler::~TNetBufferHandler() { DeleteCriticalSection(&Section); }

TNetBuffer* TNetBufferHandler::TakeBlock() {
  TNetBuffer* b = SpareBlocks.PopFront();
  if (!b) b = new TNetBuffer(BufSize);
  UsedBlocks.PushBack(b);
  return b;
}

void TNetBufferHandler::Write(const void* data, int length) {
  if (length <= 0) return;
  TNetBuffer* block = UsedBlocks.Tail ? UsedBlocks.Tail : TakeBlock();
  int offset = 0;
  while (true) {
    int taken = block->Write(data, offset, length);
    if (taken >= length) return;
    length -= taken;
    offset += taken;
    block = TakeBlock();
  }
}

int TNetBufferHandler::Peek(const uint8_t*& address) const {
  return UsedBlocks.Head ? UsedBlocks.Head->Peek(address) : 0;
}

int TNetBufferHandler::Remove(int count) {
  if (count < 0) throw ENetException("TNetBufferHandler.Remove: Invalid Len " + std::to_string(count));
  if (!UsedBlocks.Head) throw ENetException("TNetBufferHandler.Remove: nothing to remove");
  int n = UsedBlocks.Head->Remove(count);
  if (UsedBlocks.Head->DataCount() == 0) SpareBlocks.PushFront(UsedBlocks.PopFront());
  return n;
}

bool TNetBufferHandler::HasNoData() const { return !UsedBlocks.Head || UsedBlocks.Head->DataCount() == 0; }

void TNetBufferHandler::ClearAll() {
  while (TNetBuffer* b = UsedBlocks.PopFront()) {
    b->Remove(b->DataCount());
    SpareBlocks.PushFront(b);
  }
}

}  // namespace sonvelt::net
