#include "support/recording_gl.h"

#include <cstring>
#include <string_view>

#include "render/gl_state_cache.h"

namespace fake {
namespace {

RecordingGL* activeDriver = nullptr;

template <std::size_t Index, typename F>
struct Recorder;

template <std::size_t Index, typename R, typename... A>
struct Recorder<Index, R(A...)> {
  static R invoke(A... args) {
    RecordingGL* driver = RecordingGL::Active();
    if (driver == nullptr) return R();
    driver->record(call(kGLEntries[Index].name, args...));
    using Answer = std::function<R(A...)>;
    if (const auto* answer = std::any_cast<Answer>(&driver->answer(Index))) return (*answer)(args...);
    return R();
  }
};

void* const kRecorders[kGLEntryCount] = {
#define GL_ENTRY(name, group) \
  reinterpret_cast<void*>(    \
      &Recorder<static_cast<std::size_t>(GLEntryId::name), GLEntryType<GLEntryId::name>::type>::invoke),
#include "render/gl_entry_points.def"
#undef GL_ENTRY
};

const GLubyte* text(const std::string& value) { return reinterpret_cast<const GLubyte*>(value.c_str()); }

}  // namespace

RecordingGL::RecordingGL() : answers_(kGLEntryCount) {
  answerStrings();
  answerWindowSystem();
  activeDriver = this;
}

RecordingGL::~RecordingGL() {
  if (activeDriver == this) activeDriver = nullptr;
}

RecordingGL* RecordingGL::Active() { return activeDriver; }

void* RecordingGL::Recorder(std::size_t index) { return kRecorders[index]; }

void RecordingGL::FillTable() {
  for (std::size_t i = 0; i < kGLEntryCount; ++i) SetGLEntryAddress(i, kRecorders[i]);
}

std::size_t RecordingGL::count(const std::string& name) const {
  const std::string prefix = name + "(";
  std::size_t found = 0;
  for (const std::string& line : calls) found += line.starts_with(prefix) ? 1 : 0;
  return found;
}

std::vector<std::string> RecordingGL::names() const {
  std::vector<std::string> functions;
  for (const std::string& line : calls) functions.push_back(line.substr(0, line.find('(')));
  return functions;
}

void RecordingGL::answerStrings() {
  on<GLEntryId::glGetString>([this](GLenum name) -> const GLubyte* {
    switch (name) {
      case GL_VENDOR: return text(vendor);
      case GL_RENDERER: return text(renderer);
      case GL_VERSION: return text(version);
      case GL_EXTENSIONS: return text(extensions);
      default: return nullptr;
    }
  });
  on<GLEntryId::glGetIntegerv>([this](GLenum name, GLint* out) {
    auto found = integers.find(name);
    if (found == integers.end()) return;
    for (GLint value : found->second) *out++ = value;
  });
}

void RecordingGL::answerWindowSystem() {
  on<GLEntryId::ChoosePixelFormat>([this](HDC, const PIXELFORMATDESCRIPTOR* format) {
    requestedFormat = *format;
    return pixelFormat;
  });
  on<GLEntryId::SetPixelFormat>([this](HDC, int format, const PIXELFORMATDESCRIPTOR*) {
    formatSet = format;
    return setPixelFormatResult;
  });
  on<GLEntryId::wglCreateContext>([this](HDC) { return contextAvailable ? context() : nullptr; });
  on<GLEntryId::wglMakeCurrent>([this](HDC, HGLRC) { return makeCurrentResult; });
}

namespace {

constexpr std::string_view kModuleNames[] = {"opengl32.dll", "glu32.dll", "gdi32.dll"};

// Where each name lives in the libraries the engine was written against.
std::string_view homeModule(const char* name) {
  if (std::strncmp(name, "glu", 3) == 0) return "glu32.dll";
  if (std::strncmp(name, "gl", 2) == 0) return "opengl32.dll";
  return "gdi32.dll";
}

const GLEntryInfo* findEntry(const char* name, std::size_t& index) {
  for (index = 0; index < kGLEntryCount; ++index)
    if (std::strcmp(kGLEntries[index].name, name) == 0) return &kGLEntries[index];
  return nullptr;
}

bool isExtension(const GLEntryInfo& entry) { return entry.group != GLCap::Core && entry.group != GLCap::GLU; }

}  // namespace

FakeGLModules::FakeGLModules(RecordingGL& recording) : recording_(recording) {
  recording_.on<GLEntryId::wglGetProcAddress>([this](const char* name) { return driverAddress(name); });
}

FakeGLModules::~FakeGLModules() { recording_.forget(GLEntryId::wglGetProcAddress); }

void* FakeGLModules::moduleHandle(const std::string& name) {
  for (std::string_view known : kModuleNames)
    if (known == name && !missingModules.contains(name)) return &handles_[name];
  return nullptr;
}

void* FakeGLModules::load(const char* name) {
  loadRequests.push_back(name);
  return moduleHandle(name);
}

void* FakeGLModules::symbol(void* module, const char* name) {
  std::size_t index = 0;
  const GLEntryInfo* entry = findEntry(name, index);
  if (entry == nullptr || isExtension(*entry) || missingNames.contains(name)) return nullptr;
  return module == moduleHandle(std::string(homeModule(name))) ? RecordingGL::Recorder(index) : nullptr;
}

PROC FakeGLModules::driverAddress(const char* name) {
  std::size_t index = 0;
  const GLEntryInfo* entry = findEntry(name, index);
  if (entry == nullptr || !isExtension(*entry) || missingNames.contains(name)) return nullptr;
  return reinterpret_cast<PROC>(RecordingGL::Recorder(index));
}

FakeGLWorld::FakeGLWorld() {
  host.loader = &modules;
  glStateCache.Reset();
  ResetGLTable();
}

FakeGLWorld::~FakeGLWorld() {
  glStateCache.Reset();
  ResetGLTable();
}

}  // namespace fake
