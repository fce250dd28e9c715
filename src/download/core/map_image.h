// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a downloaded body is a whole map image: it starts with the
// signature of a PNG, GIF, JPEG or BMP file and ends as that format ends,
// so a text or JSON answer, an error page or a cut transfer never replaces
// a stored map.

#include <string_view>

namespace ventoral {

enum class ImageFormat { None, Png, Gif, Jpeg, Bmp };

// The format the body's first bytes name; None for anything else.
ImageFormat imageFormatOf(std::string_view body);

// A body of a known format that is whole: a PNG up to its IEND chunk, a GIF
// up to its trailer byte, a JPEG up to its end-of-image marker (blanks or
// zero bytes may follow), a BMP at least as long as its header says.
bool isWholeImage(std::string_view body);

} // namespace ventoral
