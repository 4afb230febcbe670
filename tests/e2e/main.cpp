#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // A helper mode: report a system parameter through the exit code, read in
    // a process of its own because Wine caches them per process.
    const char kReadParameter[] = "--read-system-parameter=";
    if (argc == 2 && std::strncmp(argv[1], kReadParameter, sizeof kReadParameter - 1) == 0) {
        const UINT action = static_cast<UINT>(std::atoi(argv[1] + sizeof kReadParameter - 1));
        UINT value = 0;
        if (!SystemParametersInfoW(action, 0, &value, 0)) return 0xFFFF;
        return static_cast<int>(value);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
