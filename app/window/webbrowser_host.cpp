// Hosts the platform's web-browser ActiveX control with the least of an OLE
// container: a client site, an in-place site and frame, and an event sink for
// the document-complete event.
#include <windows.h>
#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <ole2.h>
#include <oleidl.h>
#include <wininet.h>

#include "app/window/browser_session.h"
#include "app/window/ole_startup.h"
#include "framework/forms.h"
#include "framework/sysutils.h"

namespace talvik::app {

namespace {

// The identity of a COM object: its IUnknown pointer.
const void* Identity(IUnknown* object) {
  if (!object) return nullptr;
  IUnknown* unknown = nullptr;
  if (FAILED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)))) return nullptr;
  unknown->Release();
  return unknown;
}

// The document's cookie leaves out the HttpOnly cookies that sites use for a
// login; the control's cookie jar gives them all for the address.
std::wstring JarCookies(const std::wstring& url) {
  DWORD size = 0;
  if (!InternetGetCookieExW(url.c_str(), nullptr, nullptr, &size, INTERNET_COOKIE_HTTPONLY, nullptr) || size == 0)
    return L"";
  std::wstring cookies(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(cookies.size() * sizeof(wchar_t));
  if (!InternetGetCookieExW(url.c_str(), nullptr, cookies.data(), &size, INTERNET_COOKIE_HTTPONLY, nullptr))
    return L"";
  cookies.resize(wcsnlen(cookies.c_str(), cookies.size()));
  return cookies;
}

// Without this value the control renders pages in the document mode of
// Internet Explorer 7, in which today's login pages do not work: ask for the
// current mode (IE11 edge) for this program's executable.
void RequestCurrentDocumentMode() {
  wchar_t exe[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring path(exe, n);
  const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION", 0,
                      nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const DWORD mode = 11001;
  RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode), sizeof mode);
  RegCloseKey(key);
}

