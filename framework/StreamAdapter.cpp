#include "framework/StreamAdapter.h"

#include <algorithm>
#include <vector>

TStreamAdapter::TStreamAdapter(TStream* Stream, TStreamOwnership Ownership) : FStream(Stream), FOwnership(Ownership) {}

TStreamAdapter::~TStreamAdapter() {
  if (FOwnership == soOwned) Free(FStream);
}

HRESULT TStreamAdapter::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream) {
    *ppv = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG TStreamAdapter::AddRef() { return InterlockedIncrement(&FRefCount); }

ULONG TStreamAdapter::Release() {
  LONG n = InterlockedDecrement(&FRefCount);
  if (n == 0) delete this;
  return n;
}

// No exception may cross the COM boundary: each method answers with an HRESULT.
// A stream that throws has failed: S_FALSE would tell the caller it merely
// reached the end, and the count it reads must not be left unset.
HRESULT TStreamAdapter::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  if (!pv) return STG_E_INVALIDPOINTER;
  try {
    int n = FStream->Read(pv, static_cast<int>(cb));
    if (pcbRead) *pcbRead = static_cast<ULONG>(n);
    return static_cast<ULONG>(n) == cb ? S_OK : S_FALSE;
  } catch (...) {
    return STG_E_READFAULT;
  }
}

HRESULT TStreamAdapter::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  if (pcbWritten) *pcbWritten = 0;
  if (!pv) return STG_E_INVALIDPOINTER;
  try {
    int n = FStream->Write(pv, static_cast<int>(cb));
    if (pcbWritten) *pcbWritten = static_cast<ULONG>(n);
    return static_cast<ULONG>(n) == cb ? S_OK : STG_E_CANTSAVE;
  } catch (...) {
    return STG_E_CANTSAVE;
  }
}

HRESULT TStreamAdapter::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) {
  if (dwOrigin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
  try {
    std::int64_t p = FStream->Seek(dlibMove.QuadPart, static_cast<TSeekOrigin>(dwOrigin));
    if (p < 0) return STG_E_INVALIDFUNCTION;
    if (plibNewPosition) plibNewPosition->QuadPart = static_cast<ULONGLONG>(p);
    return S_OK;
  } catch (...) {
    return STG_E_INVALIDFUNCTION;
  }
}

HRESULT TStreamAdapter::SetSize(ULARGE_INTEGER libNewSize) {
  try {
    FStream->SetSize(static_cast<std::int64_t>(libNewSize.QuadPart));
    return static_cast<ULONGLONG>(FStream->GetSize()) == libNewSize.QuadPart ? S_OK : E_FAIL;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT TStreamAdapter::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten) {
  if (!pstm) return STG_E_INVALIDPOINTER;
  std::vector<char> buf(0x10000);
  ULONGLONG left = cb.QuadPart, read = 0, written = 0;
  HRESULT hr = S_OK;
  while (left > 0) {
    ULONG want = static_cast<ULONG>(std::min<ULONGLONG>(left, buf.size()));
    int n = 0;
    try {
      n = FStream->Read(buf.data(), static_cast<int>(want));
    } catch (...) {
      hr = STG_E_READFAULT;
      break;
    }
    if (n <= 0) break;
    read += n;
    ULONG w = 0;
    hr = pstm->Write(buf.data(), static_cast<ULONG>(n), &w);
    written += w;
    if (FAILED(hr) || w != static_cast<ULONG>(n)) {
      if (SUCCEEDED(hr)) hr = STG_E_MEDIUMFULL;
      break;
    }
    left -= n;
  }
  if (pcbRead) pcbRead->QuadPart = read;
  if (pcbWritten) pcbWritten->QuadPart = written;
  return hr;
}

HRESULT TStreamAdapter::Commit(DWORD) { return S_OK; }
HRESULT TStreamAdapter::Revert() { return STG_E_REVERTED; }
HRESULT TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }
HRESULT TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

HRESULT TStreamAdapter::Stat(STATSTG* pstatstg, DWORD) {
  if (!pstatstg) return STG_E_INVALIDPOINTER;
  try {
    *pstatstg = STATSTG{};
    pstatstg->type = STGTY_STREAM;
    pstatstg->cbSize.QuadPart = static_cast<ULONGLONG>(FStream->GetSize());
    pstatstg->grfMode = STGM_READWRITE;
    pstatstg->grfLocksSupported = LOCK_WRITE;
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT TStreamAdapter::Clone(IStream** ppstm) {
  if (ppstm) *ppstm = nullptr;
  return E_NOTIMPL;
}
