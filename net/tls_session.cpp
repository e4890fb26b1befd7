#include "net/tls_session.h"

#define SECURITY_WIN32
// The newer credential structure (SCH_CREDENTIALS) comes with this switch.
#define SCHANNEL_USE_BLACKLISTS
#include <windows.h>
#include <subauth.h>
#include <schannel.h>
#include <security.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>

#include "framework/sysutils.h"
#include "net/idhttp.h"
#include "net/tls_trust.h"

namespace talvik::net {

namespace {

// Room for many records of the largest size (16 KB of data plus its framing):
// one receive brings several, and the system is asked fewer times.
constexpr size_t kRecordRoom = 256 * 1024;
// Real servers' handshakes, certificate chains included, take a few KB, rarely
// tens: one that grows past this is no handshake to wait for.
constexpr size_t kMaxHandshakeBytes = 128 * 1024;
constexpr DWORD kContextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                ISC_REQ_EXTENDED_ERROR | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                                ISC_REQ_MANUAL_CRED_VALIDATION;

std::wstring OfferedTlsVersions();

std::wstring Hex32(long code) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(code));
  return text;
}

std::wstring StatusText(SECURITY_STATUS status) {
  switch (status) {
    case SEC_E_ILLEGAL_MESSAGE: return L"the server's answer is not valid TLS";
    case SEC_E_ALGORITHM_MISMATCH: return L"the server accepts no protocol version or cipher that this system offers";
    case SEC_E_UNSUPPORTED_FUNCTION: return L"the server asked for something the system does not support";
    case SEC_E_MESSAGE_ALTERED:
    case SEC_E_DECRYPT_FAILURE: return L"a message from the server was damaged or altered";
    case SEC_E_INVALID_TOKEN: return L"the server sent a message that does not belong in a handshake";
    case SEC_E_INTERNAL_ERROR: return L"the system's TLS library failed";
    default: return L"security error " + Hex32(status);
  }
}

// Whether bytes at a record boundary can start a TLS record: content type 20 to
// 24 and major version 3. Some systems wait for a whole "record" first, and a
// plain-http answer would announce one of over 20 KB that never comes.
bool CanStartRecord(const char* data, size_t size) {
  const auto type = static_cast<unsigned char>(data[0]);
  return (type >= 20 && type <= 24) && (size < 2 || data[1] == 3);
}

// Socket errors read "Socket Error # N" CR LF text; inside a sentence of ours they
// keep to one line.
std::wstring OneLine(std::wstring text) {
  for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.replace(at, 2, L" ");
  return text;
}

// The server's own reason, when it ends the handshake with a fatal alert: during
// the handshake alerts travel in the clear (5-byte record header, level, description).
std::wstring AlertReason(const char* data, size_t size) {
  if (size < 7 || data[0] != 21 || data[1] != 3 || static_cast<unsigned char>(data[5]) != 2) return {};
  switch (static_cast<unsigned char>(data[6])) {
    case 70: return L"the server accepts no TLS version that this system offers (" + OfferedTlsVersions() + L")";
    case 40:
    case 71: return L"the server accepts no protocol version or cipher that this system offers";
    case 112: return L"the server does not know the host name it was asked for";
    default: return L"the server ended the handshake with alert " + std::to_wstring(static_cast<unsigned char>(data[6]));
  }
}

SECURITY_STATUS SystemAcquire(void* cred, CredHandle& handle) {
  TimeStamp expiry;
  return AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr, cred,
                                   nullptr, nullptr, &handle, &expiry);
}

// The versions the credential offers, as the system itself reports them.
std::wstring VersionsOf(CredHandle& handle) {
  SecPkgCred_SupportedProtocols supported{};
  if (QueryCredentialsAttributesW(&handle, SECPKG_ATTR_SUPPORTED_PROTOCOLS, &supported) != SEC_E_OK)
    return L"TLS 1.2 or newer";
  const bool v12 = supported.grbitProtocol & SP_PROT_TLS1_2_CLIENT, v13 = supported.grbitProtocol & SP_PROT_TLS1_3_CLIENT;
  return v12 && v13 ? L"TLS 1.2 and 1.3" : v13 ? L"TLS 1.3" : L"TLS 1.2";
}

const TTlsCredentials& Credentials() {
  static TTlsCredentials shared;
  static std::once_flag once;
  std::call_once(once, [] { shared = AcquireTlsCredentials(SystemAcquire); });
  if (shared.Status != SEC_E_OK) throw EIdTlsError(L"The system's TLS is not available: " + StatusText(shared.Status));
  return shared;
}

// One credential for the whole process: Schannel keeps its session cache with
// it, so later connections to a host resume their session.
CredHandle* SharedCredentials() { return const_cast<CredHandle*>(&Credentials().Handle); }

