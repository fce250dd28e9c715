// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer's present local and UTC date and time; tests set their own.

#include "platform/core/civil_time.h"

namespace ventoral {

class Clock {
public:
    virtual ~Clock() = default;
    virtual CivilTime nowLocal() const = 0;
    // The real UTC clock: not the local time moved by a whole-hour offset.
    virtual CivilTime nowUtc() const = 0;
};

} // namespace ventoral
