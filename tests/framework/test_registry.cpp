// TRegistry against the real registry: a scratch key under HKEY_CURRENT_USER per test.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "framework/registry.h"

namespace {

const char* const kValue = "EXE Path";

class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    path_ = std::string("Software\\OstrimarkTests\\") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    // Test names may carry '/' from parameterised suites; keep the key one level deep.
    for (char& c : path_) if (c == '/') c = '_';
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OstrimarkTests");  // only when nothing else is left
  }

  bool KeyExists(const std::string& path) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // Stores bytes exactly as given, bypassing TRegistry.
  void WriteRaw(const char* name, DWORD type, const std::string& bytes) const {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    const LSTATUS status = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                          static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, status);
  }

  // The stored type and bytes of a value, as the registry holds them.
  std::pair<DWORD, std::string> ReadRaw(const char* name) const {
    HKEY key = nullptr;
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::string bytes;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return {type, bytes};
    }
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
      bytes.resize(size);
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
      bytes.resize(size);
    }
    RegCloseKey(key);
    return {type, bytes};
  }

  std::string ReadThroughRegistry(const char* name) {
    TRegistry registry;
    EXPECT_TRUE(registry.OpenKey(path_, false));
    return registry.ReadString(name);
  }

  std::string path_;
};

template <class F>
std::string ErrorText(F action) {
  try {
    action();
  } catch (const ERegistryException& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST_F(RegistryTest, StartsClosedOnCurrentUserWithFullAccess) {
  TRegistry registry;
  EXPECT_EQ(HKEY_CURRENT_USER, registry.RootKey());
  EXPECT_EQ(static_cast<REGSAM>(KEY_ALL_ACCESS), registry.Access());
  EXPECT_EQ(nullptr, registry.CurrentKey());
}

TEST_F(RegistryTest, OpenWithoutCreateOnMissingKeyFailsAndCreatesNothing) {
  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey(path_, false));
  EXPECT_EQ(nullptr, registry.CurrentKey());
  EXPECT_FALSE(KeyExists(path_));
}

TEST_F(RegistryTest, OpenWithCreateMakesTheKey) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(path_ + "\\9.0", true));
  EXPECT_NE(nullptr, registry.CurrentKey());
  EXPECT_TRUE(KeyExists(path_ + "\\9.0"));
}

TEST_F(RegistryTest, TrailingBackslashOpensTheSameKey) {
  WriteRaw(kValue, REG_SZ, std::string("C:\\FS9\\", 8));
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(path_ + "\\", false));
  EXPECT_EQ("C:\\FS9\\", registry.ReadString(kValue));
  ASSERT_TRUE(registry.OpenKey(path_ + "\\9.0\\", true));
  EXPECT_TRUE(KeyExists(path_ + "\\9.0"));
}

TEST_F(RegistryTest, FailedOpenLeavesNoStaleKeyOpen) {
  WriteRaw(kValue, REG_SZ, std::string("C:\\FS9", 7));
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(path_, false));
  EXPECT_FALSE(registry.OpenKey(path_ + "\\Missing", false));
  EXPECT_EQ(nullptr, registry.CurrentKey());
  EXPECT_EQ("Failed to get data for 'EXE Path'", ErrorText([&] { registry.ReadString(kValue); }));
}

TEST_F(RegistryTest, WriteStoresTextWithOneTerminatingZeroAndReadsItBack) {
  const std::string values[] = {
      "C:\\Program Files\\Microsoft Games\\Flight Simulator 9\\",
      "D:\\Spiele\\Flugsimulator \xE4\xF6\xFC\xDF",  // 8-bit code page letters
      "",
  };
  for (const std::string& value : values) {
    SCOPED_TRACE(value);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(path_, true));
    registry.WriteString(kValue, value);
    EXPECT_EQ(value, registry.ReadString(kValue));
    const auto [type, bytes] = ReadRaw(kValue);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(value + '\0', bytes);
  }
}

TEST_F(RegistryTest, MissingValueReadsEmpty) {
  WriteRaw("Other", REG_SZ, std::string("x", 2));
  EXPECT_EQ("", ReadThroughRegistry(kValue));
}

// What is stored, raw, and what ReadString must make of it.
struct TStoredCase {
  const char* label;
  DWORD type;
  std::string bytes;
  std::string expected;
};

TEST_F(RegistryTest, StoredStringsReadUpToFirstZeroAndNeverPastTheirSize) {
  const TStoredCase cases[] = {
      {"size zero", REG_SZ, std::string(), ""},
      {"only the zero", REG_SZ, std::string(1, '\0'), ""},
      {"no terminating zero", REG_SZ, "C:\\FS9", "C:\\FS9"},
      {"one byte, no zero", REG_SZ, "C", "C"},
      {"zero inside", REG_SZ, std::string("C:\\A\0C:\\B\0", 10), "C:\\A"},
      {"expand string kept unexpanded", REG_EXPAND_SZ, std::string("%SystemRoot%\\x\0", 15),
       "%SystemRoot%\\x"},
      {"expand string without zero", REG_EXPAND_SZ, "%TEMP%", "%TEMP%"},
  };
  for (const TStoredCase& c : cases) {
    SCOPED_TRACE(c.label);
    WriteRaw(kValue, c.type, c.bytes);
    EXPECT_EQ(c.expected, ReadThroughRegistry(kValue));
  }
}

