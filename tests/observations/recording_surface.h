// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing target for tests: keeps every drawing call with its arguments
// and the pen, fill and font state it was made with, so tests can assert
// geometry and colours instead of pixels. Text metrics are fixed per
// character and point size.

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace ventoral::test {

struct SurfaceCall {
    enum class Op { Clear, Line, Box, FilledBox, Circle, Arc, Pie, Polygon, Text, Picture };

    Op op = Op::Line;
    // Clear: colour. Line, Box, FilledBox: x1, y1, x2, y2. Circle: cx, cy, r.
    // Arc, Pie: cx, cy, r, startDeg, endDeg. Text: x, y. Picture: width, height.
    std::vector<double> args;
    std::vector<PointTwips> points;   // Polygon
    std::string text;                 // Text, or the Picture path

    ColorRef fore = kBlack;
    ColorRef fill = kBlack;
    bool fillSolid = false;
    double drawWidth = 1;
    double fontSize = 8;
    bool bold = false;
};

class RecordingSurface : public Surface {
public:
    explicit RecordingSurface(Kind kind = Kind::Window, double widthTwips = 4500, double heightTwips = 1800)
        : m_kind(kind), m_width(widthTwips), m_height(heightTwips)
    {
    }

    // Text metrics in twips per character (UTF-8 code point) and per line, at 1 point.
    double charWidthPerPoint = 10;
    double lineHeightPerPoint = 20;
    // Returned by picture().
    bool pictureReadable = true;

    const std::vector<SurfaceCall>& calls() const { return m_calls; }
    void reset() { m_calls.clear(); }

    std::vector<SurfaceCall> callsOf(SurfaceCall::Op op) const
    {
        std::vector<SurfaceCall> found;
        std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(found),
                     [op](const SurfaceCall& call) { return call.op == op; });
        return found;
    }
    // The Text calls with exactly this text, in drawing order.
    std::vector<SurfaceCall> textsEqual(const std::string& text) const
    {
        std::vector<SurfaceCall> found;
        for (const SurfaceCall& call : m_calls)
            if (call.op == SurfaceCall::Op::Text && call.text == text)
                found.push_back(call);
        return found;
    }
    std::vector<std::string> textStrings() const
    {
        std::vector<std::string> found;
        for (const SurfaceCall& call : m_calls)
            if (call.op == SurfaceCall::Op::Text)
                found.push_back(call.text);
        return found;
    }

    // Every call with its arguments and state, one line each, for comparing
    // two drawings as a whole.
    std::string transcript() const
    {
        std::string out;
        const auto number = [&out](double v) { out += std::to_string(v) + ' '; };
        for (const SurfaceCall& call : m_calls) {
            number(static_cast<int>(call.op));
            for (double a : call.args)
                number(a);
            for (const PointTwips& p : call.points) {
                number(p.x);
                number(p.y);
            }
            for (double state : {double(call.fore), double(call.fill), double(call.fillSolid), call.drawWidth,
                                 call.fontSize, double(call.bold)})
                number(state);
            out += call.text + '\n';
        }
        return out;
    }

    ColorRef foreColor() const { return m_state.fore; }
    ColorRef fillColor() const { return m_state.fill; }
    bool fillSolid() const { return m_state.fillSolid; }
    double drawWidth() const { return m_state.drawWidth; }
    double fontSize() const { return m_state.fontSize; }
    bool bold() const { return m_state.bold; }

    static std::size_t codePoints(const std::string& text)
    {
        const auto leading = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
        return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), leading));
    }

    Kind kind() const override { return m_kind; }
    double widthTwips() const override { return m_width; }
    double heightTwips() const override { return m_height; }
    double twipsPerPixel() const override { return 15; }

    void clear(ColorRef background) override { record(SurfaceCall::Op::Clear, {static_cast<double>(background)}); }

    void setForeColor(ColorRef color) override { m_state.fore = color; }
    void setFillColor(ColorRef color) override { m_state.fill = color; }
    void setFillSolid(bool solid) override { m_state.fillSolid = solid; }
    void setDrawWidth(double pixels) override { m_state.drawWidth = pixels; }
    void setFontSize(double points) override { m_state.fontSize = points; }
    void setBold(bool bold) override { m_state.bold = bold; }

    void line(double x1, double y1, double x2, double y2) override { record(SurfaceCall::Op::Line, {x1, y1, x2, y2}); }
    void box(double x1, double y1, double x2, double y2) override { record(SurfaceCall::Op::Box, {x1, y1, x2, y2}); }
    void filledBox(double x1, double y1, double x2, double y2) override
    {
        record(SurfaceCall::Op::FilledBox, {x1, y1, x2, y2});
    }
    void circle(double cx, double cy, double r) override { record(SurfaceCall::Op::Circle, {cx, cy, r}); }
    void arc(double cx, double cy, double r, double startDeg, double endDeg) override
    {
        record(SurfaceCall::Op::Arc, {cx, cy, r, startDeg, endDeg});
    }
    void pie(double cx, double cy, double r, double startDeg, double endDeg) override
    {
        record(SurfaceCall::Op::Pie, {cx, cy, r, startDeg, endDeg});
    }
    void polygon(const std::vector<PointTwips>& points) override
    {
        record(SurfaceCall::Op::Polygon, {});
        m_calls.back().points = points;
    }

    double textWidth(const std::string& text) override
    {
        return static_cast<double>(codePoints(text)) * charWidthPerPoint * m_state.fontSize;
    }
    double textHeight(const std::string&) override { return lineHeightPerPoint * m_state.fontSize; }
    void text(double x, double y, const std::string& text) override
    {
        record(SurfaceCall::Op::Text, {x, y});
        m_calls.back().text = text;
    }

    bool picture(const std::string& path, double widthTwips, double heightTwips) override
    {
        record(SurfaceCall::Op::Picture, {widthTwips, heightTwips});
        m_calls.back().text = path;
        return pictureReadable;
    }

private:
    void record(SurfaceCall::Op op, std::vector<double> args)
    {
        SurfaceCall call = m_state;
        call.op = op;
        call.args = std::move(args);
        m_calls.push_back(std::move(call));
    }

    Kind m_kind;
    double m_width;
    double m_height;
    SurfaceCall m_state;   // only its pen, fill and font fields are used
    std::vector<SurfaceCall> m_calls;
};

} // namespace ventoral::test
