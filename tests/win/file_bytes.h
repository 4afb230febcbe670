#pragma once
// Whole files as bytes, for tests that check exactly what was written.

#include <fstream>
#include <sstream>
#include <string>

namespace test_files {

inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
    file << bytes;
}

// "倍率" in code page 932, the settings key as it lies in the file.
inline const std::string kMagnificationKeyBytes = "\x94\x7B\x97\xA6";

}  // namespace test_files
