// Workers that download photos side by side, each over its own client and
// keep-alive connection: a photo's page, then its picture into its file.
#pragma once
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/retry.h"
#include "net/idhttp.h"

namespace talvik::app {

struct TPhotoJob {
  int Number = 0;
  std::wstring Link;         // the photo page
  std::wstring FileName;
  std::wstring PageReferer;  // the "Referer" of the photo page request
};

// A retry line of a photo under way, or the end of a photo: saved, or failed with Error.
struct TPhotoReport {
  int Number = 0;
  bool Finished = false;
  std::exception_ptr Error;
  std::wstring Note;
};

class TPhotoPool {
public:
  // The workers' clients take ASettings' headers, timeout and proxy, and share its cookies.
  TPhotoPool(int AWorkers, net::TIdHTTP& ASettings, const TRetryPlan& APlan);
  // Aborts what is still under way and waits for the workers to end.
  ~TPhotoPool();
  TPhotoPool(const TPhotoPool&) = delete;
  TPhotoPool& operator=(const TPhotoPool&) = delete;

  // Another photo may be submitted: a worker is free or will be next.
  bool HasRoom();
  // Dropped once the pool has stopped.
  void Submit(TPhotoJob AJob);
  // Photos submitted and not yet finished or dropped by Stop.
  int Busy();
  std::vector<TPhotoReport> TakeReports();
  // An event that is set whenever a report arrives.
  void* Signal() const { return FSignal; }
  // No further photo starts and retry waits end; photos under way go on. A
  // failed photo stops the pool by itself.
  void Stop();
  // Stop, and every request under way fails at once.
  void Abort();

private:
  struct TWorker;
  void Work(TWorker& AWorker);
  void Report(TPhotoReport AReport);

  TRetryPlan FPlan;
  std::vector<std::unique_ptr<TWorker>> FWorkers;
  std::mutex FLock;
  std::condition_variable FWake;
  std::deque<TPhotoJob> FQueue;
  std::vector<TPhotoReport> FReports;
  int FBusy = 0;
  bool FStopping = false;
  void* FSignal = nullptr;   // auto-reset: a report arrived
  void* FStopped = nullptr;  // manual-reset: retry waits end
};

}  // namespace talvik::app
