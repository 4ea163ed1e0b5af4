#include "net/WinsockBinding.h"

#include <mutex>

#include "framework/Exceptions.h"
#include "net/MimeUtils.h"
#include "net/NetException.h"

namespace sonvelt::net {
namespace {

const char* const kEntryNames[ws::eEntryCount] = {
    "WSAStartup", "WSACleanup", "WSASetLastError", "WSAGetLastError", "WSACancelAsyncRequest",
    "WSAAsyncGetHostByName", "WSAAsyncGetHostByAddr", "WSAAsyncSelect", "getservbyname", "getprotobyname",
    "gethostbyname", "gethostbyaddr", "gethostname", "socket", "shutdown", "setsockopt", "getsockopt", "sendto",
    "send", "ntohs", "listen", "ioctlsocket", "inet_ntoa", "inet_addr", "htons", "getsockname", "getpeername",
    "connect", "closesocket", "bind", "accept", "recv", "recvfrom", "WSAIoctl"};

std::recursive_mutex& BindLock() {
  static std::recursive_mutex m;
  return m;
}
HMODULE gWsock32 = nullptr;
HMODULE gWs2_32 = nullptr;
void* gEntries[ws::eEntryCount] = {};
int gSocketCount = 0;
uint8_t gReqVerLow = 1, gReqVerHigh = 1;

void LoadWsock32() {
  if (gWsock32) return;
  HMODULE lib = LoadLibraryW(L"wsock32.dll");
  if (!lib) throw ESocketException("Unable to load wsock32.dll - " + SystemErrorMessage(int(GetLastError())));
  gWsock32 = lib;
  auto startup = reinterpret_cast<decltype(&::WSAStartup)>(reinterpret_cast<void*>(GetProcAddress(lib, "WSAStartup")));
  WSADATA data;
  int rc = startup ? startup(MAKEWORD(gReqVerHigh, gReqVerLow), &data) : int(GetLastError());
  if (rc != 0) throw ESocketException("Winsock startup error wsock32.dll - " + SystemErrorMessage(rc));
}

// Holds the socket count for the duration of a call, so that no other thread
// unloads the library under it.
struct CountHold {
  CountHold() { IncSocketCount(); }
  ~CountHold() { DecSocketCount(); }
};

}  // namespace

void* WinsockEntry(const std::string& name) {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  LoadWsock32();
  if (name.empty()) return nullptr;
  void* p = reinterpret_cast<void*>(GetProcAddress(gWsock32, name.c_str()));
  if (!p)
    throw ESocketException("Procedure " + name + " not found in wsock32.dll - " +
                           SystemErrorMessage(int(GetLastError())));
  return p;
}

void* Winsock2Entry(const std::string& name) {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  WinsockEntry("");
  if (!gWs2_32) {
    gWs2_32 = LoadLibraryW(L"ws2_32.dll");
    if (!gWs2_32) throw ESocketException("Unable to load ws2_32.dll - " + SystemErrorMessage(int(GetLastError())));
  }
  void* p = reinterpret_cast<void*>(GetProcAddress(gWs2_32, name.c_str()));
  if (!p)
    throw ESocketException("Procedure " + name + " not found in ws2_32.dll - " +
                           SystemErrorMessage(int(GetLastError())));
  return p;
}

void* ws::Entry(EntryId id) {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  if (!gEntries[id])
    gEntries[id] = id == eWSAIoctl ? Winsock2Entry(kEntryNames[id]) : WinsockEntry(kEntryNames[id]);
  return gEntries[id];
}

void UnloadWinsock() {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  if (!gWsock32 || gSocketCount > 0) return;
  if (auto cleanup = reinterpret_cast<decltype(&::WSACleanup)>(reinterpret_cast<void*>(GetProcAddress(gWsock32, "WSACleanup")))) cleanup();
  if (gWs2_32) FreeLibrary(gWs2_32);
  FreeLibrary(gWsock32);
  gWs2_32 = gWsock32 = nullptr;
  for (auto& e : gEntries) e = nullptr;
}

bool IsWinsockLoaded() {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  return gWsock32 != nullptr;
}

void IncSocketCount() {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  ++gSocketCount;
}

void DecSocketCount() {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  if (--gSocketCount < 1) UnloadWinsock();
}

int GetSocketCount() {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  return gSocketCount;
}

uint8_t GetReqVerLow() { return gReqVerLow; }
uint8_t GetReqVerHigh() { return gReqVerHigh; }

bool SetReqVerLow(uint8_t value) {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  if (value == gReqVerLow) return true;
  if (gWsock32) return false;
  gReqVerLow = value;
  return true;
}

bool SetReqVerHigh(uint8_t value) {
  std::lock_guard<std::recursive_mutex> g(BindLock());
  if (value == gReqVerHigh) return true;
  if (gWsock32) return false;
  gReqVerHigh = value;
  return true;
}

std::string LocalHostName() {
  CountHold hold;
  char buf[256] = {};
  if (ws::gethostname(buf, int(sizeof buf)) != 0) throw ESocketException("Winsock Get Host Name failed");
  buf[sizeof buf - 1] = 0;
  return buf;
}

std::string WinsockErrorText(int code) {
  switch (code) {
    case 0: return "No Error";
    case 10004: return "Interrupted system call";
    case 10009: return "Bad file number";
    case 10013: return "Permission denied";
    case 10014: return "Bad address";
    case 10022: return "Invalid argument";
    case 10024: return "Too many open files";
    case 10035: return "Operation would block";
    case 10036: return "Operation now in progress";
    case 10037: return "Operation already in progress";
    case 10038: return "Socket operation on non-socket";
    case 10039: return "Destination address required";
    case 10040: return "Message too long";
    case 10041: return "Protocol wrong type for socket";
    case 10042: return "Protocol not available";
    case 10043: return "Protocol not supported";
    case 10044: return "Socket type not supported";
    case 10045: return "Operation not supported on socket";
    case 10046: return "Protocol family not supported";
    case 10047: return "Address family not supported by protocol family";
    case 10048: return "Address already in use";
    case 10049: return "Address not available";
    case 10050: return "Network is down";
    case 10051: return "Network is unreachable";
    case 10052: return "Network dropped connection on reset";
    case 10053: return "Connection aborted";
    case 10054: return "Connection reset by peer";
    case 10055: return "No buffer space available";
    case 10056: return "Socket is already connected";
    case 10057: return "Socket is not connected";
    case 10058: return "Can't send after socket shutdown";
    case 10059: return "Too many references: can't splice";
    case 10060: return "Connection timed out";
    case 10061: return "Connection refused";
    case 10062: return "Too many levels of symbolic links";
    case 10063: return "File name too long";
    case 10064: return "Host is down";
    case 10065: return "No route to host";
    case 10066: return "Directory not empty";
    case 10067: return "Too many processes";
    case 10068: return "Too many users";
    case 10069: return "Disc quota exceeded";
    case 10070: return "Stale NFS file handle";
    case 10071: return "Too many levels of remote in path";
    case 10091: return "Network sub-system is unusable";
    case 10092: return "WinSock DLL cannot support this application";
    case 10093: return "WinSock not initialized";
    case 11001: return "Host not found";
    case 11002: return "Non-authoritative host not found";
    case 11003: return "Non-recoverable error";
    case 11004: return "No Data";
    default: return "Not a WinSock error";
  }
}

std::string WinsockErrorMessage(int code) { return WinsockErrorText(code) + " (#" + std::to_string(code) + ")"; }

std::string SystemErrorMessage(int code) {
  return SysErrorMessage(uint32_t(code)) + " (#" + std::to_string(code) + ")";
}

bool IsDottedAddress(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && text[i] == '.') return false;
  int dots = 0;
  uint32_t part = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      part = part * 10 + uint32_t(c - '0');
      if (part > 100000) return false;
    } else if (c == '.') {
      if (++dots > 3 || part > 255 || i + 1 >= text.size() || text[i + 1] < '0' || text[i + 1] > '9') return false;
      part = 0;
    } else {
      for (; i < text.size(); ++i)
        if (text[i] != ' ') return false;
      break;
    }
  }
  return dots == 3 && part <= 255;
}

