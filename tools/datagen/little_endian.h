// Little-endian fields appended to a byte buffer, for the file formats written here.
#ifndef QO_TOOLS_DATAGEN_LITTLE_ENDIAN_H
#define QO_TOOLS_DATAGEN_LITTLE_ENDIAN_H

#include <cstdint>
#include <vector>

namespace datagen {

inline void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

inline void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace datagen

#endif
