#pragma once
// Class names to constructors. A stored object is identified by the text of
// its class name; each class that can be stored declares that text as
//   static constexpr const char storedName[] = "class Scene";
// and is registered by a dynamic::factory<T>. The engine's classes are
// listed in one place, with the scene's classes (scene/class_registration.cpp):
// a few static factories the registry brings in itself before it first
// answers, and the heap factories the registration step adds.
#include <cstring>
#include <memory>
#include <new>
#include <typeinfo>

#include "persist/persistent.h"

namespace dynamic {

class abstract_factory {
 public:
  virtual ~abstract_factory() = default;
  // A new default-constructed object when name is this factory's class name.
  virtual persistent* create(const char* name) = 0;
  // The stored class name, and whether object is exactly of that class:
  // what a writer needs to name a record.
  virtual const char* className() const = 0;
  virtual bool makes(const persistent& object) const = 0;
};

// One entry of the registry, a singly linked list with the most recently
// registered factory at its head.
class factory_list_ele {
 public:
  explicit factory_list_ele(abstract_factory* owner);
  virtual ~factory_list_ele();
  factory_list_ele(const factory_list_ele&) = delete;
  factory_list_ele& operator=(const factory_list_ele&) = delete;

  factory_list_ele* next = nullptr;
  abstract_factory* factory;
};

template <class T>
class factory : public abstract_factory {
 public:
  persistent* create(const char* name) override {
    return std::strcmp(name, T::storedName) == 0 ? new (std::nothrow) T() : nullptr;
  }
  const char* className() const override { return T::storedName; }
  bool makes(const persistent& object) const override { return typeid(object) == typeid(T); }

 private:
  factory_list_ele element_{this};
};

// Registers the static factories of the engine's stored classes, each once
// however often it runs. The registry runs it before its first answer, so
// every program that uses the registry knows these classes; defined with
// the list of stored classes.
void registerStaticFactories();

// A static factory of T, made and registered on the first call only.
template <class T>
void registerStatic() {
  static factory<T> made;
}

// Head of the registry (null when nothing is registered).
factory_list_ele* registryHead();

// First non-null create() from the head on; null when nobody knows the name.
persistent* createByName(const char* name);

// The factory of object's exact class; null when the class is not registered.
const abstract_factory* factoryOf(const persistent& object);

// Keeps a heap factory for the rest of the program.
void keepFactory(std::unique_ptr<abstract_factory> made);

template <class T>
void registerFactory() {
  keepFactory(std::make_unique<factory<T>>());
}

}  // namespace dynamic