uint32_t ParseLeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  uint32_t n = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) n = n * 10 + uint32_t(text[i] - '0');
  return n;
}

uint32_t ResolveHost(const std::string& text) {
  if (text.empty()) throw ESocketException("Winsock Resolve Host: '" + text + "' Invalid Hostname.");
  if (IsDottedAddress(text)) {
    uint32_t a = ws::inet_addr(Trim(text).c_str());
    if (a == INADDR_NONE && Trim(text) != "255.255.255.255")
      throw ESocketException("Winsock Resolve Host: '" + text + "' Invalid IP address.");
    return a;
  }
  hostent* h = ws::gethostbyname(text.c_str());
  if (!h || !h->h_addr_list || !h->h_addr_list[0])
    throw ESocketException("Winsock Resolve Host: Cannot convert host address '" + text + "' - " +
                           WinsockErrorMessage(ws::WSAGetLastError()));
  uint32_t a;
  memcpy(&a, h->h_addr_list[0], 4);
  return a;
}

uint16_t ResolvePort(const std::string& port, const std::string& proto) {
  if (port.empty()) throw ESocketException("Winsock Resolve Port: Invalid Port.");
  if (proto.empty()) throw ESocketException("Winsock Resolve Port: Invalid Proto.");
  if (port[0] >= '0' && port[0] <= '9') return uint16_t(ParseLeadingNumber(port));
  servent* s = ws::getservbyname(port.c_str(), proto.c_str());
  if (!s)
    throw ESocketException("Winsock Resolve Port: Cannot convert port '" + port + "' - " +
                           WinsockErrorMessage(ws::WSAGetLastError()));
  return ws::ntohs(u_short(s->s_port));
}

int ResolveProto(const std::string& text) {
  if (text.empty()) throw ESocketException("Winsock Resolve Proto: Invalid Protocol.");
  if (text[0] >= '0' && text[0] <= '9') return int(ParseLeadingNumber(text));
  std::string p = LowerCase(Trim(text));
  if (p == "tcp") return IPPROTO_TCP;
  if (p == "udp") return IPPROTO_UDP;
  if (p == "raw") return IPPROTO_RAW;
  protoent* pe = ws::getprotobyname(p.c_str());
  if (!pe)
    throw ESocketException("Winsock Resolve Proto: Cannot convert protocol '" + text + "' - " +
                           WinsockErrorMessage(ws::WSAGetLastError()));
  return pe->p_proto;
}

std::string DottedAddress(uint32_t a) {
  auto* b = reinterpret_cast<const uint8_t*>(&a);
  return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." + std::to_string(b[3]);
}

}  // namespace sonvelt::net
