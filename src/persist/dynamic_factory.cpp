#include "persist/dynamic_factory.h"

#include <vector>

namespace dynamic {
namespace {

// Constant-initialised, so static factories of any translation unit can
// register during dynamic initialisation in whatever order it runs.
constinit factory_list_ele* head = nullptr;

// The registry as its users see it: with the static factories in.
factory_list_ele* listed() {
  static const bool registered = (registerStaticFactories(), true);
  (void)registered;
  return head;
}

std::vector<std::unique_ptr<abstract_factory>>& heapFactories() {
  static std::vector<std::unique_ptr<abstract_factory>> kept;
  return kept;
}

}  // namespace

factory_list_ele::factory_list_ele(abstract_factory* owner) : next(head), factory(owner) { head = this; }

factory_list_ele::~factory_list_ele() {
  for (factory_list_ele** link = &head; *link != nullptr; link = &(*link)->next) {
    if (*link == this) {
      *link = next;
      return;
    }
  }
}

factory_list_ele* registryHead() { return listed(); }

persistent* createByName(const char* name) {
  for (factory_list_ele* e = listed(); e != nullptr; e = e->next) {
    if (persistent* made = e->factory->create(name)) return made;
  }
  return nullptr;
}

const abstract_factory* factoryOf(const persistent& object) {
  for (factory_list_ele* e = listed(); e != nullptr; e = e->next) {
    if (e->factory->makes(object)) return e->factory;
  }
  return nullptr;
}

void keepFactory(std::unique_ptr<abstract_factory> made) { heapFactories().push_back(std::move(made)); }

}  // namespace dynamic
