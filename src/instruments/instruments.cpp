// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/instruments.h"

#include <algorithm>
#include <cmath>

#include "platform/core/number_text.h"

namespace ventoral {

std::vector<std::string> scaleNumbers(double maximum, double minimum, int count)
{
    std::vector<std::string> labels;
    if (count <= 0)
        return labels;
    const double step = count > 1 ? (maximum - minimum) / (count - 1) : 0;
    for (int i = 0; i < count; ++i) {
        // Each number from the maximum directly, so rounding cannot pile up into "-1e-14".
        double value = maximum - i * step;
        if (std::fabs(value) < 1e-9 * std::max(1.0, std::fabs(maximum - minimum)))
            value = 0;
        labels.push_back(decimalText(static_cast<float>(value)));
    }
    return labels;
}

} // namespace ventoral
