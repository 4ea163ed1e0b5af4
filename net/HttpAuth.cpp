// The Basic and NTLM authentication steps of the web client toward servers
// (401) and proxies (407).
#include "net/HttpCli.h"
#include "net/MimeUtils.h"
#include "net/NetException.h"

namespace sonvelt::net {
namespace {

// The last header that offers the scheme wins.
bool FindScheme(const TStrings* headers, const std::string& scheme, std::string* found = nullptr) {
  for (int i = headers->GetCount() - 1; i >= 0; --i)
    if (StartsTextCi(headers->GetStrings(i), scheme)) {
      if (found) *found = headers->GetStrings(i);
      return true;
    }
  return false;
}

}  // namespace

void THttpCli::SetKeepAliveFor(bool proxy) {
  if (RequestVer == "1.0" || ResponseVersion == "1.0" || ResponseVersion.empty())
    (proxy ? ProxyConnectionValue : ConnectionValue) = "Keep-alive";
}

void THttpCli::ArmPreemptiveAuth() {
  if (!Proxy.empty() && ProxyAuth != httpAuthNone && !ProxyUsername.empty() && !ProxyPassword.empty()) {
    if (!SameConnection()) {
      if (ProxyAuth == httpAuthNtlm) {
        ProxyAuthNTLMState = 1;
        SetKeepAliveFor(true);
      } else {
        ProxyAuthBasicState = 1;
      }
    } else if (ProxyAuth == httpAuthBasic) {
      ProxyAuthNTLMState = 4;
      SetKeepAliveFor(true);
    }
  }
  if (ServerAuth != httpAuthNone && !CurrUser.empty() && !CurrPass.empty()) {
    if (ServerAuth == httpAuthNtlm) {
      AuthNTLMState = 1;
      SetKeepAliveFor(false);
    } else {
      AuthBasicState = 1;
    }
  }
}

std::string THttpCli::NTLMMessage1Text() { return NtlmMessage1("", ""); }

std::string THttpCli::NTLMMessage3Text(bool proxy) {
  std::string host;
  try {
    host = LocalHostName();
  } catch (...) {
  }
  const TNTLM_Msg2_Info& info = proxy ? ProxyNTLMMsg2Info : NTLMMsg2Info;
  return proxy ? NtlmMessage3("", host, ProxyUsername, info.Challenge, ProxyPassword)
               : NtlmMessage3("", host, CurrUser, info.Challenge, CurrPass);
}

void THttpCli::AddAuthorizationLines(TStrings* lines) {
  if (ProxyAuthNTLMState != 1) {
    if (AuthNTLMState == 1) lines->Add("Authorization: NTLM " + NTLMMessage1Text());
    else if (AuthNTLMState == 3) lines->Add("Authorization: NTLM " + NTLMMessage3Text(false));
    else if (AuthBasicState == 1) lines->Add("Authorization: Basic " + Base64EncodeText(CurrUser + ":" + CurrPass));
  }
  if (ProxyAuthNTLMState == 1) lines->Add("Proxy-Authorization: NTLM " + NTLMMessage1Text());
  else if (ProxyAuthNTLMState == 3) lines->Add("Proxy-Authorization: NTLM " + NTLMMessage3Text(true));
  else if (ProxyAuthBasicState == 1)
    lines->Add("Proxy-Authorization: Basic " + Base64EncodeText(ProxyUsername + ":" + ProxyPassword));
}

void THttpCli::UpdateNTLMStates() {
  if (AuthNTLMState == 3 && StatusCode != 401 && StatusCode != 407) AuthNTLMState = 4;
  else if (AuthNTLMState == 4 && StatusCode == 401) AuthNTLMState = 0;
  if (ProxyAuthNTLMState == 3 && StatusCode != 407) ProxyAuthNTLMState = 4;
  else if (ProxyAuthNTLMState == 4 && StatusCode == 407) ProxyAuthNTLMState = 0;
}

void THttpCli::UpdateBasicStates() {
  if (AuthBasicState == 1 && StatusCode != 401 && StatusCode != 407) AuthBasicState = 2;
  else if (AuthBasicState == 2 && StatusCode == 401) AuthBasicState = 0;
  if (ProxyAuthBasicState == 1 && StatusCode != 407) ProxyAuthBasicState = 2;
  else if (ProxyAuthBasicState == 2 && StatusCode == 407) ProxyAuthBasicState = 0;
}

bool THttpCli::PrepareNTLMAuth(bool& restart) {
  if (Options.Contains(httpoNoNTLMAuth) &&
      ((StatusCode == 401 && ServerAuth == httpAuthNtlm) || (StatusCode == 407 && ProxyAuth == httpAuthNtlm)))
    return false;
  if (StatusCode == 401 && AuthBasicState == 0 && !CurrUser.empty() && !CurrPass.empty() &&
      FindScheme(AuthHeaders.get(), "NTLM")) {
    StartNTLMAuth();
    restart = AuthNTLMState == 1 || AuthNTLMState == 3;
    return true;
  }
  if (StatusCode == 407 && ProxyAuthBasicState == 0 && !ProxyUsername.empty() &&
      !ProxyPassword.empty() && FindScheme(AuthHeaders.get(), "NTLM")) {
    StartProxyNTLMAuth();
    restart = ProxyAuthNTLMState == 1 || ProxyAuthNTLMState == 3;
    return true;
  }
  return false;
}

bool THttpCli::PrepareBasicAuth(bool& restart) {
  if (Options.Contains(httpoNoBasicAuth) &&
      ((StatusCode == 401 && ServerAuth == httpAuthBasic) || (StatusCode == 407 && ProxyAuth == httpAuthBasic)))
    return false;
  if (StatusCode == 401 && AuthNTLMState == 0 && !CurrUser.empty() && !CurrPass.empty() &&
      FindScheme(AuthHeaders.get(), "Basic")) {
    StartBasicAuth();
    restart = AuthBasicState == 1;
    return true;
  }
  if (StatusCode == 407 && ProxyAuthNTLMState == 0 && !ProxyUsername.empty() &&
      !ProxyPassword.empty() && FindScheme(AuthHeaders.get(), "Basic")) {
    StartProxyBasicAuth();
    restart = ProxyAuthBasicState == 1;
    return true;
  }
  return false;
}

// One NTLM step toward the server or the proxy, by its state.
void THttpCli::NTLMStep(uint8_t& state, uint8_t& basicState, TNTLM_Msg2_Info& challenge, bool proxy) {
  switch (state) {
    case 0:
      Trace(proxy ? "Starting Proxy NTLM authentication" : "Starting NTLM authentication");
      state = 1;
      basicState = 0;
      SetKeepAliveFor(proxy);
      PostOwn(RestartMsg);
      break;
    case 1: {
      std::string header;
      if (!FindScheme(AuthHeaders.get(), "NTLM", &header)) return;
      challenge = NtlmParseMessage2(Trim(header.substr(std::min<size_t>(5, header.size()), 1000)));
      if (!challenge.Msg2Ok) {
        // Never answered: a response computed on a challenge that is not the
        // server's tells nothing, and one to a known challenge is exactly
        // what precomputed password tables need.
        AuthHeaders->Clear();
        state = 0;
        RequestDoneError = httperrAuthChallenge;
        StatusText = proxy ? "Malformed NTLM challenge from the proxy" : "Malformed NTLM challenge from the server";
        PostRequestDone();
        return;
      }
      state = 3;
      PostOwn(RestartMsg);
      break;
    }
    case 3:  // the answer was refused
      AuthHeaders->Clear();
      state = 0;
      PostRequestDone();
      break;
    default:
      throw EHttpException(proxy ? "Unexpected ProxyAuthNTLMState" : "Unexpected AuthNTLMState", 6);
  }
}

void THttpCli::BasicStep(uint8_t& state, uint8_t& ntlmState, bool proxy) {
  switch (state) {
    case 0:
      Trace(proxy ? "Starting Proxy Basic authentication" : "Starting Basic authentication");
      state = 1;
      ntlmState = 0;
      PostOwn(RestartMsg);
      break;
    case 1:  // the credentials were refused
      AuthHeaders->Clear();
      state = 0;
      PostRequestDone();
      break;
    default:
      throw EHttpException(proxy ? "Unexpected ProxyAuthBasicState" : "Unexpected AuthBasicState", 6);
  }
}

void THttpCli::StartNTLMAuth() { NTLMStep(AuthNTLMState, AuthBasicState, NTLMMsg2Info, false); }
void THttpCli::StartProxyNTLMAuth() { NTLMStep(ProxyAuthNTLMState, ProxyAuthBasicState, ProxyNTLMMsg2Info, true); }
void THttpCli::StartBasicAuth() { BasicStep(AuthBasicState, AuthNTLMState, false); }
void THttpCli::StartProxyBasicAuth() { BasicStep(ProxyAuthBasicState, ProxyAuthNTLMState, true); }

}  // namespace sonvelt::net
