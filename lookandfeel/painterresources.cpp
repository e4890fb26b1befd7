#include "lookandfeel/painterresources.h"

namespace talvik {

void InitializePainters() {}
void FinalizePainters() {}
bool PaintersInitialized() { return false; }
HIMAGELIST cxIndicatorImages() { return nullptr; }
TBitmap* cxScrollBarPageBitmap(bool APressed) { return nullptr; }
SIZE cxCheckBoxSize() { return {}; }
TcxRadioButtonImageList::TcxRadioButtonImageList() {}
TcxRadioButtonImageList::~TcxRadioButtonImageList() {}
void TcxRadioButtonImageList::Draw(TcxCanvas*, int, int, TColor, TcxButtonState, bool, bool) {}
TcxRadioButtonImageList* cxRadioButtonImageList() { return nullptr; }
void ResetRadioButtonImageList() {}

}  // namespace talvik
