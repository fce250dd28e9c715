// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages the map viewer hands to its web page view, and the local file
// name each map address gives.

#include <string>

namespace ventoral {

// The text after the last "/" of a map address: the whole text when it
// holds none, empty when it ends with one.
std::string deriveMapFileName(const std::string& address);

// A map is configured when its file name can name a file in the map folder:
// not empty, not "." or "..", and without a path separator.
bool isConfiguredMapFile(const std::string& fileName);

// text with &, <, >, " and ' written as character references, fit for an
// element's content or a quoted attribute.
std::string htmlEscaped(const std::string& text);

// A "file://" URL of an absolute local path, every byte outside the
// unreserved characters and "/" percent-encoded.
std::string fileUrl(const std::string& path);

struct MapPage {
    std::string title;        // the map's name
    std::string imagePath;    // map folder and file name
    bool smallSize = true;
    float imageWidth = 0;     // pixels, small size only
    float imageHeight = 0;
};

// The page around a local map image. The image is named by its file URL,
// and the name and the URL are escaped, so no file name can break the page.
std::string mapPageText(const MapPage& page);

// The page shown for a configured map whose file has not been downloaded.
std::string noPicturePageText();

// The size of the scaled image: 0.995 of the page view's pixels.
float scaledImageSize(double pageViewPixels);

} // namespace ventoral
