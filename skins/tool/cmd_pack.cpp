// skintool pack SOURCE OUT: draws a skin described by a source file and writes
// it as a skin file. The build makes the built-in skins with it.
#include "framework/sysutils.h"
#include "skins/builtin/gen/skin_build.h"
#include "skins/tool/command.h"

namespace talvik {

namespace {

int Pack(const std::vector<std::wstring>& AArgs) {
  if (AArgs.size() != 2) throw Exception(L"usage: skintool pack SOURCE OUT");
  skingen::PackSkin(AArgs[0], AArgs[1]);
  return 0;
}

const TSkinToolCommand registration(L"pack", L"SOURCE OUT", Pack);

}  // namespace

}  // namespace talvik
