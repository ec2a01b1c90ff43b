// Writes 24-bit RGB pixels as an uncompressed PNG file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbRows);