class TWebBrowserHost : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch,
                        public IBrowserSession {
public:
  explicit TWebBrowserHost(HWND parent) : FParent(parent) {}

  void Create() {
    HRESULT hr = CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&FOleObject));
    Check(hr, L"create the web browser control");
    Check(FOleObject->SetClientSite(static_cast<IOleClientSite*>(this)), L"set the browser's client site");
    OleSetContainedObject(FOleObject, TRUE);
    RECT r;
    GetClientRect(FParent, &r);
    Check(FOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, FParent, &r),
          L"activate the browser");
    Check(FOleObject->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&FBrowser)), L"reach IWebBrowser2");
    IConnectionPointContainer* container = nullptr;
    if (SUCCEEDED(FOleObject->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
      if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &FEvents)))
        if (FAILED(FEvents->Advise(static_cast<IDispatch*>(this), &FEventsCookie))) FEventsCookie = 0;
      container->Release();
    }
  }

  ~TWebBrowserHost() override {
    if (FEvents) {
      if (FEventsCookie) FEvents->Unadvise(FEventsCookie);
      FEvents->Release();
    }
    if (FBrowser) FBrowser->Release();
    if (FOleObject) {
      FOleObject->Close(OLECLOSE_NOSAVE);
      FOleObject->SetClientSite(nullptr);
      FOleObject->Release();
    }
  }

  // IBrowserSession
  void SetSilent(bool AValue) override { FBrowser->put_Silent(AValue ? VARIANT_TRUE : VARIANT_FALSE); }
  void Navigate(const std::wstring& AUrl) override {
    BSTR url = SysAllocString(AUrl.c_str());
    VARIANT empty;
    VariantInit(&empty);
    HRESULT hr = FBrowser->Navigate(url, &empty, &empty, &empty, &empty);
    SysFreeString(url);
    Check(hr, L"navigate");
  }
  bool Busy() override {
    VARIANT_BOOL busy = VARIANT_FALSE;
    return SUCCEEDED(FBrowser->get_Busy(&busy)) && busy != VARIANT_FALSE;
  }
  void Stop() override { FBrowser->Stop(); }
  const void* Application() override {
    IDispatch* app = nullptr;
    if (FAILED(FBrowser->get_Application(&app)) || !app) return nullptr;
    const void* id = Identity(app);
    app->Release();
    return id;
  }
  std::wstring DocumentCookie() override {
    IDispatch* document = nullptr;
    if (FAILED(FBrowser->get_Document(&document)) || !document) return L"";
    std::wstring cookie;
    // Late bound, by name: the document's own interfaces are not needed.
    LPOLESTR name = const_cast<LPOLESTR>(L"cookie");
    DISPID id;
    if (SUCCEEDED(document->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) {
      DISPPARAMS none{};
      VARIANT result;
      VariantInit(&result);
      if (SUCCEEDED(document->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                     nullptr, nullptr)) &&
          SUCCEEDED(VariantChangeType(&result, &result, 0, VT_BSTR)) && result.bstrVal)
        cookie.assign(result.bstrVal, SysStringLen(result.bstrVal));
      VariantClear(&result);
    }
    document->Release();
    BSTR location = nullptr;
    std::wstring jar;
    if (SUCCEEDED(FBrowser->get_LocationURL(&location)) && location)
      jar = JarCookies(std::wstring(location, SysStringLen(location)));
    SysFreeString(location);
    return jar.empty() ? cookie : jar;
  }

  // IUnknown: the host lives as long as its owner; the counts only keep COM honest.
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
      *out = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) *out = static_cast<IDispatch*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++FRefs; }
  STDMETHODIMP_(ULONG) Release() override { return --FRefs; }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** c) override {
    *c = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* wnd) override {
    *wnd = FParent;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    GetClientRect(FParent, pos);
    GetClientRect(FParent, clip);
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(FParent, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow, IOleInPlaceFrame: no menus, toolbars or status bar to share.
  STDMETHODIMP GetBorder(LPRECT) override { return E_NOTIMPL; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IDispatch: the DWebBrowserEvents2 sink.
  STDMETHODIMP GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    // Arguments arrive last first: rgvarg[1] is pDisp, rgvarg[0] the address.
    if (id != DISPID_DOCUMENTCOMPLETE || !params || params->cArgs < 2 || !OnDocumentComplete) return S_OK;
    const VARIANT& disp = params->rgvarg[1];
    const VARIANT& url = params->rgvarg[0];
    IDispatch* object = disp.vt == VT_DISPATCH ? disp.pdispVal : nullptr;
    std::wstring address;
    const VARIANT* u = url.vt == (VT_BYREF | VT_VARIANT) ? url.pvarVal : &url;
    if (u && u->vt == VT_BSTR && u->bstrVal) address.assign(u->bstrVal, SysStringLen(u->bstrVal));
    try {
      OnDocumentComplete(Identity(object), address);
    } catch (...) {
      // An error must not unwind into the browser control.
      talvik::Application()->HandleException(nullptr);
    }
    return S_OK;
  }

private:
  static void Check(HRESULT hr, const wchar_t* what) {
    if (FAILED(hr)) throw EOSError(Format(L"Cannot %s: %s", {what, SysErrorMessage(static_cast<unsigned long>(hr))}));
  }

  HWND FParent;
  ULONG FRefs = 1;
  IOleObject* FOleObject = nullptr;
  IWebBrowser2* FBrowser = nullptr;
  IConnectionPoint* FEvents = nullptr;
  DWORD FEventsCookie = 0;
};

}  // namespace

std::unique_ptr<IBrowserSession> CreateWebBrowserSession(HWND AParent) {
  EnsureOleInitialized();
  RequestCurrentDocumentMode();
  auto host = std::make_unique<TWebBrowserHost>(AParent);
  host->Create();
  return host;
}

}  // namespace talvik::app
