#pragma once
// Shared by the test doubles of the 9x password libraries: they answer from,
// and report to, small text files beside themselves, so that a test can steer
// and observe them while the saver runs in another process.

#include <windows.h>

#include <cstdio>
#include <string>

namespace doubles {

inline std::string OwnDirectory() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnDirectory), &self);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

inline void AppendLine(const char* fileName, const std::string& line) {
    if (FILE* file = std::fopen((OwnDirectory() + fileName).c_str(), "ab")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

inline std::string ReadFirstWord(const char* fileName) {
    std::string word;
    if (FILE* file = std::fopen((OwnDirectory() + fileName).c_str(), "rb")) {
        char buffer[64] = {};
        if (std::fscanf(file, "%63s", buffer) == 1) word = buffer;
        std::fclose(file);
    }
    return word;
}

}  // namespace doubles
