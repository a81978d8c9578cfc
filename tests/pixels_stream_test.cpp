// Pixel memory and picture streams: a bitmap's pixels of its own or lent
// by a window, and the BMP decoder reading its file front to back, from
// memory or from an inflating stream, straight into the picture.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "InflateWhole.h"
#include "resources/Compressed.h"
#include "resources/Pictures.h"
#include "util/Bitmap.h"
#include "util/Bmp.h"

namespace {

// Hands the file out in the pieces asked for, each copied into one buffer
// that the next request overwrites (after poisoning it), as a decompressor
// does: a decoder that kept a pointer past the next request reads garbage.
class OverwritingSource final : public BmpSource {
public:
    explicit OverwritingSource(const std::vector<uint8_t>& file) : file_(file) {}
    const uint8_t* Next(size_t count) override {
        if (count > file_.size() - at_) return nullptr;
        std::fill(buffer_.begin(), buffer_.end(), uint8_t{0xA5});
        buffer_.assign(file_.begin() + long(at_), file_.begin() + long(at_ + count));
        at_ += count;
        return buffer_.data();
    }

private:
    const std::vector<uint8_t>& file_;
    std::vector<uint8_t> buffer_;
    size_t at_ = 0;
};

std::vector<uint8_t> Packed(const std::vector<uint8_t>& bmp, int level, size_t announced) {
    std::vector<uint8_t> out(packed::Magic, packed::Magic + 4);
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(announced >> (8 * i)));
    uLongf n = compressBound(uLong(bmp.size()));
    out.resize(packed::HeaderSize + n);
    EXPECT_EQ(compress2(out.data() + packed::HeaderSize, &n, bmp.data(), uLong(bmp.size()), level), Z_OK);
    out.resize(packed::HeaderSize + n);
    return out;
}

std::vector<uint8_t> FileOf(PictureWindow window, const char* name, int scale) {
    const auto bytes = PictureBytes(window, name, scale);
    return *InflateWhole(bytes);
}

}  // namespace

TEST(PixelBuffer, ACopyOfLentPixelsIsItsOwnAndEqualityComparesPixels) {
    std::vector<uint32_t> window(6, 0x00102030);
    Bitmap lent;
    lent.Width = 3, lent.Height = 2;
    lent.Pixels = PixelBuffer::Lent(window.data(), window.size());
    ASSERT_TRUE(lent.Pixels.IsLent());
    lent.At(1, 1) = 0x00FFFFFF;  // drawn into the lender's memory
    EXPECT_EQ(window[4], 0x00FFFFFFu);

    Bitmap copy = lent;
    EXPECT_FALSE(copy.Pixels.IsLent());
    EXPECT_NE(copy.Pixels.data(), window.data());
    EXPECT_EQ(copy.Pixels, lent.Pixels);
    copy.At(0, 0) = 1;
    EXPECT_EQ(window[0], 0x00102030u);  // the lender is untouched
    EXPECT_FALSE(copy.Pixels == lent.Pixels);

    // Moving hands the loan on; nothing is freed that was never owned.
    Bitmap moved = std::move(lent);
    EXPECT_EQ(moved.Pixels.data(), window.data());
    EXPECT_TRUE(lent.Pixels.empty());

    EXPECT_EQ(Bitmap(4, 3).Pixels, PixelBuffer(12));  // a black picture is zeroed
    EXPECT_FALSE(PixelBuffer().IsLent());
}

TEST(PictureStream, EveryScaledPictureDecodesAsItsWholeFileDoes) {
    // Streamed a slice at a time (the boards from their stored stream, the
    // rest at level 9): the same pixels as inflating the whole file first.
    for (int scale : {2, 3})
        for (const char* name : {"ImgBoard", "ImgColors", "ImgWhitePegs", "imgDigits", "ImgBigBall"}) {
            const auto bytes = PictureBytes(PictureWindow::Main, name, scale);
            std::string error;
            const auto streamed = DecodePackedPicture(bytes, &error);
            ASSERT_TRUE(streamed) << name << " at " << scale << ": " << error;
            const auto file = InflateWhole(bytes);
            const auto whole = DecodeBmp(file->data(), file->size());
            EXPECT_EQ(streamed->Picture.Pixels, whole->Picture.Pixels) << name << " at " << scale;
            EXPECT_EQ(streamed->BitsPerPixel, whole->BitsPerPixel);
        }
}

TEST(PictureStream, ADecoderReadingThroughAnOverwrittenBufferSeesTheSamePictures) {
    for (const char* name : {"ImgBoard", "imgDigits", "ImgColors"}) {
        const auto file = FileOf(PictureWindow::Main, name, 2);
        OverwritingSource source(file);
        const auto streamed = DecodeBmp(source, file.size());
        const auto inPlace = DecodeBmp(file.data(), file.size());
        ASSERT_TRUE(streamed && inPlace) << name;
        EXPECT_EQ(streamed->Picture.Pixels, inPlace->Picture.Pixels) << name;
    }
}

TEST(PictureStream, AStreamCutShortTooLongOrOfAnotherLengthIsRefused) {
    const auto file = FileOf(PictureWindow::Main, "imgDigits", 2);
    auto refused = [](const std::vector<uint8_t>& packedBytes) {
        std::string why;
        const bool decoded = DecodePackedPicture(packedBytes, &why).has_value();
        EXPECT_FALSE(why.empty());
        return !decoded;
    };
    for (int level : {0, 9}) {
        const auto good = Packed(file, level, file.size());
        ASSERT_TRUE(DecodePackedPicture(good)) << level;
        EXPECT_TRUE(refused({good.begin(), good.end() - 7})) << level;      // cut short
        EXPECT_TRUE(refused(Packed(file, level, file.size() + 1))) << level;  // announces more
        EXPECT_TRUE(refused(Packed(file, level, file.size() - 1))) << level;  // announces less
        auto trailing = good;
        trailing.push_back(0);  // a byte after the stream's end
        EXPECT_TRUE(refused(trailing)) << level;
    }
    // A stream whose BMP is cut inside its rows.
    std::vector<uint8_t> half(file.begin(), file.begin() + long(file.size() / 2));
    EXPECT_TRUE(refused(Packed(half, 9, half.size())));
}

TEST(PictureStream, APictureDecodedIntoALargerBitmapFillsItsCornerAndLeavesTheRest) {
    for (int scale : {1, 2}) {
        const Bitmap alone = LoadPicture(PictureWindow::Main, "ImgBoard", scale)->Picture;
        Bitmap back(alone.Width + 3, alone.Height + 4, 0x00010203);
        std::string error;
        ASSERT_TRUE(LoadPictureInto(PictureWindow::Main, "ImgBoard", scale, back, &error)) << error;
        bool corner = true, rest = true;
        for (int y = 0; y < back.Height; ++y)
            for (int x = 0; x < back.Width; ++x) {
                if (alone.Contains(x, y))
                    corner = corner && back.At(x, y) == alone.At(x, y);
                else
                    rest = rest && back.At(x, y) == 0x00010203u;
            }
        EXPECT_TRUE(corner) << scale;
        EXPECT_TRUE(rest) << scale;
        // A bitmap too small for the picture is refused, not written past.
        Bitmap small(alone.Width - 1, alone.Height);
        EXPECT_FALSE(LoadPictureInto(PictureWindow::Main, "ImgBoard", scale, small, &error)) << scale;
        EXPECT_NE(error.find("larger"), std::string::npos) << error;
    }
}
