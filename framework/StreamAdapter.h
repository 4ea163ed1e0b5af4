// TStreamAdapter: a COM IStream over a TStream, for Win32 and OLE calls that take
// one. It is reference counted as COM wants (starts at 0; the first AddRef is the
// caller's); with soOwned it frees the TStream when the last reference goes.
//
//   IStream* S = new TStreamAdapter(MyStream, soReference);  S->AddRef(); ...; S->Release();
#pragma once

#include <objidl.h>

#include "framework/Streams.h"

enum TStreamOwnership { soReference, soOwned };

class TStreamAdapter : public IStream {
public:
  TStreamAdapter(TStream* Stream, TStreamOwnership Ownership = soReference);
  TStreamAdapter(const TStreamAdapter&) = delete;
  TStreamAdapter& operator=(const TStreamAdapter&) = delete;
  virtual ~TStreamAdapter();

  TStream* GetStream() const { return FStream; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override;
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) override;
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                   ULARGE_INTEGER* pcbWritten) override;
  HRESULT STDMETHODCALLTYPE Commit(DWORD grfCommitFlags) override;
  HRESULT STDMETHODCALLTYPE Revert() override;
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override;
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override;
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
  HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override;

private:
  TStream* FStream;
  TStreamOwnership FOwnership;
  LONG FRefCount = 0;
};
