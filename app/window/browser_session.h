// What the window needs of a web browser: load the site's start page with the
// user's login, report each completed document, and hand over the top-level
// document's cookie text.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace talvik::app {

class IBrowserSession {
public:
  virtual ~IBrowserSession() = default;
  // Keeps the browser from showing dialogs of its own (script errors and such).
  virtual void SetSilent(bool AValue) = 0;
  // Starts loading in the background.
  virtual void Navigate(const std::wstring& AUrl) = 0;
  virtual bool Busy() = 0;
  virtual void Stop() = 0;
  // Identity of the browser's top-level automation object; a completed
  // document whose object is this one is the top-level document.
  virtual const void* Application() = 0;
  // The cookies of the current document as "name=value; ..." ("" when there
  // are none), the HttpOnly ones included where the browser can tell them.
  virtual std::wstring DocumentCookie() = 0;

  // Raised for each completed document (top level or frame) with the
  // identity of its automation object and its address.
  std::function<void(const void* pDisp, const std::wstring& URL)> OnDocumentComplete;
};

// The platform's web-browser control hosted in AParent (an OLE container).
// Fails with an exception when the control cannot be created.
std::unique_ptr<IBrowserSession> CreateWebBrowserSession(HWND AParent);

// A session that loads nothing: each Navigate completes one frame document
// and then the top-level document with ACookie as its cookie, from the
// message loop, as a real browser reports them.
std::unique_ptr<IBrowserSession> CreateScriptedSession(const std::wstring& ACookie);

}  // namespace talvik::app
