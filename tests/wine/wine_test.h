// What the Wine tests share: the program under test, a fresh folder per
// test, whole-file reads and writes, and waits on its pages and boxes.
#pragma once

#include "program_driver.h"

#include "ui/resource_ids.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

// Under qemu on a busy 2-core machine, the long license's page alone took
// close to 20 s to appear; a wait ends as soon as what it waits for happens.
constexpr DWORD kWaitMs = 60000;

// The test runner's setting of name ("" when unset).
inline std::string Setting(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The shipped vantrel.exe, and a file that pack-installers.py wrote.
inline std::string VantrelExe() { return Setting("VANTREL_EXE"); }
inline std::string Payload(const std::string& name) { return Setting("VANTREL_PAYLOAD") + "\\" + name; }

// A folder of its own for the running test, with a blank in its name. The
// Wine prefix is thrown away after the run, so it is never removed.
inline std::string FreshFolder()
{
    std::string folder = "C:\\vantrel " + std::string(testing::UnitTest::GetInstance()->current_test_info()->name());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    return static_cast<bool>(file << bytes);
}

// The program's window titled title (a page or a box); null, and a failure,
// when it does not come.
inline HWND AwaitWindow(const Program& program, const char* title)
{
    HWND window = program.WaitForWindow(title, kWaitMs);
    EXPECT_NE(window, nullptr) << "no window \"" << title << "\"";
    return window;
}

// The program ends with exitCode: 0 done as asked, 1 a packaging mode
// failed, 2 the run ended on an error.
inline void ExpectEnd(Program& program, DWORD exitCode)
{
    DWORD ended = 99;
    EXPECT_TRUE(program.WaitForExit(kWaitMs, &ended)) << "the program did not end";
    EXPECT_EQ(ended, exitCode);
}

// Waits for the box of caption that program shows, checks its text and
// presses OK.
inline void ExpectBox(Program& program, const char* caption, const std::string& text)
{
    HWND box = AwaitWindow(program, caption);
    EXPECT_EQ(WindowText(GetDlgItem(box, kUnaddressed)), text);
    ASSERT_TRUE(ClickButton(GetDlgItem(box, IDOK)));
}