std::wstring OfferedTlsVersions() { return L"it offers " + Credentials().Versions; }

}  // namespace

TTlsCredentials AcquireTlsCredentials(const std::function<long(void*, CredHandle&)>& AAcquire) {
  TTlsCredentials result;
  constexpr DWORD kFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
  // TLS 1.3 is offered only through this form; everything older than 1.2 is off.
  TLS_PARAMETERS parameters{};
  parameters.grbitDisabledProtocols = ~DWORD(SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT);
  SCH_CREDENTIALS modern{};
  modern.dwVersion = SCH_CREDENTIALS_VERSION;
  modern.dwFlags = kFlags;
  modern.cTlsParameters = 1;
  modern.pTlsParameters = &parameters;
  result.Status = AAcquire(&modern, result.Handle);
  if (result.Status == SEC_E_OK) {
    result.Form = L"SCH_CREDENTIALS";
    result.Versions = VersionsOf(result.Handle);
    return result;
  }
  // Systems that do not know that form take the older one; some of them refuse
  // the 1.3 flag in it, and then 1.2 alone is asked for.
  for (DWORD protocols : {DWORD(SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT), DWORD(SP_PROT_TLS1_2_CLIENT)}) {
    SCHANNEL_CRED cred{};
    cred.dwVersion = SCHANNEL_CRED_VERSION;
    cred.grbitEnabledProtocols = protocols;
    cred.dwFlags = kFlags;
    result.Status = AAcquire(&cred, result.Handle);
    if (result.Status == SEC_E_OK) {
      result.Form = L"SCHANNEL_CRED";
      result.Versions = VersionsOf(result.Handle);
      return result;
    }
  }
  return result;
}

std::wstring TTlsSession::CredentialsForm() { return Credentials().Form; }

struct TTlsSession::Handles {
  CtxtHandle Context{};
  bool HasContext = false;
  SecPkgContext_StreamSizes Sizes{};
};

TTlsSession::TTlsSession(Transport& ATransport)
    : FTransport(ATransport), FHandles(std::make_unique<Handles>()), FRecords(kRecordRoom) {}

TTlsSession::~TTlsSession() {
  if (FHandles->HasContext) DeleteSecurityContext(&FHandles->Context);
}

size_t TTlsSession::ReadMore() {
  if (FPlainSize == 0 && FCipherStart > 0) {
    std::memmove(FRecords.data(), FRecords.data() + FCipherStart, FCipherSize);
    FCipherStart = 0;
  }
  const size_t end = FCipherStart + FCipherSize;
  if (end == FRecords.size()) throw EIdBrokenReply(L"A TLS record from " + FHost + L" is too long.");
  const size_t n = FTransport.ReadRaw(FRecords.data() + end, FRecords.size() - end);
  FCipherSize += n;
  return n;
}

void TTlsSession::SendToken(void* ABuffer) {
  auto* token = static_cast<SecBuffer*>(ABuffer);
  if (!token->pvBuffer) return;
  struct Free {
    void* p;
    ~Free() { FreeContextBuffer(p); }
  } release{token->pvBuffer};
  if (token->cbBuffer) FTransport.WriteRaw(static_cast<const char*>(token->pvBuffer), token->cbBuffer);
  token->pvBuffer = nullptr;
}

