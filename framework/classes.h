// Objects with names, the assign protocol, owners, and the class registry.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace talvik {

class TObject;
// Property names and values as a stored description holds them.
using TStoredProperties = std::vector<std::pair<std::wstring, std::wstring>>;
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Horizontal alignment of text and pictures.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Declares the class's name as the class registry and the window hooks see it.
#define TALVIK_CLASS_NAME(Name) \
  const wchar_t* ClassName() const override { return L## #Name; }

class TObject {
public:
  virtual ~TObject() = default;
  virtual const wchar_t* ClassName() const { return L"TObject"; }
};

// Base of objects that copy themselves from others of their kind.
class TPersistent : public TObject {
public:
  TALVIK_CLASS_NAME(TPersistent)
  // Copies Source into this object; unknown sources fail with EConvertError.
  virtual void Assign(TPersistent* Source);
  virtual TPersistent* GetOwner() const { return nullptr; }

protected:
  virtual void AssignTo(TPersistent* Dest);
  friend class TPersistentAccess;

private:
  [[noreturn]] void AssignError(TPersistent* Source);
};

enum TComponentStateFlag { csLoading = 1, csDestroying = 2, csDesigning = 4 };
enum TOperation { opInsert, opRemove };

// Owns the components created with it as owner and frees them with itself.
class TComponent : public TPersistent {
public:
  TALVIK_CLASS_NAME(TComponent)
  explicit TComponent(TComponent* AOwner = nullptr);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override { return FOwner; }
  const std::vector<TComponent*>& Components() const { return FComponents; }
  TComponent* FindComponent(const std::wstring& AName) const;
  const std::wstring& Name() const { return FName; }
  void SetName(const std::wstring& AName) { FName = AName; }
  unsigned ComponentState() const { return FComponentState; }

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Asks AComponent to tell this one when it is freed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Called once the component and its owned components have been read from their description.
  virtual void Loaded() { FComponentState &= ~csLoading; }
  void SetLoading() { FComponentState |= csLoading; }
  // Sets a property read from a stored description; false when the class has no such property.
  virtual bool ReadProperty(const std::wstring& AName, const std::wstring& AValue) { return false; }

protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  void SetDestroying() { FComponentState |= csDestroying; }

private:
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::wstring FName;
  unsigned FComponentState = 0;
};

// The registry of classes by name, from which stored data creates objects.
using TPersistentFactory = std::function<TPersistent*()>;
void RegisterPersistentClass(const std::wstring& AName, TPersistentFactory AFactory);
void UnRegisterPersistentClass(const std::wstring& AName);
// Creates an object of the registered class; nullptr when none is registered.
TPersistent* CreateRegisteredClass(const std::wstring& AName);
bool IsClassRegistered(const std::wstring& AName);
// As CreateRegisteredClass, but an unknown name fails with "Class %s not found".
TPersistent* CreateClassByName(const std::wstring& AName);

template <class T>
void RegisterClassOf() {
  T probe;
  RegisterPersistentClass(probe.ClassName(), [] { return new T(); });
}

}  // namespace talvik
