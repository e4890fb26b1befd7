#include "app/photo_pool.h"

#include <windows.h>

#include "app/photo_fetch.h"
#include "app/request_place.h"

namespace talvik::app {

struct TPhotoPool::TWorker {
  net::TIdHTTP HTTP;
  TPhotoFetcher Fetcher{HTTP};
  std::thread Thread;
};

TPhotoPool::TPhotoPool(int AWorkers, net::TIdHTTP& ASettings, const TRetryPlan& APlan)
    : FPlan(APlan), FSignal(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      FStopped(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  for (int i = 0; i < AWorkers; ++i) {
    FWorkers.push_back(std::make_unique<TWorker>());
    FWorkers.back()->HTTP.ShareSettingsFrom(ASettings);
    FWorkers.back()->HTTP.EnableAbort();
  }
  for (auto& worker : FWorkers) worker->Thread = std::thread([this, w = worker.get()] { Work(*w); });
}

TPhotoPool::~TPhotoPool() {
  Abort();
  for (auto& worker : FWorkers) worker->Thread.join();
  CloseHandle(FSignal);
  CloseHandle(FStopped);
}

bool TPhotoPool::HasRoom() {
  std::lock_guard<std::mutex> hold(FLock);
  // One waiting photo per worker: a worker that finishes while the list's next
  // page is being read finds its next photo ready.
  return !FStopping && FBusy < 2 * static_cast<int>(FWorkers.size());
}

void TPhotoPool::Submit(TPhotoJob AJob) {
  {
    std::lock_guard<std::mutex> hold(FLock);
    // No worker takes it any more: counted, it would be waited for for ever.
    if (FStopping) return;
    FQueue.push_back(std::move(AJob));
    ++FBusy;
  }
  FWake.notify_one();
}

int TPhotoPool::Busy() {
  std::lock_guard<std::mutex> hold(FLock);
  return FBusy;
}

std::vector<TPhotoReport> TPhotoPool::TakeReports() {
  std::lock_guard<std::mutex> hold(FLock);
  std::vector<TPhotoReport> reports;
  reports.swap(FReports);
  return reports;
}

void TPhotoPool::Stop() {
  {
    std::lock_guard<std::mutex> hold(FLock);
    FStopping = true;
    FBusy -= static_cast<int>(FQueue.size());
    FQueue.clear();
  }
  SetEvent(FStopped);
  FWake.notify_all();
}

void TPhotoPool::Abort() {
  Stop();
  for (auto& worker : FWorkers) worker->HTTP.Abort();
}

void TPhotoPool::Report(TPhotoReport AReport) {
  {
    std::lock_guard<std::mutex> hold(FLock);
    if (AReport.Finished) --FBusy;
    FReports.push_back(std::move(AReport));
  }
  SetEvent(FSignal);
}

void TPhotoPool::Work(TWorker& AWorker) {
  for (;;) {
    TPhotoJob job;
    {
      std::unique_lock<std::mutex> hold(FLock);
      FWake.wait(hold, [this] { return FStopping || !FQueue.empty(); });
      if (FStopping) return;
      job = std::move(FQueue.front());
      FQueue.pop_front();
    }
    const std::wstring label = std::to_wstring(job.Number) + L".jpg";
    auto note = [&](const std::wstring& line) { Report({job.Number, false, nullptr, line}); };
    auto wait = [this](int ms) { return WaitForSingleObject(FStopped, static_cast<DWORD>(ms)) == WAIT_TIMEOUT; };
    try {
      std::wstring image;
      AWorker.HTTP.SetReferer(job.PageReferer);
      SayWhere(label, job.Link, [&] {
        WithRetries(FPlan, label, [&] { image = AWorker.Fetcher.GetPic(job.Link); }, note, wait);
      });
      SayWhere(label, image, [&] {
        WithRetries(FPlan, label, [&] { AWorker.Fetcher.DownPic(image, job.FileName, job.Link); }, note, wait);
      });
      Report({job.Number, true, nullptr, {}});
    } catch (...) {
      // The first failure stops new work at once, before this worker takes another photo.
      Stop();
      Report({job.Number, true, std::current_exception(), {}});
    }
  }
}

}  // namespace talvik::app