void TTlsSession::Negotiate(bool AInitial) {
  CredHandle* credentials = SharedCredentials();
  const std::wstring what = AInitial ? L"TLS handshake with " : L"TLS renegotiation with ";
  auto fail = [&](const std::wstring& reason) { throw EIdTlsError(what + FHost + L" failed: " + reason); };
  size_t received = 0;
  auto readMore = [&] {
    if (FCipherStart + FCipherSize == FRecords.size() || received > kMaxHandshakeBytes)
      fail(L"the server's handshake grew past " + std::to_wstring(kMaxHandshakeBytes / 1024) + L" KB");
    const size_t n = ReadMore();
    if (n == 0) fail(L"the server closed the connection");
    received += n;
  };
  DWORD attributes = 0;
  int certificateRequests = 0;
  if (AInitial) {
    SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
    SECURITY_STATUS status = InitializeSecurityContextW(credentials, nullptr, FHost.data(), kContextFlags, 0, 0,
                                                        nullptr, 0, &FHandles->Context, &outDesc, &attributes, nullptr);
    if (status != SEC_I_CONTINUE_NEEDED && status != SEC_E_OK) fail(StatusText(status));
    FHandles->HasContext = true;
    SendToken(&out);
  }
  // A renegotiation starts with what the system left over, before any read: the
  // server may be waiting for our hello.
  bool mayRead = AInitial;
  for (;;) {
    if (FCipherSize == 0 && mayRead) readMore();
    mayRead = true;
    const char* input = FRecords.data() + FCipherStart;
    if (FCipherSize > 0 && !CanStartRecord(input, FCipherSize)) fail(StatusText(SEC_E_ILLEGAL_MESSAGE));
    SecBuffer in[2] = {{static_cast<unsigned long>(FCipherSize), SECBUFFER_TOKEN, const_cast<char*>(input)},
                       {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
    SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
    const std::wstring alert = AlertReason(input, FCipherSize);
    SECURITY_STATUS status =
        InitializeSecurityContextW(credentials, &FHandles->Context, FHost.data(), kContextFlags, 0, 0, &inDesc, 0,
                                   nullptr, &outDesc, &attributes, nullptr);
    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      if (out.pvBuffer) FreeContextBuffer(out.pvBuffer);
      readMore();
      continue;
    }
    // On failure the token, if any, is the alert that tells the server why.
    try {
      SendToken(&out);
    } catch (const Exception&) {
      if (!FAILED(status)) throw;
    }
    if (FAILED(status)) fail(alert.empty() ? StatusText(status) : alert);
    // The server asks for a client certificate: the same input goes in once
    // more, and the handshake goes on without one.
    if (status == SEC_I_INCOMPLETE_CREDENTIALS) {
      if (++certificateRequests > 1) fail(StatusText(status));
      continue;
    }
    if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer <= FCipherSize) {
      FCipherStart += FCipherSize - in[1].cbBuffer;
      FCipherSize = in[1].cbBuffer;
    } else {
      FCipherStart += FCipherSize;
      FCipherSize = 0;
    }
    if (status == SEC_E_OK) return;
    if (status != SEC_I_CONTINUE_NEEDED) fail(StatusText(status));
  }
}

void TTlsSession::NegotiateNamingHost(bool AInitial) {
  const std::wstring what = AInitial ? L"TLS handshake with " : L"TLS renegotiation with ";
  try {
    Negotiate(AInitial);
  } catch (const EIdReadTimeout& e) {
    throw EIdReadTimeout(what + FHost + L" failed: " + e.Message());
  } catch (const EIdSocketError& e) {
    throw EIdSocketError(what + FHost + L" failed: " + OneLine(e.Message()), e.ErrorCode());
  }
}

void TTlsSession::TakeSessionState(const TTrustedRoots* AExtraRoots) {
  const std::wstring what = FCertificate ? L"TLS renegotiation with " : L"TLS handshake with ";
  if (QueryContextAttributesW(&FHandles->Context, SECPKG_ATTR_STREAM_SIZES, &FHandles->Sizes) != SEC_E_OK)
    throw EIdTlsError(what + FHost + L" failed: the session reports no record sizes");
  PCCERT_CONTEXT certificate = nullptr;
  if (QueryContextAttributesW(&FHandles->Context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) != SEC_E_OK ||
      !certificate) {
    // A renegotiation that brings no certificate keeps the one checked before.
    if (FCertificate) return;
    throw EIdTlsError(L"The certificate of " + FHost + L" is not trusted: the server sent none.");
  }
  std::shared_ptr<const CERT_CONTEXT> held(certificate, CertFreeCertificateContext);
  const auto* previous = static_cast<const CERT_CONTEXT*>(FCertificate.get());
  if (previous && CertCompareCertificate(X509_ASN_ENCODING, previous->pCertInfo, certificate->pCertInfo)) return;
  VerifyServerCertificate(certificate, FHost, AExtraRoots);
  FCertificate = held;
}

void TTlsSession::Handshake(const std::string& AHost, const TTrustedRoots* AExtraRoots) {
  FHost = Utf8ToWide(AHost);
  FExtraRoots = AExtraRoots;
  NegotiateNamingHost(true);
  TakeSessionState(AExtraRoots);
}

