// Conversions between the program's 8-bit text and the edit's 16-bit text, and the file test.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "framework/form.h"
#include "framework/strings.h"

TEST(Strings, RoundTripKeepsEmbeddedZerosAndCodePageLetters) {
  const std::string ansi("C:\\Fl\xE4gel\0x", 11);  // a-umlaut in the Western code pages
  if (GetACP() != 1252) GTEST_SKIP() << "the prefix's code page is " << GetACP();
  EXPECT_EQ(WideToAnsi(AnsiToWide(ansi)), ansi);
  EXPECT_EQ(AnsiToWide(ansi).size(), 11u);
  EXPECT_EQ(AnsiToWide(""), L"");
  EXPECT_EQ(WideToAnsi(L""), "");
}

TEST(Strings, OnlyTextTheCodePageHoldsFits) {
  if (GetACP() != 1252) GTEST_SKIP() << "the prefix's code page is " << GetACP();
  EXPECT_TRUE(FitsAnsiCodePage(L"C:\\Program Files\\Microsoft Games\\FS9"));
  EXPECT_TRUE(FitsAnsiCodePage(L"C:\\Fl\u00E4gel"));
  EXPECT_FALSE(FitsAnsiCodePage(L"C:\\\u4E2D\u6587"));   // no such letters in the code page
  EXPECT_FALSE(FitsAnsiCodePage(L"C:\\\u0100dam"));      // would be best-fitted to 'A'
}

TEST(Strings, FileExistsIsTrueForFilesOnly) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::string dir = WideToAnsi(folder) + "ostri_file_test";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string file = dir + "\\fs9.exe";
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir));                 // a folder is no file
  EXPECT_FALSE(FileExists(dir + "\\missing.exe"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir + std::string(5000, '\\') + "fs9.exe"));  // longer than any path
  DeleteFileA(file.c_str());
  RemoveDirectoryA(dir.c_str());
}

// A centred window sits on the primary monitor, even where the desktop starts left of it.
TEST(Centring, ScreenMeansThePrimaryMonitorAndDesktopKeepsItsOrigin) {
  const RECT primary{0, 0, 1920, 1080}, desktop{-1280, -200, 1920, 1080};
  const POINT onScreen = CentredOrigin(CentringArea(poScreenCenter, primary, desktop), 600, 447);
  EXPECT_EQ(660, onScreen.x);
  EXPECT_EQ(316, onScreen.y);
  const POINT onDesktop = CentredOrigin(CentringArea(poDesktopCenter, primary, desktop), 600, 447);
  EXPECT_EQ(-1280 + (3200 - 600) / 2, onDesktop.x);
  EXPECT_EQ(-200 + (1280 - 447) / 2, onDesktop.y);
}
