// SPDX-License-Identifier: GPL-3.0-or-later
// Face bitmaps: the block-average reduction and the eight saved files.

#include <QImage>

#include <gtest/gtest.h>

#include "session/app_state.h"
#include "instruments/face_renderer.h"
#include "widgets/qt_face_renderer.h"
#include "platform/core/file_io.h"
#include "test_support.h"

using namespace ventoral;

namespace {

PixelArray grey(int w, int h, std::uint8_t value)
{
    PixelArray p(w, h);
    std::fill(p.bgr.begin(), p.bgr.end(), value);
    return p;
}

} // namespace

TEST(FaceReduction, AveragesEachBlockAndRoundsHalfToEven)
{
    // 5 x 1 to 2 x 1: blocks are columns 0-1 and 2-3 (the last column is never read).
    PixelArray source(5, 1);
    const std::uint8_t reds[] = {1, 2, 2, 3, 250};
    for (int x = 0; x < 5; ++x)
        source.at(x, 0)[2] = reds[x];
    PixelArray out(2, 1);
    reducePixels(source, out);
    EXPECT_EQ(out.at(0, 0)[2], 2);   // 1.5 rounds to 2
    EXPECT_EQ(out.at(1, 0)[2], 2);   // 2.5 rounds to 2
}

TEST(FaceReduction, LargeBlocksDoNotOverflowAndSmallSourcesStillFillEveryPixel)
{
    PixelArray whole(1, 1);
    reducePixels(grey(400, 400, 255), whole);
    EXPECT_EQ(whole.at(0, 0)[0], 255);

    PixelArray wide(7, 7);
    reducePixels(grey(3, 3, 90), wide);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(wide.at(x, y)[1], 90) << x << "," << y;
}

TEST(FaceReduction, PixelsSurviveTheTripThroughAnImage)
{
    PixelArray p(3, 2);
    for (std::size_t i = 0; i < p.bgr.size(); ++i)
        p.bgr[i] = static_cast<std::uint8_t>(i * 13);
    QImage rgb(3, 2, QImage::Format_RGB888);
    SetBitmapPixels(rgb, p);
    EXPECT_EQ(GetBitmapPixels(rgb).bgr, p.bgr);

    QImage indexed(3, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    SetBitmapPixels(indexed, grey(3, 2, 240));
    EXPECT_EQ(GetBitmapPixels(indexed).at(1, 1)[0], 255);   // the nearest colour of the table
}

TEST(FaceRendering, WritesEightTwentyFourBitBitmapsInTheSchemeColours)
{
    test::TempDir dir;
    AppState state;
    state.tables.colors.faceColor = rgb(0, 0, 64);
    QtFaceRenderer renderer;
    ASSERT_TRUE(renderer.makeFaces(state, dir.path()));
    for (const FaceSpec& face : faceSpecs(state.tables.units)) {
        const std::string path = joinPath(dir.path(), face.file);
        ASSERT_GE(FileSizeOf(path), 1000) << face.file;
        const std::string bytes = test::readFile(path);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24u) << face.file;
        const QImage image(QString::fromStdString(path));
        EXPECT_EQ(image.width(), image.height());
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 8).rgb() & 0xFFFFFF, 0x000040u)
            << face.file;   // face colour between hub and rim
    }
    test::writeFile(dir.file("plain-file"), "x");
    EXPECT_FALSE(renderer.makeFaces(state, dir.file("plain-file")));
}
