#pragma once
// A GL driver made of recorders, for tests at the level of GL calls. Every
// entry point of the table has a recorder that appends "name(arg, arg)" to
// the active RecordingGL's log and answers zero / null, unless the test gave
// an answer for that entry. FakeGLModules "exports" the recorders by name as
// the three libraries, so the real loading and binding code runs over them.
#include <any>
#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/host.h"
#include "render/gl_table.h"
#include "support/fake_host.h"

namespace fake {

// ---- how calls are written in the log --------------------------------------

template <typename T>
void writeArgument(std::ostream& out, T value) {
  if constexpr (std::is_null_pointer_v<T>) {
    out << "null";
  } else if constexpr (std::is_same_v<T, const char*> || std::is_same_v<T, char*>) {
    out << '"' << (value != nullptr ? value : "") << '"';
  } else if constexpr (std::is_pointer_v<T>) {
    if (value == nullptr)
      out << "null";
    else
      out << reinterpret_cast<const void*>(value);
  } else if constexpr (std::is_integral_v<T>) {
    out << +value;  // characters and booleans as numbers
  } else {
    out << value;
  }
}

// The record of one call, the way the log writes it: call("glEnable", GL_CULL_FACE).
template <typename... Args>
std::string call(const char* name, Args... args) {
  std::ostringstream out;
  out << name << '(';
  [[maybe_unused]] const char* separator = "";
  ((out << separator, writeArgument(out, args), separator = ", "), ...);
  out << ')';
  return out.str();
}

// ---- the recording driver ----------------------------------------------------

// The function type of each entry, for typed answers.
template <GLEntryId Id>
struct GLEntryType;
#define GL_ENTRY(name, group)                               \
  template <>                                               \
  struct GLEntryType<GLEntryId::name> {                     \
    using type = std::remove_pointer_t<decltype(&::name)>; \
  };
#include "render/gl_entry_points.def"
#undef GL_ENTRY

class RecordingGL {
 public:
  // Becomes the driver that recorders report to (one at a time).
  RecordingGL();
  ~RecordingGL();
  RecordingGL(const RecordingGL&) = delete;
  RecordingGL& operator=(const RecordingGL&) = delete;

  // What glGetString answers.
  std::string vendor = "Skyward";
  std::string renderer = "Recorder";
  std::string version = "1.1.0";
  std::string extensions;
  // What glGetIntegerv writes, by parameter name.
  std::map<GLenum, std::vector<GLint>> integers;
  // Answers of the window-system calls: a working driver by default.
  int pixelFormat = 1;            // ChoosePixelFormat
  BOOL setPixelFormatResult = 1;  // SetPixelFormat
  bool contextAvailable = true;   // wglCreateContext
  BOOL makeCurrentResult = 1;     // wglMakeCurrent
  // What the last ChoosePixelFormat and SetPixelFormat calls were given.
  PIXELFORMATDESCRIPTOR requestedFormat{};
  int formatSet = 0;

  // Every call, in order.
  std::vector<std::string> calls;
  std::size_t count(const std::string& name) const;  // calls of that function
  std::vector<std::string> names() const;            // the functions called, in order
  void clear() { calls.clear(); }

  // Answers calls of entry `Id` with `answer` (same parameters and result).
  template <GLEntryId Id, typename F>
  void on(F answer) {
    answers_[static_cast<std::size_t>(Id)] = std::function<typename GLEntryType<Id>::type>(answer);
  }
  void forget(GLEntryId id) { answers_[static_cast<std::size_t>(id)].reset(); }

  // Points every entry of `gl` at its recorder, without any loading.
  static void FillTable();
  // The recorder of table entry `index`.
  static void* Recorder(std::size_t index);
  static RecordingGL* Active();

  HGLRC context() { return reinterpret_cast<HGLRC>(&contextTag_); }

  // Used by the recorders.
  void record(std::string line) { calls.push_back(std::move(line)); }
  const std::any& answer(std::size_t index) const { return answers_[index]; }

 private:
  void answerStrings();
  void answerWindowSystem();

  std::vector<std::any> answers_;
  int contextTag_ = 0;
};

// The three libraries: gl* from "opengl32.dll", glu* from "glu32.dll", the
// window-system and pixel-format functions from "gdi32.dll". Like the real
// ones they export only core and GLU names; extension entry points come from
// wglGetProcAddress, which this also answers.
class FakeGLModules : public platform::ModuleLoader {
 public:
  explicit FakeGLModules(RecordingGL& recording);
  ~FakeGLModules() override;

  std::set<std::string> missingModules;  // load() gives null for these
  std::set<std::string> missingNames;    // neither exported nor given by the driver
  std::vector<std::string> loadRequests; // every load(), in order

  void* load(const char* name) override;
  void* symbol(void* module, const char* name) override;

 private:
  void* moduleHandle(const std::string& name);
  PROC driverAddress(const char* name);

  RecordingGL& recording_;
  std::map<std::string, int> handles_;
};

// A test's whole GL world: host, driver and libraries, with the table,
// flags and state cache back at their start state on both ends.
struct FakeGLWorld {
  FakeGLWorld();
  ~FakeGLWorld();
  FakeHost host;
  RecordingGL driver;
  FakeGLModules modules{driver};
};

}  // namespace fake
