// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/download_state.h"

namespace ventoral {

void addError(std::string& errorList, std::string_view first, const std::string& address)
{
    if (errorList.empty())
        errorList = std::string(first) + address;
    else
        errorList += "\r\n" + address;
}

std::string stationCodeOfAddress(const std::string& address)
{
    const auto endsWith = [&address](std::string_view tail) {
        return address.size() >= tail.size() && address.compare(address.size() - tail.size(), tail.size(), tail) == 0;
    };
    // The address ends in the code, a point and the extension.
    if (endsWith("TREND") && address.size() >= 10)
        return address.substr(address.size() - 10, 4);
    if (endsWith("TXT") && address.size() >= 8)
        return address.substr(address.size() - 8, 4);
    return {};
}

std::string presentAddress(const std::string& base, const std::string& code)
{
    return base + "/" + code + ".TXT";
}

std::string trendAddress(const std::string& base, const std::string& code)
{
    return base + "/" + code + ".TREND";
}

std::string stateText(int state, const std::string& address)
{
    const char* text = nullptr;
    switch (state) {
    case 1: text = "Seeking "; break;
    case 2: text = "Found "; break;
    case 3: text = "Connecting to "; break;
    case 4: text = "Connected to "; break;
    case 5: text = "Sending request to "; break;
    case 6: text = "Request sent to "; break;
    case 7: text = "Receiving response from "; break;
    case 9: text = "Disconnecting from "; break;
    case 10: text = "No longer connected to "; break;
    case 11: return "Error communicating with " + address;
    case 12: return "Download Completed";
    default: return {};
    }
    return std::string(text) + "\r\n" + address;
}

bool isSafeFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

} // namespace ventoral
