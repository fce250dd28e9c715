// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one download record of the whole run: its flags serialise the update,
// the station test and the map downloads on the window thread. The update
// and the station test keep their fetched texts and codes themselves.

#include <cstdint>
#include <string>
#include <string_view>

namespace ventoral {

struct DownloadState {
    bool busy = false;             // an update, test or map download runs
    bool cancelRequested = false;
    bool transferDone = false;     // the current started transfer has ended; waits end
    bool readInProgress = false;   // a body is being read, or a whole fetch owns the transfer
    std::string pictureAddress;    // of the current transfer
    std::string pictureFile;       // bare name in the maps folder; empty: no started transfer pending
    std::int16_t pictureIndex = 0; // map slot 0..7
    std::string errorList;         // shown once at the end of an update
    float animationFrame = 1;      // 1..9
};

inline constexpr int kAnimationFrames = 9;

// The next frame, 9 wrapping to 1.
inline float nextFrame(float frame) { return frame < kAnimationFrames ? frame + 1 : 1; }

// Starts the list with "first" and the address, or adds the address on a new line.
void addError(std::string& errorList, std::string_view first, const std::string& address);

// The station code at the end of a report address ("…/KJFK.TREND" and
// "…/KJFK.TXT" both give "KJFK"); empty for other addresses.
std::string stationCodeOfAddress(const std::string& address);

// base + "/" + code + ".TXT" and ".TREND".
std::string presentAddress(const std::string& base, const std::string& code);
std::string trendAddress(const std::string& base, const std::string& code);

// The status text of a transfer state, with the address where one belongs;
// empty for 8 and for numbers that are no state.
std::string stateText(int state, const std::string& address);

// A map file name that can only name a file inside the maps folder: not
// empty, ".", "..", and without a path separator.
bool isSafeFileName(std::string_view name);

} // namespace ventoral
