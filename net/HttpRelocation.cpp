// Following "location" headers to a new address.
#include "net/HttpCli.h"
#include "net/MimeUtils.h"
#include "net/UrlUtils.h"

namespace sonvelt::net {
namespace {

// An absolute URL with the dot segments of its path resolved.
std::string ResolveUrlDots(const std::string& url) {
  size_t scheme = url.find("://");
  size_t slash = scheme == std::string::npos ? std::string::npos : url.find('/', scheme + 3);
  return slash == std::string::npos ? url : url.substr(0, slash) + RemoveDotSegments(url.substr(slash));
}

}  // namespace

// The new target is asked for with its "." and ".." segments resolved, as a
// server expects them and as a browser would ask.
void THttpCli::TakeLocation(const std::string& v) {
  Relocating = true;
  bool absolute = StartsTextCi(v, "http://") || StartsTextCi(v, "https://");
  std::string proto, user, pass, host, port, path;
  if (Proxy.empty()) {
    std::string hostPart = HostName + (TargetPort == "80" || TargetPort.empty() ? "" : ":" + TargetPort);
    if (!v.empty() && v[0] == '/') {
      Path = RemoveDotSegments(v);
      Location = "http://" + hostPart + Path;
    } else if (absolute) {
      SplitUrl(v, proto, user, pass, host, port, path);
      Path = path.empty() ? "/" : RemoveDotSegments(path);
      if (!user.empty() && !pass.empty()) {
        CurrUser = user;
        CurrPass = pass;
      }
      if (!host.empty()) {
        HostName = ConnectHost = host;
        TargetPort = ConnectPort = port.empty() ? "80" : port;
        Protocol = proto.empty() ? "http" : proto;
      }
      Location = Protocol + "://" + HostName + (TargetPort == "80" ? "" : ":" + TargetPort) + Path;
    } else {
      Path = RemoveDotSegments(UrlBaseOf(Path) + v);
      Location = "http://" + hostPart + Path;
    }
    return;
  }
  if (!v.empty() && v[0] == '/') {
    SplitUrl(Path, proto, user, pass, host, port, path);
    Location = (proto.empty() ? "http" : proto) + "://" + host + (port.empty() ? "" : ":" + port) +
               RemoveDotSegments(v);
    Path = Location;
    if (!user.empty() && !pass.empty()) {
      CurrUser = user;
      CurrPass = pass;
    }
  } else if (absolute) {
    SplitUrl(v, proto, user, pass, host, port, path);
    TargetPort = port.empty() ? "80" : port;
    if (!user.empty() && !pass.empty()) {
      CurrUser = user;
      CurrPass = pass;
    }
    if (!host.empty()) HostName = host;
    Location = (proto.empty() ? "http" : proto) + "://" + HostName + (port.empty() ? "" : ":" + port) +
               (path.empty() ? "/" : RemoveDotSegments(path));
    Path = Location;
  } else {
    Path = ResolveUrlDots(UrlBaseOf(Path) + v);
    Location = Path;
  }
}

// Counts a relocation; past the maximum only OnLocationChangeExceeded can allow it.
bool THttpCli::RelocationAllowed() {
  if (++LocationChangeCurCount <= LocationChangeMaxCount) return true;
  bool more = false;
  OnLocationChangeExceeded(this, LocationChangeCurCount, more);
  return more;
}

// The request goes out again for the new location, from a clean response.
void THttpCli::RestartAtLocation() {
  auto alive = AliveToken();
  OnLocationChange(this);
  if (!*alive) return;
  std::string keep = Location;
  RewindForRestart();
  Location = keep;
  DeriveDocName();
  if (RequestType == httpPOST) RequestType = httpGET;
  PostOwn(RestartMsg);
}

void THttpCli::StartRelocation() {
  Trace("Starting relocation process");
  ReceivedCount = 0;
  RcvBuf.clear();
  HeaderLineCount = BodyCallCount = 0;
  auto alive = AliveToken();
  bool allowed = RelocationAllowed();
  if (!*alive) return;
  if (!allowed) {
    Relocating = false;
    PostOwn(SetReadyMsg);
    return;
  }
  if (!SameConnection() || CloseAfterResponse) {
    Socket->OnSessionClosed = Bind(this, &THttpCli::RelocationClosed);
    if (Socket->GetState() == wsClosed) RelocationClosed(this, 0);
    else Socket->CloseLater();
    return;
  }
  RestartAtLocation();
}

void THttpCli::RelocationClosed(TObject*, uint16_t) {
  Connected = false;
  Relocating = false;
  if (RequestType == httpPOST) RequestType = httpGET;
  Socket->OnSessionClosed = Bind(this, &THttpCli::SocketSessionClosed);
  // A relocation over a new connection counts twice.
  auto alive = AliveToken();
  bool allowed = RelocationAllowed();
  if (!*alive) return;
  if (!allowed) {
    SetState(httpReady);
    return;
  }
  RestartAtLocation();
}

}  // namespace sonvelt::net
