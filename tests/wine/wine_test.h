// What the Wine tests share: the program under test, a fresh folder per
// test, and whole-file reads and writes.
#pragma once

#include "program_driver.h"

#include "ui/resource_ids.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

constexpr DWORD kWaitMs = 20000;

// The shipped vantrel.exe, named by the test runner in VANTREL_EXE.
inline std::string VantrelExe()
{
    const char* path = std::getenv("VANTREL_EXE");
    return path != nullptr ? path : "";
}

// A file that pack-installers.py wrote, in the folder the test runner names
// in VANTREL_PAYLOAD.
inline std::string Payload(const std::string& name)
{
    const char* folder = std::getenv("VANTREL_PAYLOAD");
    return std::string(folder != nullptr ? folder : "") + "\\" + name;
}

// A folder of its own for the running test, with a blank in its name. The
// Wine prefix is thrown away after the run, so it is never removed.
inline std::string FreshFolder()
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string folder = "C:\\vantrel " + std::string(test ? test->name() : "suite");
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

// Starts vantrel.exe, or a copy of it at path, with arguments in folder.
inline void Start(Program& program, const std::string& path, const std::string& arguments,
                  const std::string& folder)
{
    ASSERT_TRUE(program.Start(path, arguments, folder)) << path << " " << arguments;
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
    HWND box = program.WaitForWindow(caption, kWaitMs);
    ASSERT_NE(box, nullptr) << caption;
    EXPECT_EQ(ItemText(box, kUnaddressed), text);
    ASSERT_TRUE(PressOk(box));
}
