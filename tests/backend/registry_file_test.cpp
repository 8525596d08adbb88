// The display settings read through the real .reg file reader, from files the tests write.
#include "app/display_settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root =
            fs::temp_directory_path() /
            ("dot3bump-reg-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "home" / "Quorvane");
        fs::create_directories(root / "system" / "Quorvane");
        setenv("XDG_CONFIG_HOME", (root / "home").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (root / "system").c_str(), 1);
        displaySettings = {1, 2, 3, 4};
    }

    void TearDown() override { fs::remove_all(root); }

    void Write(const std::string& where, const std::string& bytes)
    {
        std::ofstream(root / where / "Quorvane" / "Telmarix - practice.reg", std::ios::binary)
            << bytes;
    }

    static std::string Reg(const std::string& values)
    {
        return "Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\Quorvane\\Telmarix - practice]\r\n" +
               values;
    }

    void Expect(int32_t width, int32_t height, int32_t bits, int32_t frequency)
    {
        EXPECT_EQ(displaySettings.width, width);
        EXPECT_EQ(displaySettings.height, height);
        EXPECT_EQ(displaySettings.bitsPerPixel, bits);
        EXPECT_EQ(displaySettings.frequency, frequency);
    }

    std::string ReadWithStderr()
    {
        ::testing::internal::CaptureStderr();
        ReadDisplaySettings();
        return ::testing::internal::GetCapturedStderr();
    }

    fs::path root;
};

}  // namespace

TEST_F(RegistryFileTest, NoFileGivesDefaults)
{
    ReadDisplaySettings();
    Expect(800, 600, 32, 60);
}

TEST_F(RegistryFileTest, AllFourDwordsAreRead)
{
    Write("home", Reg("\"Width\"=dword:00000500\r\n\"Height\"=dword:00000400\r\n"
                      "\"BitsPerPixel\"=dword:00000010\r\n\"Frequency\"=dword:0000004b\r\n"));
    ReadDisplaySettings();
    Expect(1280, 1024, 16, 75);
    // Every hexadecimal digit, in both cases.
    Write("home", Reg("\"Width\"=dword:01234567\r\n\"Height\"=dword:89abcdef\r\n"
                      "\"BitsPerPixel\"=dword:89ABCDEF\r\n\"Frequency\"=dword:0000004b\r\n"));
    ReadDisplaySettings();
    Expect(0x01234567, int32_t(0x89abcdefu), int32_t(0x89abcdefu), 75);
}

TEST_F(RegistryFileTest, RegeditsUtf16ExportIsReadUnchanged)
{
    const std::string text = Reg("\"Width\"=dword:00000400\r\n\"Height\"=dword:00000300\r\n");
    std::string utf16 = "\xFF\xFE";
    for (char c : text) utf16 += std::string{c, '\0'};
    Write("home", utf16);
    ReadDisplaySettings();
    Expect(1024, 768, 32, 60);
}

// Each row: a file as users or other programs write it, and the width it gives (800, the
// default, when the key or the value is not the one the program asks for).
TEST_F(RegistryFileTest, KeyAndValueNamesMatchWholeWhateverTheSpacesAndEncoding)
{
    const std::string header = "Windows Registry Editor Version 5.00\r\n";
    const std::string key = "[HKEY_LOCAL_MACHINE\\Software\\Quorvane\\Telmarix - practice";
    const std::string width = "\"Width\"=dword:00000400\r\n";
    auto utf16 = [](const std::string& text) {
        std::string bytes;
        for (char c : text) bytes += std::string{c, '\0'};
        return bytes;
    };
    const struct {
        const char* what;
        std::string bytes;
        int32_t width;
    } cases[] = {
        {"trailing spaces and tabs",
         "Windows Registry Editor Version 5.00 \t\r\n" + key +
             "] \r\n\"Width\"=dword:00000400\t \r\n",
         1024},
        {"a key that extends the wanted one", header + key + "2]\r\n" + width, 800},
        {"a key that the wanted one extends",
         header + key.substr(0, key.size() - 1) + "]\r\n" + width, 800},
        {"a value name that extends Width", Reg("\"Widths\"=dword:00000400\r\n"), 800},
        {"a value name that Width extends", Reg("\"Widt\"=dword:00000400\r\n"), 800},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + Reg(width), 1024},
        // U+0122 stands where a quote would if the code units were cut to their low bytes.
        {"UTF-16LE with a letter beyond ASCII",
         "\xFF\xFE" + utf16(Reg(width + "\"Owner\"=\"")) + std::string("\x22\x01", 2) +
             utf16("irts\"\r\n"),
         1024},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        Write("home", row.bytes);
        displaySettings = {1, 2, 3, 4};
        EXPECT_EQ(ReadWithStderr(), "");
        Expect(row.width, 600, 32, 60);
    }
}

