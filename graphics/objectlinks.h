// Liveness links: find out after handing control to the system whether an
// object still exists. Take a link, do the call, go on only while Ref is set,
// and release the link in every case.
#pragma once
#include "framework/classes.h"

namespace talvik {

class TcxObjectLink {
public:
  explicit TcxObjectLink(TObject* ARef) : Ref(ARef) {}
  TObject* Ref;  // nullptr once the object has been destroyed
};

// nullptr for nullptr.
TcxObjectLink* LinkObject(TObject* AObject);
// Releases (frees) the link; nothing for nullptr.
void UnlinkObject(TcxObjectLink* ALink);
// For an object being destroyed: every link to it reads nullptr from now on.
void InvalidateObjectLinks(TObject* AObject);
// Whether the process-wide link controller exists (while links are held).
bool ObjectLinkControllerExists();

}  // namespace talvik
