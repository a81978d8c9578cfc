// Compressed: inflating the 2x and 3x pictures (see Compressed.h) row by
// row into their decoder.
#include "resources/Compressed.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The BMP file inflated on demand, as the decoder asks for its bytes; only
// the bytes of one request are ever held.
class InflateSource final : public BmpSource {
public:
    InflateSource(std::span<const uint8_t> stream, uint32_t size) : size_(size)
    {
        started_ = inflateInit(&z_) == Z_OK;
        // No check value is computed: the bytes are the program's own,
        // read-only, and the art tests see every picture's pixels; a stream
        // whose structure or length is wrong is still refused. A start-up
        // at 2x would otherwise spend a fifth of its decoding on it.
        if (started_) inflateValidate(&z_, 0);
        z_.next_in = const_cast<Bytef*>(stream.data());
        z_.avail_in = static_cast<uInt>(stream.size());
    }
    ~InflateSource() override
    {
        if (started_) inflateEnd(&z_);
    }
    InflateSource(const InflateSource&) = delete;
    InflateSource& operator=(const InflateSource&) = delete;

    const uint8_t* Next(size_t count) override
    {
        if (!started_ || broken_ || count > size_ - handedOut_) return nullptr;
        if (filled_ - at_ < count) {
            // Inflated in slices of many rows: inflate is at its fastest on
            // a long output, and a slice still fits in the cache.
            std::copy(buffer_.begin() + std::ptrdiff_t(at_), buffer_.begin() + std::ptrdiff_t(filled_), buffer_.begin());
            filled_ -= at_;
            at_ = 0;
            const size_t want = std::min<size_t>(std::max(count, Slice), size_ - inflated_ + filled_);
            if (buffer_.size() < want) buffer_.resize(want);
            const size_t more = want - filled_;
            if (!Inflate(buffer_.data() + filled_, more)) return nullptr;
            filled_ += more;
            inflated_ += uint32_t(more);
        }
        const uint8_t* p = buffer_.data() + at_;
        at_ += count;
        handedOut_ += uint32_t(count);
        return p;
    }

    // Inflates what the decoder left unread and says whether the stream
    // ended right there, with nothing after it.
    bool Finish()
    {
        if (!Skip(size_ - handedOut_)) return false;
        if (!ended_) {
            // The stream must end with no byte more.
            uint8_t extra;
            z_.next_out = &extra;
            z_.avail_out = 1;
            ended_ = inflate(&z_, Z_FINISH) == Z_STREAM_END && z_.avail_out == 1;
        }
        return ended_ && z_.avail_in == 0;
    }

    bool Damaged() const { return broken_; }

private:
    static constexpr size_t Slice = 64 * 1024;

    bool Inflate(uint8_t* out, size_t count)
    {
        z_.next_out = out;
        z_.avail_out = static_cast<uInt>(count);
        while (z_.avail_out > 0) {
            if (ended_) return false;  // the stream is shorter than announced
            const int rc = inflate(&z_, Z_NO_FLUSH);
            if (rc == Z_STREAM_END) {
                ended_ = true;
                continue;
            }
            if (rc != Z_OK) {
                broken_ = true;
                return false;
            }
        }
        return true;
    }

    z_stream z_{};
    bool started_ = false, ended_ = false, broken_ = false;
    uint32_t size_;
    uint32_t inflated_ = 0, handedOut_ = 0;  // bytes of the file
    size_t at_ = 0, filled_ = 0;             // the unread part of buffer_
    std::vector<uint8_t> buffer_;
};

}  // namespace

namespace {

// Inflates the picture for `decode`, which reads the BMP file from the
// source it is given; the stream must then end right after the file.
template <typename Decode>
auto DecodePacked(std::span<const uint8_t> packedBytes, std::string* error, Decode decode) -> decltype(decode(
    std::declval<BmpSource&>(), uint32_t{}, static_cast<std::string*>(nullptr)))
{
    const uint32_t size = packed::AnnouncedSize(packedBytes, error);
    if (size == 0) return std::nullopt;
    InflateSource source(packedBytes.subspan(packed::HeaderSize), size);
    std::string why;
    auto result = decode(source, size, &why);
    // A damaged stream is said as such, not as the BMP it cut short.
    if (source.Damaged() || (result && !source.Finish())) {
        if (error) *error = "compressed picture is damaged, cut short or not the size it announces";
        return std::nullopt;
    }
    if (!result && error) *error = why;
    return result;
}

}  // namespace

std::optional<BmpImage> DecodePackedPicture(std::span<const uint8_t> packedBytes, std::string* error)
{
    return DecodePacked(packedBytes, error, [](BmpSource& source, uint32_t size, std::string* why) {
        return DecodeBmp(source, size, why);
    });
}

std::optional<int> DecodePackedPictureInto(std::span<const uint8_t> packedBytes, Bitmap& into, std::string* error)
{
    return DecodePacked(packedBytes, error, [&into](BmpSource& source, uint32_t size, std::string* why) {
        return DecodeBmpInto(source, size, into, why);
    });
}
