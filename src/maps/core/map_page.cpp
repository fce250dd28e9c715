// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/core/map_page.h"

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string pageHead(const std::string& title)
{
    return std::string("<html>") + kCrLf + "<head>" + kCrLf + "<title>" + htmlEscaped(title) + "</title>" + kCrLf +
           "</head>" + kCrLf;
}

bool isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

} // namespace

std::string deriveMapFileName(const std::string& address)
{
    const auto slash = address.rfind('/');
    return slash == std::string::npos ? address : address.substr(slash + 1);
}

bool isConfiguredMapFile(const std::string& fileName)
{
    return !fileName.empty() && fileName != "." && fileName != ".." &&
           fileName.find_first_of("/\\") == std::string::npos && fileName.find('\0') == std::string::npos;
}

std::string htmlEscaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string fileUrl(const std::string& path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "file://";
    if (path.empty() || path.front() != '/')
        out += '/';
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c) || c == '/') {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

std::string mapPageText(const MapPage& page)
{
    const std::string source = htmlEscaped(fileUrl(page.imagePath));
    std::string text = pageHead(page.title);
    if (page.smallSize) {
        text += "<body scroll='no' TOPMARGIN='0' LEFTMARGIN='0'>";
        text += "<div align='center'><img src='" + source + "' name='Map1' width='" + decimalText(page.imageWidth) +
                "' height='" + decimalText(page.imageHeight) + "'></div></body>";
    } else {
        text += "<body><div align='center'><img src='" + source + "' name='Map1' align='center'></div></body>";
    }
    return text + kCrLf + "</html>";
}

std::string noPicturePageText()
{
    return std::string("<html>") + kCrLf + "<head>" + kCrLf + "<title>WebBrowser</title>" + kCrLf + "</head>" +
           kCrLf + "<body scroll='no' TOPMARGIN='0' LEFTMARGIN='0'><div align='center'>" +
           "<p>Please click update to download image</p></div></body>" + kCrLf + "</html>";
}

float scaledImageSize(double pageViewPixels)
{
    return static_cast<float>(pageViewPixels * 0.995);
}

} // namespace ventoral
