// Removing the folders tests make.
#pragma once
#include <string>

namespace talvik::testsupport {

// Deletes ADir with everything in it; what cannot be deleted stays.
void RemoveFolder(const std::wstring& ADir);

}  // namespace talvik::testsupport