void TTlsSession::Send(const char* AData, size_t ACount) {
  const auto& sizes = FHandles->Sizes;
  while (ACount > 0) {
    const size_t piece = std::min<size_t>(ACount, sizes.cbMaximumMessage);
    FOutgoing.resize(sizes.cbHeader + piece + sizes.cbTrailer);
    char* record = FOutgoing.data();
    std::memcpy(record + sizes.cbHeader, AData, piece);
    SecBuffer buffers[4] = {{sizes.cbHeader, SECBUFFER_STREAM_HEADER, record},
                            {static_cast<unsigned long>(piece), SECBUFFER_DATA, record + sizes.cbHeader},
                            {sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, record + sizes.cbHeader + piece},
                            {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
    SECURITY_STATUS status = EncryptMessage(&FHandles->Context, 0, &desc, 0);
    if (status != SEC_E_OK) throw EIdTlsError(L"TLS with " + FHost + L" failed: " + StatusText(status));
    FTransport.WriteRaw(record, buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
    AData += piece;
    ACount -= piece;
  }
}

size_t TTlsSession::Receive(char* ABuffer, size_t ACount) {
  // Hands out what whole records already here hold; the network is read only
  // when there is nothing at all to hand out.
  size_t given = 0;
  for (;;) {
    if (FPlainSize > 0) {
      const size_t n = std::min(ACount - given, FPlainSize);
      std::memcpy(ABuffer + given, FRecords.data() + FPlainStart, n);
      FPlainStart += n;
      FPlainSize -= n;
      given += n;
      if (given == ACount) return given;
      continue;
    }
    if (FEnded) return given;
    if (FCipherSize > 0 && Decrypt()) continue;
    if (given > 0) return given;
    if (ReadMore() == 0) {
      if (FCipherSize > 0)
        throw EIdBrokenReply(L"The connection to " + FHost + L" closed in the middle of a TLS record.");
      FEnded = true;
      FClosedWithoutNotice = true;
      return 0;
    }
  }
}

bool TTlsSession::Decrypt() {
  char* start = FRecords.data() + FCipherStart;
  SecBuffer buffers[4] = {{static_cast<unsigned long>(FCipherSize), SECBUFFER_DATA, start},
                          {0, SECBUFFER_EMPTY, nullptr},
                          {0, SECBUFFER_EMPTY, nullptr},
                          {0, SECBUFFER_EMPTY, nullptr}};
  SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
  // Some systems (Wine) decrypt the peer's close notice into nothing and say no
  // more; a TLS 1.2 record's type, in the clear, still tells it is an alert.
  const bool alertRecord = start[0] == 21;
  SECURITY_STATUS status = DecryptMessage(&FHandles->Context, &desc, 0, nullptr);
  if (status == SEC_E_INCOMPLETE_MESSAGE) return false;
  if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE && status != SEC_I_CONTEXT_EXPIRED)
    throw EIdBrokenReply(L"A TLS record from " + FHost + L" could not be decrypted: " +
                         StatusText(status) + L".");
  const char* begin = FRecords.data();
  const char* end = start + FCipherSize;
  bool gotData = false;
  size_t extra = 0;
  const char* extraAt = nullptr;
  for (auto& b : buffers) {
    const char* at = static_cast<const char*>(b.pvBuffer);
    if (b.BufferType == SECBUFFER_DATA && b.cbBuffer > 0) {
      if (at < begin || at + b.cbBuffer > end)
        throw EIdBrokenReply(L"A TLS record from " + FHost + L" was decrypted out of place.");
      FPlainStart = at - begin;
      FPlainSize = b.cbBuffer;
      gotData = true;
    } else if (b.BufferType == SECBUFFER_EXTRA && b.cbBuffer > 0 && b.cbBuffer <= FCipherSize) {
      extra = b.cbBuffer;
      extraAt = at ? at : end - extra;
    }
  }
  FCipherStart = extraAt ? extraAt - begin : end - begin;
  FCipherSize = extra;
  // The peer's close notice: the session ends after what it already sent.
  if (status == SEC_I_CONTEXT_EXPIRED || (status == SEC_E_OK && alertRecord && !gotData)) FEnded = true;
  // A renegotiation, and in TLS 1.3 every post-handshake message (a session
  // ticket, a key update), goes back through the handshake with what is left
  // over; the plain bytes stay where they are.
  if (status == SEC_I_RENEGOTIATE) {
    NegotiateNamingHost(false);
    TakeSessionState(FExtraRoots);
  }
  return true;
}

void TTlsSession::Shutdown() {
  // A peer that sent its close notice gets ours in answer; one that just
  // closed the connection is not there to hear it.
  if (!FHandles->HasContext || FShutdownSent || FClosedWithoutNotice) return;
  FShutdownSent = true;
  FEnded = true;
  DWORD type = SCHANNEL_SHUTDOWN;
  SecBuffer control{sizeof type, SECBUFFER_TOKEN, &type};
  SecBufferDesc controlDesc{SECBUFFER_VERSION, 1, &control};
  if (ApplyControlToken(&FHandles->Context, &controlDesc) != SEC_E_OK) return;
  SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
  SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
  DWORD attributes = 0;
  InitializeSecurityContextW(SharedCredentials(), &FHandles->Context, FHost.data(), kContextFlags, 0, 0, nullptr, 0,
                             nullptr, &outDesc, &attributes, nullptr);
  try {
    SendToken(&out);
  } catch (const Exception&) {
    // The connection is gone already: there is nobody left to tell.
  }
}

}  // namespace talvik::net
