#include "app/display_settings.h"
#include "tests/fake/fake_platform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<uint8_t> Dword(uint32_t value)
{
    return {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

std::vector<uint8_t> String(const std::string& text)
{
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

struct Expected {
    int32_t width, height, bitsPerPixel, frequency;
};

void ExpectSettings(const Expected& e)
{
    EXPECT_EQ(displaySettings.width, e.width);
    EXPECT_EQ(displaySettings.height, e.height);
    EXPECT_EQ(displaySettings.bitsPerPixel, e.bitsPerPixel);
    EXPECT_EQ(displaySettings.frequency, e.frequency);
}

class DisplaySettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakePlatform();
        displaySettings = {1, 2, 3, 4};  // so that defaults are seen to be written
    }

    void StoreAll()
    {
        fakePlatform.keyExists = true;
        fakePlatform.values = {{"Width", Dword(1280)},
                               {"Height", Dword(1024)},
                               {"BitsPerPixel", Dword(16)},
                               {"Frequency", Dword(75)}};
    }

    int Count(const std::string& prefix)
    {
        return int(std::count_if(fakePlatform.calls.begin(), fakePlatform.calls.end(),
                                 [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }
};

}  // namespace

TEST_F(DisplaySettingsTest, NoKeyGivesDefaultsAndClosesNothing)
{
    ReadDisplaySettings();
    ExpectSettings({800, 600, 32, 60});
    ASSERT_EQ(fakePlatform.calls.size(), 1u);
    EXPECT_EQ(fakePlatform.calls[0], "RegOpenKey(Software\\Quorvane\\Telmarix - practice)");
}

TEST_F(DisplaySettingsTest, AllValuesReadInOrderAndKeyClosedOnce)
{
    StoreAll();
    ReadDisplaySettings();
    ExpectSettings({1280, 1024, 16, 75});
    const std::vector<std::string> expected = {
        "RegOpenKey(Software\\Quorvane\\Telmarix - practice)",
        "RegQueryValue(Width,4)",
        "RegQueryValue(Height,4)",
        "RegQueryValue(BitsPerPixel,4)",
        "RegQueryValue(Frequency,4)",
        "RegCloseKey"};
    EXPECT_EQ(fakePlatform.calls, expected);
    EXPECT_EQ(fakePlatform.openKeys, 0);
}

TEST_F(DisplaySettingsTest, FirstMissingValueDefaultsItselfAndEverythingAfter)
{
    const char* names[] = {"Width", "Height", "BitsPerPixel", "Frequency"};
    const Expected outcomes[] = {
        {800, 600, 32, 60}, {1280, 600, 32, 60}, {1280, 1024, 32, 60}, {1280, 1024, 16, 60}};
    for (int missing = 0; missing < 4; ++missing) {
        SCOPED_TRACE(names[missing]);
        SetUp();
        StoreAll();
        fakePlatform.values.erase(names[missing]);
        ReadDisplaySettings();
        ExpectSettings(outcomes[missing]);
        // No later value is asked for once one has failed, even though it exists.
        EXPECT_EQ(Count("RegQueryValue"), missing + 1);
        EXPECT_EQ(Count("RegCloseKey"), 1);
        EXPECT_EQ(fakePlatform.openKeys, 0);
    }
}

TEST_F(DisplaySettingsTest, TooLongValueFailsItsQuery)
{
    StoreAll();
    fakePlatform.values["Height"] = String("1024");  // five bytes with the terminator
    ReadDisplaySettings();
    ExpectSettings({1280, 600, 32, 60});
}

TEST_F(DisplaySettingsTest, ShortValueShrinksTheSharedSizeForTheNextQuery)
{
    StoreAll();
    fakePlatform.values["Width"] = {0x00, 0x04};  // two bytes: 1024 in the low half
    displaySettings = {};
    ReadDisplaySettings();
    // Width took its two bytes; Height was then asked with a two-byte buffer and failed.
    EXPECT_EQ(displaySettings.width, 1024);
    ExpectSettings({1024, 600, 32, 60});
    EXPECT_EQ(fakePlatform.calls[2], "RegQueryValue(Height,2)");
}

TEST_F(DisplaySettingsTest, ZeroIsKeptNotDefaulted)
{
    StoreAll();
    fakePlatform.values["Frequency"] = Dword(0);
    fakePlatform.values["Width"] = Dword(0);
    ReadDisplaySettings();
    ExpectSettings({0, 1024, 16, 0});
}
