// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/map_image.h"

#include <cstdint>

namespace ventoral {

namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
// The IEND chunk: its length (0), its type and its CRC.
constexpr std::string_view kPngEnd("\0\0\0\0IEND\xae\x42\x60\x82", 12);
constexpr std::string_view kJpegStart("\xff\xd8\xff", 3);
constexpr std::string_view kJpegEnd("\xff\xd9", 2);
constexpr std::size_t kBmpHeaderBytes = 26;

bool startsWith(std::string_view s, std::string_view head)
{
    return s.size() >= head.size() && s.substr(0, head.size()) == head;
}

bool endsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::uint32_t littleEndian32(std::string_view bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

} // namespace

ImageFormat imageFormatOf(std::string_view body)
{
    if (startsWith(body, kPngSignature))
        return ImageFormat::Png;
    if (startsWith(body, "GIF87a") || startsWith(body, "GIF89a"))
        return ImageFormat::Gif;
    if (startsWith(body, kJpegStart))
        return ImageFormat::Jpeg;
    if (startsWith(body, "BM") && body.size() >= kBmpHeaderBytes)
        return ImageFormat::Bmp;
    return ImageFormat::None;
}

bool isWholeImage(std::string_view body)
{
    switch (imageFormatOf(body)) {
    case ImageFormat::None:
        return false;
    case ImageFormat::Png:
        return body.size() >= kPngSignature.size() + kPngEnd.size() && endsWith(body, kPngEnd);
    case ImageFormat::Gif:
        return body.size() > 13 && body.back() == '\x3b';
    case ImageFormat::Jpeg: {
        const auto last = body.find_last_not_of(std::string_view(" \t\r\n\0", 5));
        return last != std::string_view::npos && last > kJpegStart.size() &&
               endsWith(body.substr(0, last + 1), kJpegEnd);
    }
    case ImageFormat::Bmp: {
        // The file size of the header, and the pixels' offset within it.
        const std::uint32_t size = littleEndian32(body.substr(2, 4));
        const std::uint32_t pixels = littleEndian32(body.substr(10, 4));
        return size >= kBmpHeaderBytes && pixels < size && body.size() >= size;
    }
    }
    return false;
}

} // namespace ventoral
