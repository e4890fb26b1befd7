#include "framework/classes.h"

#include <algorithm>
#include <map>

#include "framework/sysutils.h"

namespace talvik {

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  std::wstring source = Source ? Source->ClassName() : L"nil";
  throw EConvertError(Format(L"Cannot assign a %s to a %s", {source, ClassName()}));
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  SetDestroying();
  // Tell those who asked; they drop their references.
  auto notifies = FFreeNotifies;
  FFreeNotifies.clear();
  for (TComponent* c : notifies) {
    c->Notification(this, opRemove);
    auto& back = c->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
  // Owned components die last-created first.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    RemoveComponent(c);
    delete c;
  }
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::wstring& AName) const {
  for (TComponent* c : FComponents)
    if (_wcsicmp(c->FName.c_str(), AName.c_str()) == 0) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it == FComponents.end()) return;
  Notification(AComponent, opRemove);
  FComponents.erase(std::find(FComponents.begin(), FComponents.end(), AComponent));
  AComponent->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  auto add = [](std::vector<TComponent*>& v, TComponent* c) {
    if (std::find(v.begin(), v.end(), c) == v.end()) v.push_back(c);
  };
  add(AComponent->FFreeNotifies, this);
  add(FFreeNotifies, AComponent);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  auto drop = [](std::vector<TComponent*>& v, TComponent* c) { v.erase(std::remove(v.begin(), v.end(), c), v.end()); };
  drop(AComponent->FFreeNotifies, this);
  drop(FFreeNotifies, AComponent);
}

void TComponent::Notification(TComponent*, TOperation) {}

namespace {
std::map<std::wstring, TPersistentFactory>& ClassRegistry() {
  static std::map<std::wstring, TPersistentFactory> registry;
  return registry;
}
}  // namespace

void RegisterPersistentClass(const std::wstring& AName, TPersistentFactory AFactory) { ClassRegistry()[AName] = std::move(AFactory); }
void UnRegisterPersistentClass(const std::wstring& AName) { ClassRegistry().erase(AName); }
bool IsClassRegistered(const std::wstring& AName) { return ClassRegistry().count(AName) != 0; }

TPersistent* CreateRegisteredClass(const std::wstring& AName) {
  auto it = ClassRegistry().find(AName);
  return it == ClassRegistry().end() ? nullptr : it->second();
}

TPersistent* CreateClassByName(const std::wstring& AName) {
  if (TPersistent* p = CreateRegisteredClass(AName)) return p;
  throw EClassNotFound(Format(L"Class %s not found", {AName}));
}

}  // namespace talvik
