// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing target for tests: keeps every drawing call with its arguments
// and the pen, fill and font state it was made with, so tests can assert
// geometry and colours instead of pixels. Text metrics are fixed per
// character and point size.
//
// Coordinates are kept as absolute twips of the surface, through the
// transform in force, so a painter that translates instead of adding
// offsets by hand records the same numbers as one that adds them.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
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

    // Every call with its arguments and the state that shows in it, one line
    // each, for comparing two drawings as a whole and for reference files:
    // the operation, its numbers (twips, degrees), then what it is drawn
    // with: lines and outlines their fore colour and draw width, fills their
    // fill colour (a box or circle only when its fill is solid), text its
    // colour, size and weight, then the text or picture path. State that
    // does not show (the font size of a line) is left out, so two painters
    // that set it in another order record the same. Numbers are written to
    // 0.01, so drawings that differ only by rounding noise (an offset added
    // in another order) give the same transcript.
    std::string transcript() const
    {
        static constexpr std::array<const char*, 10> kOpNames = {
            "clear", "line", "box", "filledBox", "circle", "arc", "pie", "polygon", "text", "picture",
        };
        using Op = SurfaceCall::Op;
        std::string out;
        const auto number = [&out](double v) { out += roundedNumber(v) + ' '; };
        for (const SurfaceCall& call : m_calls) {
            out += kOpNames.at(static_cast<std::size_t>(call.op));
            out += ' ';
            for (double a : call.args)
                number(a);
            for (const PointTwips& p : call.points) {
                number(p.x);
                number(p.y);
            }
            const Op op = call.op;
            const bool outlined = op == Op::Line || op == Op::Box || op == Op::Circle || op == Op::Arc ||
                                  op == Op::Pie || op == Op::Polygon;
            const bool filled = op == Op::Pie || op == Op::Polygon ||
                                ((op == Op::Box || op == Op::Circle) && call.fillSolid);
            if (outlined || op == Op::FilledBox || op == Op::Text)
                out += "fore " + std::to_string(call.fore) + ' ';
            if (outlined) {
                out += "width ";
                number(call.drawWidth);
            }
            if (filled)
                out += "fill " + std::to_string(call.fill) + ' ';
            if (op == Op::Text) {
                out += "font ";
                number(call.fontSize);
                out += call.bold ? "bold " : "";
            }
            out += call.text + '\n';
        }
        return out;
    }

    // v to two decimals, "-0.00" written as "0.00". Noise below 1e-6 is
    // dropped first, so a value such as 12.125 computed two ways (12.1250000001
    // and 12.1249999999) rounds the same way.
    static std::string roundedNumber(double v)
    {
        double snapped = std::round(v * 1e6) / 1e6;
        char text[64];
        std::snprintf(text, sizeof text, "%.2f", snapped);
        std::string result = text;
        return result == "-0.00" ? "0.00" : result;
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

    void clear(ColorRef background) override { record(SurfaceCall::Op::Clear, {static_cast<double>(background)}); }

    void setForeColor(ColorRef color) override { m_state.fore = color; }
    void setFillColor(ColorRef color) override { m_state.fill = color; }
    void setFillSolid(bool solid) override { m_state.fillSolid = solid; }
    void setBold(bool bold) override { m_state.bold = bold; }

protected:
    // Every call is recorded in the target's twips, after the transform.
    double targetWidthTwips() const override { return m_width; }
    double targetHeightTwips() const override { return m_height; }
    double targetTwipsPerPixel() const override { return 15; }
    void applyDrawWidth(double pixels) override { m_state.drawWidth = pixels; }
    void applyFontSize(double points) override { m_state.fontSize = points; }

    void targetLine(double x1, double y1, double x2, double y2) override
    {
        record(SurfaceCall::Op::Line, {x1, y1, x2, y2});
    }
    void targetBox(double x1, double y1, double x2, double y2) override
    {
        record(SurfaceCall::Op::Box, {x1, y1, x2, y2});
    }
    void targetFilledBox(double x1, double y1, double x2, double y2) override
    {
        record(SurfaceCall::Op::FilledBox, {x1, y1, x2, y2});
    }
    void targetCircle(double cx, double cy, double r) override { record(SurfaceCall::Op::Circle, {cx, cy, r}); }
    void targetArc(double cx, double cy, double r, double startDeg, double endDeg) override
    {
        record(SurfaceCall::Op::Arc, {cx, cy, r, startDeg, endDeg});
    }
    void targetPie(double cx, double cy, double r, double startDeg, double endDeg) override
    {
        record(SurfaceCall::Op::Pie, {cx, cy, r, startDeg, endDeg});
    }
    void targetPolygon(const std::vector<PointTwips>& points) override
    {
        record(SurfaceCall::Op::Polygon, {});
        m_calls.back().points = points;
    }

    double targetTextWidth(const std::string& text) override
    {
        return static_cast<double>(codePoints(text)) * charWidthPerPoint * m_state.fontSize;
    }
    double targetTextHeight(const std::string&) override { return lineHeightPerPoint * m_state.fontSize; }
    void targetText(double x, double y, const std::string& text) override
    {
        record(SurfaceCall::Op::Text, {x, y});
        m_calls.back().text = text;
    }

    // A picture at the origin records its size; elsewhere its place too.
    bool targetPicture(const std::string& path, double x, double y, double widthTwips, double heightTwips) override
    {
        if (x == 0 && y == 0)
            record(SurfaceCall::Op::Picture, {widthTwips, heightTwips});
        else
            record(SurfaceCall::Op::Picture, {x, y, widthTwips, heightTwips});
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
