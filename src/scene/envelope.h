#pragma once
// A keyed curve of one float over time, evaluated like a LightWave 6 motion
// channel. Layers animate their position, size and colour with it, and the
// scene graph's keyframe handlers hold three per animated vector.
#include <array>
#include <cstdint>
#include <memory>

// Span shapes, chosen per key (a span takes the shape of its end key).
enum EnvelopeShape : std::int32_t {
  kShapeTCB = 0,
  kShapeHermite = 1,
  kShapeBezier = 2,
  kShapeLinear = 3,
  kShapeStepped = 4,
  kShapeBezier2D = 5,
};

// What the curve does outside its keyed range.
enum EnvelopeBehavior : std::int32_t {
  kBehaviorReset = 0,
  kBehaviorConstant = 1,
  kBehaviorRepeat = 2,
  kBehaviorOscillate = 3,
  kBehaviorOffset = 4,
  kBehaviorLinear = 5,
};

struct EnvelopeKey {
  std::unique_ptr<EnvelopeKey> next;  // the list owns the following key
  EnvelopeKey* prev = nullptr;
  float value = 0.0f;
  float time = 0.0f;  // seconds
  std::int32_t shape = kShapeTCB;
  float tension = 0.0f;
  float continuity = 0.0f;
  float bias = 0.0f;
  // Hermite/Bezier: [0] incoming, [1] outgoing tangent. 2D Bezier: [0], [1]
  // the incoming handle (time, value), [2], [3] the outgoing handle.
  std::array<float, 4> param{};
};

class Envelope {
 public:
  Envelope() = default;
  ~Envelope();
  Envelope(const Envelope& other);
  Envelope& operator=(const Envelope& other);
  Envelope(Envelope&& other) noexcept;
  Envelope& operator=(Envelope&& other) noexcept;

  // Appends after the current last key whatever its time: callers add keys in
  // ascending time, and the list is never re-sorted. The new key is TCB with
  // all params 0; the reference lets a reader set its shape and params.
  EnvelopeKey& addKey(float time, float value, float continuity, float tension, float bias);

  // The same behaviour before the first key and after the last.
  void setBehaviors(std::int32_t behavior);

  // Frees every key.
  void clear();

  const EnvelopeKey* keys() const { return keys_.get(); }
  EnvelopeKey* keys() { return keys_.get(); }
  const EnvelopeKey* lastKey() const { return last_; }
  std::int32_t keyCount() const { return keyCount_; }

  std::int32_t preBehavior = kBehaviorConstant;
  std::int32_t postBehavior = kBehaviorConstant;
  float defaultValue = 0.0f;  // the value of an envelope without keys

 private:
  std::unique_ptr<EnvelopeKey> keys_;
  EnvelopeKey* last_ = nullptr;  // appending and the keyed range need it at once
  std::int32_t keyCount_ = 0;
};

// The envelope's value at `time` (seconds). Never allocates.
float evaluateEnvelope(const Envelope& envelope, float time);
