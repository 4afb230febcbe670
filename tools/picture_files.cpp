#include "picture_files.h"

#include <stdexcept>

namespace zoomorb::pictures {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kDirectoryHeaderSize = 6;
constexpr uint32_t kDirectoryEntrySize = 16;
// 96 dots per inch, the resolution the layouts are designed for.
constexpr uint32_t kPixelsPerMetre = 3780;

void Put16(Bytes& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(Bytes& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

uint32_t Stride(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

// BITMAPINFOHEADER; icons and cursors store twice the height because the AND
// mask follows the colour rows.
void PutInfoHeader(Bytes& out, int width, int storedHeight, int bitsPerPixel, uint32_t imageSize,
                   uint32_t coloursUsed) {
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(storedHeight));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, coloursUsed);
    Put32(out, 0);
}

void PutColourRows(Bytes& out, const Image& image, const std::vector<bool>* transparent) {
    const uint32_t stride = Stride(image.Width(), 24);
    for (int y = image.Height() - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < image.Width(); ++x) {
            Rgb pixel = image.At(x, y);
            if (transparent && (*transparent)[static_cast<size_t>(y) * image.Width() + x]) pixel = {};
            out.push_back(pixel.b);
            out.push_back(pixel.g);
            out.push_back(pixel.r);
        }
        out.resize(rowStart + stride, 0);
    }
}

void PutMaskRows(Bytes& out, int width, int height, const std::vector<bool>& transparent) {
    const uint32_t stride = Stride(width, 1);
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < width; ++x)
            if (transparent[static_cast<size_t>(y) * width + x]) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

uint8_t DirectorySize(int pixels) {
    if (pixels <= 0 || pixels > 256) throw std::invalid_argument("icon sizes run from 1 to 256 pixels");
    return static_cast<uint8_t>(pixels == 256 ? 0 : pixels);
}

}  // namespace

Bytes EncodeBmp(const Image& image) {
    const uint32_t imageSize = Stride(image.Width(), 24) * static_cast<uint32_t>(image.Height());
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    PutInfoHeader(out, image.Width(), image.Height(), 24, imageSize, 0);
    PutColourRows(out, image, nullptr);
    return out;
}

Bytes EncodeIcon(const std::vector<IconImage>& images) {
    std::vector<Bytes> bodies;
    for (const IconImage& icon : images) {
        const Image& c = icon.colours;
        if (icon.transparent.size() != static_cast<size_t>(c.Width()) * c.Height())
            throw std::invalid_argument("icon mask does not match its image");
        const uint32_t imageSize = (Stride(c.Width(), 24) + Stride(c.Width(), 1)) * c.Height();
        Bytes body;
        PutInfoHeader(body, c.Width(), 2 * c.Height(), 24, imageSize, 0);
        PutColourRows(body, c, &icon.transparent);
        PutMaskRows(body, c.Width(), c.Height(), icon.transparent);
        bodies.push_back(std::move(body));
    }
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = kDirectoryHeaderSize + kDirectoryEntrySize * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(DirectorySize(images[i].colours.Width()));
        out.push_back(DirectorySize(images[i].colours.Height()));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);   // planes
        Put16(out, 24);  // bits per pixel
        Put32(out, static_cast<uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes EncodeCursor(const Cursor16& cursor) {
    const size_t pixels = static_cast<size_t>(cursor.width) * cursor.height;
    if (cursor.indices.size() != pixels || cursor.transparent.size() != pixels)
        throw std::invalid_argument("cursor pixels do not match its size");
    const uint32_t imageSize = (Stride(cursor.width, 4) + Stride(cursor.width, 1)) * cursor.height;
    Bytes body;
    PutInfoHeader(body, cursor.width, 2 * cursor.height, 4, imageSize, 16);
    for (const Rgb& entry : cursor.palette) {
        body.push_back(entry.b);
        body.push_back(entry.g);
        body.push_back(entry.r);
        body.push_back(0);
    }
    const uint32_t stride = Stride(cursor.width, 4);
    for (int y = cursor.height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < cursor.width; ++x) {
            size_t at = static_cast<size_t>(y) * cursor.width + x;
            uint8_t index = cursor.transparent[at] ? 0 : (cursor.indices[at] & 0x0F);
            row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        body.insert(body.end(), row.begin(), row.end());
    }
    PutMaskRows(body, cursor.width, cursor.height, cursor.transparent);

    Bytes out;
    Put16(out, 0);
    Put16(out, 2);  // cursor resource
    Put16(out, 1);
    out.push_back(DirectorySize(cursor.width));
    out.push_back(DirectorySize(cursor.height));
    out.push_back(16);  // colours
    out.push_back(0);
    Put16(out, static_cast<uint32_t>(cursor.hotX));
    Put16(out, static_cast<uint32_t>(cursor.hotY));
    Put32(out, static_cast<uint32_t>(body.size()));
    Put32(out, kDirectoryHeaderSize + kDirectoryEntrySize);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace zoomorb::pictures