TEST_F(RegistryTest, HugeValuesAreReadWhole) {
  const std::string huge(100000, 'x');
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(path_, true));
    registry.WriteString(kValue, huge);
    EXPECT_EQ(huge, registry.ReadString(kValue));
  }
  WriteRaw(kValue, REG_SZ, huge + "y");  // no terminating zero
  EXPECT_EQ(huge + "y", ReadThroughRegistry(kValue));
}

// Another writer may grow the value between the size query and the read; whether the race is
// hit varies from run to run, but no read may ever fail or come back cut.
TEST_F(RegistryTest, ValueChangingDuringReadsComesBackWhole) {
  const std::string shortValue = "C:\\FS9";
  const std::string longValue(20000, 'y');
  WriteRaw(kValue, REG_SZ, shortValue + '\0');
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    TRegistry registry;
    if (!registry.OpenKey(path_, false)) return;
    for (int i = 0; !stop; ++i) registry.WriteString(kValue, i % 2 ? longValue : shortValue);
  });
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(path_, false));
  int wrong = 0;
  std::string failure;
  for (int i = 0; i < 500; ++i) {
    try {
      const std::string value = registry.ReadString(kValue);
      if (value != shortValue && value != longValue) ++wrong;
    } catch (const ERegistryException& e) {
      failure = e.Message();
    }
  }
  stop = true;
  writer.join();
  EXPECT_EQ(0, wrong);
  EXPECT_EQ("", failure);
}

TEST_F(RegistryTest, NonStringTypesAreRejectedByName) {
  const TStoredCase cases[] = {
      {"dword", REG_DWORD, std::string("\x01\x00\x00\x00", 4), ""},
      {"binary", REG_BINARY, "C:\\FS9", ""},
      {"multi string", REG_MULTI_SZ, std::string("C:\\FS9\0\0", 8), ""},
  };
  for (const TStoredCase& c : cases) {
    SCOPED_TRACE(c.label);
    WriteRaw(kValue, c.type, c.bytes);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(path_, false));
    EXPECT_EQ("Invalid data type for 'EXE Path'", ErrorText([&] { registry.ReadString(kValue); }));
  }
}

TEST_F(RegistryTest, WriteOnReadOnlyKeyFailsAndKeepsTheValue) {
  WriteRaw(kValue, REG_SZ, std::string("C:\\Old", 7));
  TRegistry registry;
  registry.SetAccess(KEY_READ);
  ASSERT_TRUE(registry.OpenKey(path_, false));
  EXPECT_EQ("Failed to set data for 'EXE Path'", ErrorText([&] { registry.WriteString(kValue, "C:\\New"); }));
  EXPECT_EQ("C:\\Old", registry.ReadString(kValue));
}

TEST_F(RegistryTest, ClosedRegistryReportsFailureInsteadOfEmptyText) {
  TRegistry registry;
  EXPECT_EQ("Failed to get data for 'EXE Path'", ErrorText([&] { registry.ReadString(kValue); }));
  EXPECT_EQ("Failed to set data for 'EXE Path'", ErrorText([&] { registry.WriteString(kValue, "x"); }));
  ASSERT_TRUE(registry.OpenKey(path_, true));
  registry.CloseKey();
  EXPECT_EQ(nullptr, registry.CurrentKey());
  EXPECT_EQ("Failed to get data for 'EXE Path'", ErrorText([&] { registry.ReadString(kValue); }));
}

// A zero inside a name or text would silently address another key or value, or be cut off.
TEST_F(RegistryTest, EmbeddedZerosAreRefused) {
  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey(path_ + std::string("\0\\Other", 7), true));
  EXPECT_FALSE(KeyExists(path_));
  ASSERT_TRUE(registry.OpenKey(path_, true));
  const std::string cut("C:\\A\0B", 6);
  EXPECT_EQ("Failed to set data for 'EXE Path'", ErrorText([&] { registry.WriteString(kValue, cut); }));
  EXPECT_EQ("", ReadRaw(kValue).second);
  const std::string name("EXE Path\0x", 10);
  EXPECT_NE("(no error)", ErrorText([&] { registry.WriteString(name, "C:\\A"); }));
  EXPECT_NE("(no error)", ErrorText([&] { registry.ReadString(name); }));
}

TEST_F(RegistryTest, ThirtyTwoBitViewFlagOpensCreatesAndReadsBack) {
  {
    TRegistry registry;
    registry.SetAccess(KEY_ALL_ACCESS | KEY_WOW64_32KEY);
    ASSERT_TRUE(registry.OpenKey(path_ + "\\9.0", true));
    registry.WriteString(kValue, "C:\\FS9\\");
  }
  TRegistry registry;
  registry.SetAccess(KEY_READ | KEY_WOW64_32KEY);
  ASSERT_TRUE(registry.OpenKey(path_ + "\\9.0", false));
  EXPECT_EQ("C:\\FS9\\", registry.ReadString(kValue));
}

}  // namespace
