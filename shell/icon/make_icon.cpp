// Draws the application icon, one 32 x 32 image in the 16 standard colours, and writes it as an
// .ico file. Not part of the build: the icon it makes is kept as shell/zorvel.ico. To redraw it:
//   g++ -std=c++20 shell/icon/make_icon.cpp -o make_icon && ./make_icon shell/zorvel.ico
//
// The picture is the tool's own window: a navy title bar over a grey form with the three rows in
// green, blue and red, and a mouse pointer resting on the last row.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr int size = 32;

// The 16 colours of the standard palette, as 0xRRGGBB.
enum Colour : std::uint8_t {
    black,
    maroon,
    green,
    olive,
    navy,
    purple,
    teal,
    silver,
    grey,
    red,
    lime,
    yellow,
    blue,
    magenta,
    cyan,
    white,
};
constexpr std::uint32_t palette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

struct Picture {
    std::uint8_t colour[size][size] = {};
    bool opaque[size][size] = {};

    void fill(int left, int top, int right, int bottom, Colour c) {  // inclusive corners
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                colour[y][x] = c;
                opaque[y][x] = true;
            }
    }
    void frame(int left, int top, int right, int bottom, Colour c) {
        fill(left, top, right, top, c);
        fill(left, bottom, right, bottom, c);
        fill(left, top, left, bottom, c);
        fill(right, top, right, bottom, c);
    }
};

// One row of the form: a short label block and a long button in the row's colour, with a white
// highlight so that the button reads as raised.
void row(Picture& p, int top, Colour c) {
    p.fill(4, top, 8, top + 3, c);
    p.fill(11, top - 1, 26, top + 4, black);
    p.fill(12, top, 25, top + 3, c);
    p.fill(12, top, 25, top, white);
}

// The pointer: k outline, w fill, anything else left as it is.
constexpr const char* pointer[] = {
    "k",        "kk",        "kwk",       "kwwk",       "kwwwk",   "kwwwwk",
    "kwwwwwk",  "kwwwwwwk",  "kwwwwwwwk", "kwwwwkkkkk", "kwwkwwk", "kwk kwwk",
    "kk  kwwk", "k    kwwk", "     kwwk", "      kk",
};

Picture draw() {
    Picture p;
    p.fill(1, 2, 28, 29, silver);
    p.frame(1, 2, 28, 29, black);
    p.fill(2, 3, 27, 7, navy);
    p.fill(3, 4, 10, 6, white);    // the caption
    p.fill(24, 4, 26, 6, silver);  // the close box
    p.fill(2, 29, 28, 29, black);
    p.fill(29, 3, 29, 30, grey);  // a shadow to the right and below
    p.fill(2, 30, 29, 30, grey);
    row(p, 10, green);
    row(p, 16, blue);
    row(p, 22, red);
    const int tipX = 19, tipY = 15;
    for (int dy = 0; dy < static_cast<int>(std::size(pointer)); ++dy) {
        for (int dx = 0; pointer[dy][dx] != '\0'; ++dx) {
            char c = pointer[dy][dx];
            if (c == 'k') p.fill(tipX + dx, tipY + dy, tipX + dx, tipY + dy, black);
            if (c == 'w') p.fill(tipX + dx, tipY + dy, tipX + dx, tipY + dy, white);
        }
    }
    return p;
}

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::vector<std::uint8_t> encode(const Picture& p) {
    constexpr std::uint32_t xorBytes = size * size / 2;  // 4 bits a pixel, rows of 16 bytes
    constexpr std::uint32_t andBytes = size * size / 8;  // 1 bit a pixel, rows of 4 bytes
    constexpr std::uint32_t imageBytes = 40 + 16 * 4 + xorBytes + andBytes;
    std::vector<std::uint8_t> out;
    // ICONDIR and its one ICONDIRENTRY.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    out.push_back(size);
    out.push_back(size);
    out.push_back(16);
    out.push_back(0);
    put16(out, 1);
    put16(out, 4);
    put32(out, imageBytes);
    put32(out, 6 + 16);
    // BITMAPINFOHEADER: the height counts the colour image and the mask.
    put32(out, 40);
    put32(out, size);
    put32(out, size * 2);
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, xorBytes + andBytes);
    for (int i = 0; i < 4; ++i) put32(out, 0);
    for (std::uint32_t rgb : palette) {
        out.push_back(rgb & 0xFF);
        out.push_back((rgb >> 8) & 0xFF);
        out.push_back((rgb >> 16) & 0xFF);
        out.push_back(0);
    }
    // Rows bottom-up; a transparent pixel is colour 0 with its mask bit set.
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; x += 2)
            out.push_back(static_cast<std::uint8_t>((p.colour[y][x] << 4) | p.colour[y][x + 1]));
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; x += 8) {
            std::uint8_t bits = 0;
            for (int b = 0; b < 8; ++b)
                if (!p.opaque[y][x + b]) bits |= 0x80 >> b;
            out.push_back(bits);
        }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    std::vector<std::uint8_t> bytes = encode(draw());
    std::ofstream file(argv[1], std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return file ? 0 : 1;
}
