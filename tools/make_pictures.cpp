// Draws the pictures stored with the program. They are generated rather than
// hand-edited so anyone can remake them exactly; the test build runs --check
// to prove the committed files are what this generator produces.

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "pictures/preview_picture.h"
#include "glass_pictures.h"
#include "hand_cursor.h"
#include "picture_files.h"
#include "pictures/glass/glass_picture.h"
#include "wallpaper.h"

namespace {

using zoomorb::pictures::Bytes;

std::vector<std::pair<std::string, Bytes>> AllPictures() {
    using namespace zoomorb::pictures;
    return {
        {"lens.bmp", EncodeBmp(DrawLensBitmap())},
        {"dialog_picture.bmp", EncodeBmp(DrawDialogPicture())},
        {"preview.bmp", EncodeBmp(zoomorb::pictures::DrawPreviewPicture())},
        {"zoomorb.ico", EncodeIcon(DrawIconImages())},
        {"hand.cur", EncodeCursor(DrawHandCursor())},
    };
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::cerr << "make_pictures: cannot write " << path << "\n";
    return static_cast<bool>(out);
}

bool ReadFile(const std::string& path, Bytes& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

int WriteAll(const std::string& directory) {
    bool ok = true;
    for (const auto& [name, bytes] : AllPictures()) ok = WriteFile(directory + "/" + name, bytes) && ok;
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

int CheckAll(const std::string& directory) {
    int differing = 0;
    for (const auto& [name, bytes] : AllPictures()) {
        Bytes committed;
        if (!ReadFile(directory + "/" + name, committed)) {
            std::cout << name << ": missing\n";
            ++differing;
        } else if (committed != bytes) {
            std::cout << name << ": differs from the generator's output\n";
            ++differing;
        }
    }
    if (differing == 0) std::cout << "all pictures match the generator\n";
    return differing == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}

bool ParseSize(const std::string& text, int& value) {
    try {
        size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size() && value > 0 && value <= 16384;
    } catch (const std::exception&) {
        return false;
    }
}

int Usage() {
    std::cerr << "usage: make_pictures <dir>\n"
                 "       make_pictures --check <dir>\n"
                 "       make_pictures --wallpaper <file.bmp> <width> <height>\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0].rfind("--", 0) != 0) return WriteAll(args[0]);
    if (args.size() == 2 && args[0] == "--check") return CheckAll(args[1]);
    if (args.size() == 4 && args[0] == "--wallpaper") {
        int width = 0, height = 0;
        if (!ParseSize(args[2], width) || !ParseSize(args[3], height)) return Usage();
        using namespace zoomorb::pictures;
        return WriteFile(args[1], EncodeBmp(DrawWallpaper(width, height))) ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    return Usage();
}
