// The main window: address box, download button, log pane, the hidden browser
// that brings the login cookie, and the HTTP client that every request uses.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/download_run.h"
#include "app/window/webbrowser.h"
#include "app/window/window_args.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "net/cookie_store.h"
#include "net/idhttp.h"
#include "skinforms/skincontroller.h"

namespace talvik::app {

extern const wchar_t kProgramTitle[];

class TForm1 : public TForm, private IRunFrontEnd {
public:
  TALVIK_CLASS_NAME(TForm1)
  // Reads the stored description (resource "TFORM1") and runs FormCreate.
  TForm1(TComponent* AOwner, const TWindowOptions& AOptions);
  ~TForm1() override;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* Edit1 = nullptr;
  TButton* Button1 = nullptr;
  TMemo* Memo1 = nullptr;
  TWebBrowser* WebBrowser1 = nullptr;
  net::TIdHTTP* IdHTTP1 = nullptr;
  TdxSkinController* dxSkinController1 = nullptr;

  void FormCreate(TObject* Sender);
  void WebBrowser1DocumentComplete(TObject* ASender, const void* pDisp, const std::wstring& URL);
  void WebBrowser1LoadFailed(TObject* ASender);
  void Button1Click(TObject* Sender);
  void Edit1KeyPress(TObject* Sender, wchar_t& Key);
  void FormCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
  void FormClose(TObject* Sender, TCloseAction& Action);

  bool BindEvent(TComponent* AComponent, const std::wstring& AEvent, const std::wstring& AMethod) override;

  // Replaces the system's folder dialog when set.
  std::function<void(const std::wstring& ACaption, std::wstring& AFolder)> SelectFolder;

private:
  // IRunFrontEnd
  void AppendLog(const std::wstring& ALine) override;
  void SetButton(bool AEnabled, const std::wstring& ACaption) override;
  void BrowseForFolder(const std::wstring& ACaption, std::wstring& AFolder) override;
  std::wstring AlbumAddress() override;
  void ProcessMessages() override;
  bool Closing() override;
  // Answers the window's messages while the run waits.
  void WaitFor(void* AEvent, int AMs) override;
  // The exchange runs on a thread of its own while the window answers; closing
  // the window ends it.
  void Request(const std::function<void()>& AExchange) override;
  // The start-up visit, on a client and thread of its own: the window does not wait for it.
  void StartFeedbackVisit();
  // Ends the request under way, if any, and waits until it has let go of the client.
  void EndRequests();

  template <class T>
  T* Component(const wchar_t* AName);
  // The login from the user's own browsers, when the browser control brings none.
  void TakeLoginFromBrowsers();
  // The client takes the login now, or after the request it is busy with.
  void SetLogin(std::vector<net::TCookie> ALogin);

  TWindowOptions FOptions;
  std::unique_ptr<TDownloadRun> FRun;
  bool FClosed = false;
  bool FRunning = false;
  void* FRequestDone = nullptr;            // set while a request of the run is under way
  std::optional<std::vector<net::TCookie>> FNewLogin;  // captured during a request, for after it
  std::unique_ptr<net::TIdHTTP> FFeedbackHTTP;
  std::thread FFeedbackVisit;
  bool FLoginFromBrowsers = false;  // looked for once
  std::vector<net::TCookie> FBrowserLogin;
};

// Registers the classes that the stored description names.
void RegisterWindowClasses();

}  // namespace talvik::app
