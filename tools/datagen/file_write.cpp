#include "tools/datagen/file_write.h"

#include <cstdio>

namespace datagen {

namespace {

bool write_bytes(const std::string& path, const void* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "qo-datagen: can't create %s\n", path.c_str());
    return false;
  }
  const bool written = std::fwrite(data, 1, size, f) == size;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) std::fprintf(stderr, "qo-datagen: can't write %s\n", path.c_str());
  return written && closed;
}

}  // namespace

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
  return write_bytes(path, bytes.data(), bytes.size());
}

bool write_file(const std::string& path, const std::string& text) {
  return write_bytes(path, text.data(), text.size());
}

}  // namespace datagen
