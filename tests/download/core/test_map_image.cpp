// SPDX-License-Identifier: GPL-3.0-or-later
// Which bodies replace a stored map: whole images of the four formats, as
// Qt writes them (a GIF as the smallest one written by hand), and none of
// the answers that only look like one.

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include "gui_application.h"
#include "download/core/map_image.h"

using namespace ventoral;

namespace {

std::string written(const char* format)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes.toStdString();
}

// A 1x1 transparent GIF.
const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00,"
                       "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02" "D\x01\x00;",
                       43);

} // namespace

TEST(MapImage, OnlyWholeImagesOfTheFourFormatsReplaceAMap)
{
    // The JPEG writer is a plugin, found through the application.
    test::guiApplication();
    const std::string png = written("PNG");
    const std::string jpeg = written("JPEG");
    const std::string bmp = written("BMP");
    const struct Row {
        const char* what;
        std::string body;
        ImageFormat format;
        bool whole;
    } rows[] = {
        {"PNG", png, ImageFormat::Png, true},
        {"GIF", kGif, ImageFormat::Gif, true},
        {"JPEG", jpeg, ImageFormat::Jpeg, true},
        {"JPEG with padding", jpeg + std::string(3, '\0'), ImageFormat::Jpeg, true},
        {"BMP", bmp, ImageFormat::Bmp, true},
        {"PNG cut short", png.substr(0, png.size() - 20), ImageFormat::Png, false},
        {"GIF cut short", kGif.substr(0, 40), ImageFormat::Gif, false},
        {"JPEG cut short", jpeg.substr(0, jpeg.size() / 2), ImageFormat::Jpeg, false},
        {"BMP cut short", bmp.substr(0, bmp.size() - 1), ImageFormat::Bmp, false},
        {"a text", "The map of this hour is not ready yet.", ImageFormat::None, false},
        {"a JSON body", "{\"status\": \"error\"}", ImageFormat::None, false},
        {"an error page", "<html><body>Not Found</body></html>", ImageFormat::None, false},
        {"empty", "", ImageFormat::None, false},
        {"BM alone", "BM", ImageFormat::None, false},
        {"a signature alone", "GIF89a", ImageFormat::Gif, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(imageFormatOf(row.body), row.format);
        EXPECT_EQ(isWholeImage(row.body), row.whole);
    }
}
