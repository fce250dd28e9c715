// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/scaled_surface.h"

namespace ventoral {

namespace {

// Every surface starts with these, so the scaled one starts with them scaled.
constexpr double kStartDrawWidth = 1;
constexpr double kStartFontPoints = 8;

} // namespace

ScaledSurface::ScaledSurface(Surface& target, double factor) : m_target(target), m_factor(factor > 0 ? factor : 1.0)
{
    setDrawWidth(kStartDrawWidth);
    setFontSize(kStartFontPoints);
}

void ScaledSurface::line(double x1, double y1, double x2, double y2)
{
    const double f = m_factor;
    m_target.line(x1 * f, y1 * f, x2 * f, y2 * f);
}

void ScaledSurface::box(double x1, double y1, double x2, double y2)
{
    const double f = m_factor;
    m_target.box(x1 * f, y1 * f, x2 * f, y2 * f);
}

void ScaledSurface::filledBox(double x1, double y1, double x2, double y2)
{
    const double f = m_factor;
    m_target.filledBox(x1 * f, y1 * f, x2 * f, y2 * f);
}

void ScaledSurface::circle(double cx, double cy, double r)
{
    m_target.circle(cx * m_factor, cy * m_factor, r * m_factor);
}

void ScaledSurface::arc(double cx, double cy, double r, double startDeg, double endDeg)
{
    m_target.arc(cx * m_factor, cy * m_factor, r * m_factor, startDeg, endDeg);
}

void ScaledSurface::pie(double cx, double cy, double r, double startDeg, double endDeg)
{
    m_target.pie(cx * m_factor, cy * m_factor, r * m_factor, startDeg, endDeg);
}

void ScaledSurface::polygon(const std::vector<PointTwips>& points)
{
    std::vector<PointTwips> scaled;
    scaled.reserve(points.size());
    for (const PointTwips& p : points)
        scaled.push_back({p.x * m_factor, p.y * m_factor});
    m_target.polygon(scaled);
}

void ScaledSurface::text(double x, double y, const std::string& text)
{
    m_target.text(x * m_factor, y * m_factor, text);
}

bool ScaledSurface::picture(const std::string& path, double widthTwips, double heightTwips)
{
    return m_target.picture(path, widthTwips * m_factor, heightTwips * m_factor);
}

} // namespace ventoral