TEST_F(RegistryFileTest, CascadeFollowsTheFirstMissingValue)
{
    // Height is missing: the stored colour depth and frequency are ignored.
    Write("home", Reg("\"Width\"=dword:00000400\r\n\"BitsPerPixel\"=dword:00000010\r\n"
                      "\"Frequency\"=dword:0000004b\r\n"));
    ReadDisplaySettings();
    Expect(1024, 600, 32, 60);
}

TEST_F(RegistryFileTest, StringLongerThanThreeCharactersDoesNotFit)
{
    Write("home", Reg("\"Width\"=dword:00000400\r\n\"Height\"=\"1024\"\r\n"
                      "\"BitsPerPixel\"=dword:00000010\r\n"));
    ReadDisplaySettings();
    Expect(1024, 600, 32, 60);
}

TEST_F(RegistryFileTest, HexValuesKeepTheirSizeAcrossQueries)
{
    // A two-byte Width leaves two bytes of buffer for Height, whose four bytes then fail.
    Write("home", Reg("\"Width\"=hex:00,04\r\n\"Height\"=hex(4):00,03,\\\r\n  00,00\r\n"));
    ReadDisplaySettings();
    Expect(1024, 600, 32, 60);
}

TEST_F(RegistryFileTest, ZeroStaysZeroAndNamesIgnoreCase)
{
    Write("home", Reg("\"WIDTH\"=dword:0\r\n\"height\"=dword:00000258\r\n"
                      "\"BitsPerPixel\"=dword:00000020\r\n\"Frequency\"=dword:00000000\r\n"));
    ReadDisplaySettings();
    Expect(0, 600, 32, 0);
}

TEST_F(RegistryFileTest, UserFileWinsOverSystemFileAndSystemFileIsUsedAlone)
{
    Write("system", Reg("\"Width\"=dword:00000280\r\n"));
    ReadDisplaySettings();
    Expect(640, 600, 32, 60);
    Write("home", Reg("\"Width\"=dword:00000400\r\n"));
    ReadDisplaySettings();
    Expect(1024, 600, 32, 60);
}

TEST_F(RegistryFileTest, OtherKeysAndDeletionsAreHonoured)
{
    Write("home",
          "Windows Registry Editor Version 5.00\n"
          "[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Width\"=dword:00000001\n"
          "[HKEY_LOCAL_MACHINE\\Software\\Quorvane\\Telmarix - practice]\n"
          "\"Width\"=dword:00000400\n\"Height\"=dword:00000300\n\"Height\"=-\n");
    ReadDisplaySettings();
    Expect(1024, 600, 32, 60);

    Write("home", Reg("\"Width\"=dword:00000400\r\n") +
                      "[-HKEY_LOCAL_MACHINE\\Software\\Quorvane\\Telmarix - practice]\r\n");
    ReadDisplaySettings();
    Expect(800, 600, 32, 60);
}

TEST_F(RegistryFileTest, MalformedFileNamesFileAndLineThenGivesDefaults)
{
    Write("home", Reg("\"Width\"=dword:00000400\r\n\"Height\"=dword:xyz\r\n"));
    Write("system", Reg("\"Width\"=dword:00000280\r\n"));
    const std::string message = ReadWithStderr();
    Expect(800, 600, 32, 60);
    const std::string file = (root / "home" / "Quorvane" / "Telmarix - practice.reg").string();
    EXPECT_NE(message.find(file + ":5:"), std::string::npos) << message;
    EXPECT_NE(message.find("dword"), std::string::npos) << message;
}

TEST_F(RegistryFileTest, FileWithoutHeaderIsRefused)
{
    Write("home",
          "[HKEY_LOCAL_MACHINE\\Software\\Quorvane\\Telmarix - practice]\n"
          "\"Width\"=dword:00000400\n");
    const std::string message = ReadWithStderr();
    Expect(800, 600, 32, 60);
    EXPECT_NE(message.find(":1: not a registry file"), std::string::npos) << message;
}
