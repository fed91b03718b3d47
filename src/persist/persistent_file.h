#pragma once
// The store over a stdio file, optionally one bzip2 stream (the form of
// every scene file).
#include <cstdio>
#include <memory>
#include <vector>

#include "persist/persistent_store.h"

class persistent_file : public persistent_store {
 public:
  enum { Reading = 0, Writing = 1 };

  // Takes over file (the caller's variable becomes null). Mode 1 writes,
  // any other mode reads.
  persistent_file(FILE*& file, int mode, bool compressed);
  ~persistent_file() override;

  std::int32_t write(const void* data, std::size_t size, std::size_t count) override;
  std::int32_t read(void* data, std::size_t size, std::size_t count) override;

  // The bzip2 open's error code (BZ_OK, 0, when it opened or when the file
  // is not compressed). After a failed open every transfer comes up short.
  int openError() const { return openError_; }

  // Ends the bzip2 stream and closes the file; false when either failed
  // (a writer's last chance to learn that the file is incomplete).
  bool close();

 private:
  struct compression_state {
    void* handle = nullptr;  // BZFILE*, null when not compressed
    int mode = Reading;
  };

  std::size_t refill();
  std::size_t pull(char* destination, std::size_t wanted);

  FILE* file_;
  std::unique_ptr<compression_state> compression_;
  int openError_ = 0;
  bool writeFailed_ = false;
  // Read-ahead: values are a few bytes each, the decompressor is fastest in
  // large requests.
  std::vector<char> buffer_;
  std::size_t bufferPos_ = 0;
  std::size_t bufferEnd_ = 0;
  bool sourceDone_ = false;
};
