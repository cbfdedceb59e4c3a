// A main window over a fresh fake for every test, loaded from the real description and never shown.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>
#include "app/main_form.h"
#include "framework/properties.h"
#include "tests/app/fake_system.h"

using TCalls = std::vector<std::string>;

// The registry opens the commands must ask for: 32-bit view, read or write rights.
inline const std::string kReadOpen =
    "RegOpenKey HKLM SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\ 0x20219";
inline const std::string kWriteOpen =
    "RegOpenKey HKLM SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\ 0x20206";
inline const std::string kWriteCreate =
    "RegCreateKey HKLM SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\ 0x20206";

// After every Get both places of the user's virtualized copy are looked at (native view, read).
inline const std::string kCopyKey =
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\";
inline const std::string kCopyKeyWow64 =
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0\\";
inline const std::vector<std::string> kNoCopies = {"RegOpenKey HKCU " + kCopyKey + " 0x20119", "RegCloseKey",
                                                   "RegOpenKey HKCU " + kCopyKeyWow64 + " 0x20119", "RegCloseKey"};

inline TCalls Join(std::initializer_list<TCalls> parts) {
  TCalls all;
  for (const TCalls& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class FormTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = FS9Path;
    FS9Path = "(stale)";
    form = std::make_unique<TForm1>(nullptr, fake, LoadTextResource("MAINFORM"));
  }
  void TearDown() override {
    // Every open is matched by a close, and no scripted answer is left over.
    const auto opens = std::count_if(fake.calls.begin(), fake.calls.end(),
                                     [](const std::string& c) { return c.rfind("RegOpenKey ", 0) == 0 || c.rfind("RegCreateKey ", 0) == 0; });
    const auto closes = std::count(fake.calls.begin(), fake.calls.end(), std::string("RegCloseKey"));
    EXPECT_EQ(opens, closes);
    EXPECT_FALSE(fake.keyOpen);
    EXPECT_TRUE(fake.answers.empty()) << fake.answers.size() << " scripted answers unused";
    form.reset();
    FS9Path = saved_;  // the global outlives the test
  }

  TFakeSystem fake;
  std::unique_ptr<TForm1> form;

private:
  std::string saved_;
};
