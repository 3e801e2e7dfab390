#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/application_win.h"
#include "win_test_support.h"

inline void writeFile(const std::string& path, const char* text) {
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

// A started application in a folder and settings key of the test's own.
struct AppTest : ::testing::Test {
    std::string key;
    std::string folder;
    std::unique_ptr<Application> app;
    HWND window = nullptr;

    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        key = "Software\\Marrowfen\\CointrelTest\\" + std::to_string(GetCurrentProcessId()) + name;
        folder = tempPath(name.c_str());
        CreateDirectoryA(folder.c_str(), nullptr);
        SetCurrentDirectoryA(folder.c_str());
    }
    void TearDown() override {
        if (window != nullptr && IsWindow(window)) {
            DestroyWindow(window);
        }
        // The main window's end posts a quit message, which would end the next dialog's loop.
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Marrowfen\\CointrelTest");  // once empty
    }

    void setValue(const char* name, DWORD kind, const void* data, DWORD size) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(k, name, 0, kind, static_cast<const BYTE*>(data), size);
        RegCloseKey(k);
    }
    void setInt(const char* name, std::int32_t v) { setValue(name, REG_BINARY, &v, 4); }
    void setText(const char* name, const std::string& v) {
        setValue(name, REG_SZ, v.c_str(), static_cast<DWORD>(v.size() + 1));
    }

    void start() {
        app = std::make_unique<Application>(GetModuleHandleA(nullptr), key.c_str());
        window = app->start(SW_SHOWNORMAL);
        ASSERT_NE(window, nullptr);
    }
    LRESULT command(UINT message, unsigned id) { return SendMessageA(window, message, id, 0); }

    // The main window's client area is width x height and its top-left corner where it was.
    void expectFitsMeterAt(const RECT& before, int width, int height) {
        RECT after{}, client{};
        GetWindowRect(window, &after);
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, width);
        EXPECT_EQ(client.bottom, height);
        EXPECT_EQ(after.left, before.left);
        EXPECT_EQ(after.top, before.top);
    }
};
