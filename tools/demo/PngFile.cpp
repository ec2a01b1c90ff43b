#include "PngFile.h"

#include <array>
#include <fstream>

namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void Chunk(std::ofstream& file, const char type[4], const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> chunk;
    chunk.reserve(data.size() + 12);
    PutBigEndian(chunk, static_cast<uint32_t>(data.size()));
    for (int i = 0; i < 4; ++i)
        chunk.push_back(static_cast<uint8_t>(type[i]));
    chunk.insert(chunk.end(), data.begin(), data.end());
    PutBigEndian(chunk, Crc32(chunk.data() + 4, chunk.size() - 4));
    file.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbRows)
{
    std::ofstream file(path, std::ios::binary);
    if (!file)
        return false;
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    file.write(reinterpret_cast<const char*>(signature), sizeof signature);

    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
    Chunk(file, "IHDR", header);

    // Raw scan lines (filter 0) in stored deflate blocks.
    std::vector<uint8_t> raw;
    const size_t stride = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgbRows.begin() + static_cast<long>(y * stride),
                   rgbRows.begin() + static_cast<long>((y + 1) * stride));
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};
    for (size_t offset = 0; offset < raw.size() || offset == 0;) {
        size_t length = std::min<size_t>(65535, raw.size() - offset);
        bool last = offset + length >= raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<uint8_t>(length));
        zlib.push_back(static_cast<uint8_t>(length >> 8));
        zlib.push_back(static_cast<uint8_t>(~length));
        zlib.push_back(static_cast<uint8_t>(~length >> 8));
        zlib.insert(zlib.end(), raw.begin() + static_cast<long>(offset), raw.begin() + static_cast<long>(offset + length));
        offset += length;
        if (last)
            break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(zlib, (b << 16) | a);
    Chunk(file, "IDAT", zlib);
    Chunk(file, "IEND", {});
    return static_cast<bool>(file);
}
