#include "app/request_place.h"

#include "app/error_text.h"
#include "net/idhttp.h"

namespace talvik::app {

void SayWhere(const std::wstring& AWhat, const std::wstring& AAddress, const std::function<void()>& ARequest) {
  // The error goes on as the same kind, so that retries and reports still tell them apart.
  auto placed = [&](const Exception& e) { return AWhat + L" (" + AAddress + L"): " + OneLine(e.Message()); };
  try {
    ARequest();
  } catch (const net::EIdHTTPProtocolException& e) {
    throw net::EIdHTTPProtocolException(placed(e), e.ErrorCode(), e.RetryAfter());
  } catch (const net::EIdSocketError& e) {
    throw net::EIdSocketError(placed(e), e.ErrorCode());
  } catch (const net::EIdReadTimeout& e) {
    throw net::EIdReadTimeout(placed(e));
  } catch (const net::EIdBrokenReply& e) {
    throw net::EIdBrokenReply(placed(e));
  } catch (const net::EIdTlsError& e) {
    throw net::EIdTlsError(placed(e));
  } catch (const net::EIdReplyTooLarge& e) {
    throw net::EIdReplyTooLarge(placed(e));
  } catch (const net::EIdException& e) {
    throw net::EIdException(placed(e));
  }
}

}  // namespace talvik::app
