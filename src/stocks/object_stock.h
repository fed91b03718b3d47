#pragma once
// A named cache that owns what it holds. Layers keep only a name and look
// their object up every frame; loads and unloads put objects in and take
// them out. Names are byte strings compared byte by byte, so two paths that
// differ in case or in the kind of slash are two names.
#include <map>
#include <memory>
#include <string>

namespace kst {

template <typename T>
class ObjectStock {
 public:
  ObjectStock() = default;
  virtual ~ObjectStock() = default;
  ObjectStock(const ObjectStock&) = delete;
  ObjectStock& operator=(const ObjectStock&) = delete;

  // Destroys the object stored under `name`, if any, and forgets the name.
  virtual void unload(const char* name) {
    if (name != nullptr) entries_.erase(std::string(name));
  }

  // The stored object, or null when the name is absent.
  virtual T* get(const char* name) {
    if (name == nullptr) return nullptr;
    const auto found = entries_.find(name);
    return found != entries_.end() ? found->second.get() : nullptr;
  }

  // Takes `object` under `name` and answers true. A name already present
  // keeps its first object: the answer is false and the caller still owns
  // the one it offered.
  virtual bool add(const char* name, T* object) {
    if (name == nullptr) {
      delete object;  // nothing could ever find it
      return true;
    }
    const auto [where, inserted] = entries_.try_emplace(name);
    if (inserted) where->second.reset(object);
    return inserted;
  }

  // Destroys every stored object, for an orderly end while the GL context
  // that the objects may need is still there.
  void clear() { entries_.clear(); }
  std::size_t size() const { return entries_.size(); }

 protected:
  // Calls `visit` with every stored object, in name order.
  template <typename Visit>
  void forEachObject(Visit visit) {
    for (auto& entry : entries_)
      if (entry.second != nullptr) visit(*entry.second);
  }

  // Hands `object` to the stock; destroys it when the name is taken.
  void keep(const char* name, std::unique_ptr<T> object) {
    if (add(name, object.get())) object.release();
  }

 private:
  std::map<std::string, std::unique_ptr<T>, std::less<>> entries_;
};

}  // namespace kst
