#pragma once
// A named cache that owns what it holds. Layers keep only a name and look
// their object up every frame; loads and unloads put objects in and take
// them out. Names are byte strings compared byte by byte, so two paths that
// differ in case or in the kind of slash are two names.
//
// A show moved to another moment is built again from its script: meanwhile
// what the stock held is set aside, and a load of a name set aside takes
// that object back rather than reading its files again, unless they have
// changed since they were read (then they are read again, and the version
// set aside stays in use when the new one does not read). Unloads while set
// aside put the object aside too, for a later load of the same rebuild.
// What is still aside at the end goes, unless the stock keeps what is
// unloaded: then unloads always put objects aside, for any later load.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/stop_request.h"
#include "stocks/load_error.h"
#include "stocks/source_stamp.h"

namespace kst {

template <typename T>
class ObjectStock {
 public:
  ObjectStock() = default;
  virtual ~ObjectStock() = default;
  ObjectStock(const ObjectStock&) = delete;
  ObjectStock& operator=(const ObjectStock&) = delete;

  // Destroys the object stored under `name`, if any, and forgets the name
  // (while set aside, the object goes aside instead).
  virtual void unload(const char* name) {
    if (name == nullptr) return;
    const auto found = entries_.find(name);
    if (found == entries_.end()) return;
    if (settingAside_ || keepUnloaded_) aside_.insert_or_assign(found->first, std::move(found->second));
    entries_.erase(found);
  }

  // The stored object, or null when the name is absent.
  virtual T* get(const char* name) {
    if (name == nullptr) return nullptr;
    const auto found = entries_.find(name);
    return found != entries_.end() ? found->second.object.get() : nullptr;
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
    if (inserted) where->second.object.reset(object);
    return inserted;
  }

  // Destroys every stored object, for an orderly end while the GL context
  // that the objects may need is still there.
  void clear() {
    entries_.clear();
    aside_.clear();
  }
  std::size_t size() const { return entries_.size(); }

  // Every stored object goes aside, until dropAside.
  void setAside() {
    settingAside_ = true;
    for (auto& entry : entries_) aside_.insert_or_assign(entry.first, std::move(entry.second));
    entries_.clear();
  }
  // Destroys what was set aside and not taken back (unless unloads are kept).
  void dropAside() {
    settingAside_ = false;
    if (!keepUnloaded_) aside_.clear();
  }
  // From now on an unload puts the object aside, and a load takes it back
  // (as while set aside); off again, what is aside goes.
  void keepUnloaded(bool keep) {
    keepUnloaded_ = keep;
    if (!keep && !settingAside_) aside_.clear();
  }
  // The files of stored objects that changed since they were read.
  std::vector<std::string> changedSources() const {
    std::vector<std::string> changed;
    for (const auto& entry : entries_)
      for (const SourceStamp& source : entry.second.sources)
        if (source.changed()) changed.push_back(source.file);
    return changed;
  }

 protected:
  // Between setAside and dropAside.
  bool settingAside() const { return settingAside_; }
  // An object set aside comes back into use: what its use changed in it
  // may be put back as it was read.
  virtual void takenBack(T&) {}

  // Calls `visit` with every stored object, in name order.
  template <typename Visit>
  void forEachObject(Visit visit) {
    for (auto& entry : entries_)
      if (entry.second.object != nullptr) visit(*entry.second.object);
  }

  // Hands `object` to the stock; destroys it when the name is taken.
  // `sources` are the data files it was read from (stamped now).
  void keep(const char* name, std::unique_ptr<T> object, const std::vector<std::string>& sources = {}) {
    if (name == nullptr || !add(name, object.get())) return;
    object.release();
    Entry& entry = entries_.find(name)->second;
    for (const std::string& source : sources) entry.sources.push_back(SourceStamp::of(source));
  }

  // A load of `name` from `sources`: an object set aside under the name
  // whose files are unchanged comes back; otherwise `read()` makes one
  // (std::unique_ptr<T>; throws LoadError), kept with its files' stamps
  // taken before the read. When that read fails, whatever the failure (a
  // damaged file, memory running out while building), and an older version
  // is set aside, the older version comes back with a warning naming the
  // file and the reason, and nothing is thrown.
  template <typename Read>
  void load(const char* name, const std::vector<std::string>& sources, Read read) {
    if (name != nullptr && takeBack(name, false)) return;
    std::vector<SourceStamp> stamps;
    for (const std::string& source : sources) stamps.push_back(SourceStamp::of(source));
    try {
      std::unique_ptr<T> object = read();
      if (name == nullptr || !add(name, object.get())) return;
      object.release();
      entries_.find(name)->second.sources = std::move(stamps);
    } catch (const LoadError& error) {
      if (!keptEarlier(name, error.file, error.reason)) throw;
    } catch (const StopAsked&) {
      throw;  // not a failure of the file
    } catch (const std::exception& error) {
      if (!keptEarlier(name, sources.empty() ? name : sources.front(), error.what())) throw;
    }
  }

  // After a failed read: the version set aside under `name` back, said.
  bool keptEarlier(const char* name, const std::string& file, const std::string& reason) {
    if (name == nullptr || !takeBack(name, true)) return false;
    log("** Warning: %s not read again: %s; the version read before stays", file.c_str(), reason.c_str());
    return true;
  }

  // The object set aside under `name` back in the stock; unless `anyway`,
  // only when its files are as they were read.
  bool takeBack(const char* name, bool anyway) {
    const auto found = aside_.find(name);
    if (found == aside_.end() || entries_.count(found->first) != 0) return false;
    if (!anyway)
      for (const SourceStamp& source : found->second.sources)
        if (source.changed()) return false;
    const auto back = entries_.insert_or_assign(found->first, std::move(found->second)).first;
    aside_.erase(found);
    if (back->second.object != nullptr) takenBack(*back->second.object);
    return true;
  }

 private:
  struct Entry {
    std::unique_ptr<T> object;
    std::vector<SourceStamp> sources;
  };

  std::map<std::string, Entry, std::less<>> entries_;
  std::map<std::string, Entry, std::less<>> aside_;
  bool settingAside_ = false;
  bool keepUnloaded_ = false;
};

}  // namespace kst
