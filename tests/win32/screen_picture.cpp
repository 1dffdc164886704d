#include "screen_picture.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace quorvane::test {

namespace {

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>(value >> shift & 0xff));
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
    Put32(png, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    png += body;
    Put32(png, static_cast<std::uint32_t>(
                   crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

}  // namespace

std::vector<std::uint32_t> WindowPicture::pixelsOf(const RECT& area) const {
    std::vector<std::uint32_t> found;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, height); ++y) {
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, width); ++x)
            found.push_back(pixels[static_cast<size_t>(y) * width + x]);
    }
    return found;
}

WindowPicture TakeWindowPicture(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    WindowPicture picture;
    picture.width = frame.right - frame.left;
    picture.height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ before = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, frame.left, frame.top, SRCCOPY);
    GdiFlush();
    // Blue, green, red and an unused byte: 0x00RRGGBB read as one word.
    const auto* words = static_cast<const std::uint32_t*>(bits);
    picture.pixels.assign(words, words + static_cast<size_t>(picture.width) * picture.height);
    for (std::uint32_t& pixel : picture.pixels)
        pixel &= 0xffffff;
    SelectObject(memory, before);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

bool SavePicture(const WindowPicture& picture, const std::wstring& file) {
    // Each row: a filter byte of none, then red, green and blue.
    std::string rows;
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(0);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            rows.push_back(static_cast<char>(pixel >> 16 & 0xff));
            rows.push_back(static_cast<char>(pixel >> 8 & 0xff));
            rows.push_back(static_cast<char>(pixel & 0xff));
        }
    }

    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        return false;
    }
    packed.resize(packedSize);
    std::string header;
    Put32(header, static_cast<std::uint32_t>(picture.width));
    Put32(header, static_cast<std::uint32_t>(picture.height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, truecolour
    std::string png = "\x89PNG\r\n\x1a\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", "");
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    out.write(png.data(), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}

bool SaveWindowPicture(HWND window, const std::wstring& file) {
    return SavePicture(TakeWindowPicture(window), file);
}

}  // namespace quorvane::test
