#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

// Writes the bytes to the file, replacing it; false (with a line on stderr) on failure.
bool write_file(const std::string& path, const std::vector<uint8_t>& bytes);
bool write_file(const std::string& path, const std::string& text);

}  // namespace datagen
