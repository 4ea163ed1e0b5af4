// Run-time binding of the Windows sockets library: loaded on the first socket
// call, unloaded when the last socket goes. Also the synchronous resolvers and
// the error texts every client uses in its messages.
#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>
#include <string>

namespace sonvelt::net {

namespace ws {

enum EntryId {
  eWSAStartup, eWSACleanup, eWSASetLastError, eWSAGetLastError, eWSACancelAsyncRequest, eWSAAsyncGetHostByName,
  eWSAAsyncGetHostByAddr, eWSAAsyncSelect, egetservbyname, egetprotobyname, egethostbyname, egethostbyaddr,
  egethostname, esocket, eshutdown, esetsockopt, egetsockopt, esendto, esend, entohs, elisten, eioctlsocket,
  einet_ntoa, einet_addr, ehtons, egetsockname, egetpeername, econnect, eclosesocket, ebind, eaccept, erecv,
  erecvfrom, eWSAIoctl, eEntryCount
};

// Binds the entry point on first use; raises ESocketException when it cannot.
void* Entry(EntryId id);

#define SONVELT_WS_ENTRY(fn)                                               \
  template <class... A>                                                    \
  inline auto fn(A... a) {                                                 \
    return reinterpret_cast<decltype(&::fn)>(Entry(e##fn))(a...);           \
  }
SONVELT_WS_ENTRY(WSAStartup)
SONVELT_WS_ENTRY(WSACleanup)
SONVELT_WS_ENTRY(WSASetLastError)
SONVELT_WS_ENTRY(WSAGetLastError)
SONVELT_WS_ENTRY(WSACancelAsyncRequest)
SONVELT_WS_ENTRY(WSAAsyncGetHostByName)
SONVELT_WS_ENTRY(WSAAsyncGetHostByAddr)
SONVELT_WS_ENTRY(WSAAsyncSelect)
SONVELT_WS_ENTRY(getservbyname)
SONVELT_WS_ENTRY(getprotobyname)
SONVELT_WS_ENTRY(gethostbyname)
SONVELT_WS_ENTRY(gethostbyaddr)
SONVELT_WS_ENTRY(gethostname)
SONVELT_WS_ENTRY(socket)
SONVELT_WS_ENTRY(shutdown)
SONVELT_WS_ENTRY(setsockopt)
SONVELT_WS_ENTRY(getsockopt)
SONVELT_WS_ENTRY(sendto)
SONVELT_WS_ENTRY(send)
SONVELT_WS_ENTRY(ntohs)
SONVELT_WS_ENTRY(listen)
SONVELT_WS_ENTRY(ioctlsocket)
SONVELT_WS_ENTRY(inet_ntoa)
SONVELT_WS_ENTRY(inet_addr)
SONVELT_WS_ENTRY(htons)
SONVELT_WS_ENTRY(getsockname)
SONVELT_WS_ENTRY(getpeername)
SONVELT_WS_ENTRY(connect)
SONVELT_WS_ENTRY(closesocket)
SONVELT_WS_ENTRY(bind)
SONVELT_WS_ENTRY(accept)
SONVELT_WS_ENTRY(recv)
SONVELT_WS_ENTRY(recvfrom)
SONVELT_WS_ENTRY(WSAIoctl)
#undef SONVELT_WS_ENTRY

}  // namespace ws

// Loads (and starts) the library; with a name, also binds that entry point.
void* WinsockEntry(const std::string& name);
void* Winsock2Entry(const std::string& name);
void UnloadWinsock();
bool IsWinsockLoaded();

// Sockets count themselves so the library stays loaded while one lives.
void IncSocketCount();
void DecSocketCount();  // unloads the library when the count drops below 1
int GetSocketCount();

uint8_t GetReqVerLow();
uint8_t GetReqVerHigh();
// False when the library is loaded (the version can then not change).
bool SetReqVerLow(uint8_t value);
bool SetReqVerHigh(uint8_t value);

std::string LocalHostName();  // raises ESocketException
std::string WinsockErrorText(int code);
std::string WinsockErrorMessage(int code);
std::string SystemErrorMessage(int code);

bool IsDottedAddress(const std::string& text);
uint32_t ParseLeadingNumber(const std::string& text);
uint32_t ResolveHost(const std::string& text);  // network order
uint16_t ResolvePort(const std::string& port, const std::string& proto);  // host order
int ResolveProto(const std::string& text);
std::string DottedAddress(uint32_t networkOrder);

}  // namespace sonvelt::net
