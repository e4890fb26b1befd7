#include "graphics/objectlinks.h"

#include <algorithm>
#include <vector>

namespace talvik {

namespace {
class TcxObjectLinkController {
public:
  std::vector<TcxObjectLink*> FLinks;
};

TcxObjectLinkController* gController = nullptr;
int gLinkCount = 0;
}  // namespace

TcxObjectLink* LinkObject(TObject* AObject) {
  if (!AObject) return nullptr;
  ++gLinkCount;
  if (!gController) gController = new TcxObjectLinkController();
  auto* link = new TcxObjectLink(AObject);
  gController->FLinks.push_back(link);
  return link;
}

void UnlinkObject(TcxObjectLink* ALink) {
  if (!ALink) return;
  if (ALink->Ref && gController) {
    auto& links = gController->FLinks;
    links.erase(std::remove(links.begin(), links.end(), ALink), links.end());
  }
  delete ALink;
  if (--gLinkCount == 0) {
    delete gController;
    gController = nullptr;
  }
}

void InvalidateObjectLinks(TObject* AObject) {
  if (!gController) return;
  auto& links = gController->FLinks;
  for (size_t i = links.size(); i-- > 0;) {
    if (links[i]->Ref == AObject) {
      links[i]->Ref = nullptr;
      links.erase(links.begin() + static_cast<ptrdiff_t>(i));
    }
  }
}

bool ObjectLinkControllerExists() { return gController != nullptr; }

}  // namespace talvik
