#include "gfx/capabilities.h"
#include "gfx/multisample_format.h"
#include "tests/fake/fake_platform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

bool Gl(const char* extensions, const char* name)
{
    return SearchGlExtensionString(extensions, name);
}

bool Wgl(const char* extensions, const char* name)
{
    return SearchWglExtensionString(extensions, name);
}

}  // namespace

TEST(ExtensionSearch, WholeTokensAnywhereAreFoundByBoth)
{
    for (auto search : {Gl, Wgl}) {
        EXPECT_TRUE(search("EXT_a EXT_b EXT_c", "EXT_a"));  // first
        EXPECT_TRUE(search("EXT_a EXT_b EXT_c", "EXT_b"));  // middle
        EXPECT_TRUE(search("EXT_a EXT_b EXT_c", "EXT_c"));  // last, no trailing space
        EXPECT_TRUE(search("EXT_a", "EXT_a"));              // only
        EXPECT_TRUE(search("EXT_a ", "EXT_a"));
    }
}

TEST(ExtensionSearch, PartsOfLongerTokensAreRefusedByBoth)
{
    for (auto search : {Gl, Wgl}) {
        EXPECT_FALSE(search("GL_ARB_multisample_x GL_b", "GL_ARB_multisample"));  // prefix
        EXPECT_FALSE(search("GL_b xGL_ARB_multisample", "GL_ARB_multisample"));   // suffix
        EXPECT_FALSE(search("", "GL_a"));
        EXPECT_FALSE(search(nullptr, "GL_a"));
    }
}

TEST(ExtensionSearch, ARealTokenAfterARejectedOccurrenceIsFound)
{
    for (auto search : {Gl, Wgl}) {
        EXPECT_TRUE(search("GL_ab GL_a", "GL_a"));
        EXPECT_TRUE(search("xGL_a GL_a", "GL_a"));
    }
}

TEST(ExtensionSearch, TheTwoSearchesDifferOnlyWhereTokensTouch)
{
    // The GL search restarts behind the rejected occurrence and takes that point as a token
    // start; the window-system search restarts one character on and needs a real boundary.
    EXPECT_TRUE(Gl("xEXT_aEXT_a", "EXT_a"));
    EXPECT_FALSE(Wgl("xEXT_aEXT_a", "EXT_a"));
    // Overlapping occurrences: only the one-character restart sees the second "aa" at the end.
    EXPECT_FALSE(Gl("aaa", "aa"));
    EXPECT_FALSE(Wgl("aaa", "aa"));
    EXPECT_TRUE(Wgl("a aa", "aa"));
    EXPECT_TRUE(Gl("baa aa", "aa"));
}

TEST(ExtensionSearch, AnEmptyNameIsFoundByNeitherWithoutReadingPastTheString)
{
    // In a buffer of its exact size, so that a read past its end shows under the sanitizers.
    const char text[] = "WGL_a WGL_b";
    const std::unique_ptr<char[]> exact(new char[sizeof text]);
    std::memcpy(exact.get(), text, sizeof text);
    for (auto search : {Gl, Wgl}) EXPECT_FALSE(search(exact.get(), ""));
}

TEST(ExtensionSearch, GlTestRefusesEmptyNamesAndNamesWithSpacesWithoutReading)
{
    static int reads = 0;
    const ExtensionStringSource saved = glExtensionString;
    glExtensionString = [] {
        ++reads;
        return "GL_a GL_b";
    };
    EXPECT_FALSE(HasGlExtension(""));
    EXPECT_FALSE(HasGlExtension("GL_a GL_b"));
    EXPECT_EQ(reads, 0);
    EXPECT_TRUE(HasGlExtension("GL_b"));
    EXPECT_EQ(reads, 1);
    glExtensionString = saved;
}

TEST(ExtensionSearch, WglTestAnswersFalseWithoutAString)
{
    ResetFakePlatform();
    fakePlatform.windowSystemExtensions = nullptr;
    EXPECT_FALSE(HasWglExtension("WGL_ARB_multisample"));
    fakePlatform.windowSystemExtensions = "WGL_ARB_pixel_format WGL_ARB_multisample";
    EXPECT_TRUE(HasWglExtension("WGL_ARB_multisample"));
}

namespace {

class CapabilitiesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakePlatform();
        capabilityFlags = CapabilityFlags();
        glExtensionString = [] { return extensions.c_str(); };
        windowSystemExtensionString = [] { return fakePlatform.windowSystemExtensions; };
        textureUnitCount = [] { return units; };
    }

    void TearDown() override
    {
        glExtensionString = savedGl;
        windowSystemExtensionString = savedWgl;
        textureUnitCount = savedUnits;
    }

    static inline std::string extensions;
    static inline int32_t units = 4;
    const ExtensionStringSource savedGl = glExtensionString;
    const ExtensionStringSource savedWgl = windowSystemExtensionString;
    const TextureUnitSource savedUnits = textureUnitCount;
};

}  // namespace

TEST_F(CapabilitiesTest, BumpMappingNeedsAllFourDot3Extensions)
{
    const char* dot3[] = {"GL_ARB_multitexture", "GL_ARB_texture_cube_map",
                          "GL_ARB_texture_env_combine", "GL_ARB_texture_env_dot3"};
    for (int missing = -1; missing < 4; ++missing) {
        SCOPED_TRACE(missing);
        extensions = "GL_ARB_vertex_buffer_object";
        for (int i = 0; i < 4; ++i)
            if (i != missing) extensions += std::string(" ") + dot3[i];
        ASSERT_TRUE(DetectCapabilities());
        const bool flags[] = {capabilityFlags.multitexture, capabilityFlags.textureCubeMap,
                              capabilityFlags.textureEnvCombine, capabilityFlags.textureEnvDot3};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(flags[i], i != missing);
        EXPECT_EQ(capabilityFlags.bumpMapping, missing == -1);
        EXPECT_TRUE(capabilityFlags.vertexBufferObject);
        EXPECT_TRUE(fakePlatform.messageBoxes.empty());
    }
}

// The draw uses units 0 to 2; a driver with the Dot3 extensions but fewer units must not take the
// Dot3 path.
TEST_F(CapabilitiesTest, BumpMappingNeedsThreeTextureUnits)
{
    extensions =
        "GL_ARB_vertex_buffer_object GL_ARB_multitexture GL_ARB_texture_cube_map "
        "GL_ARB_texture_env_combine GL_ARB_texture_env_dot3";
    for (int32_t count : {2, 3}) {
        units = count;
        ASSERT_TRUE(DetectCapabilities());
        EXPECT_EQ(capabilityFlags.textureUnits, count);
        EXPECT_EQ(capabilityFlags.bumpMapping, count >= 3) << count << " units";
    }
    units = 4;
}

TEST_F(CapabilitiesTest, MultisampleTakesFourSamplesWhenOffered)
{
    extensions = "GL_ARB_multisample";
    fakePlatform.windowSystemExtensions = "WGL_ARB_multisample";
    fakePlatform.samplesOffered = {2, 4};
    EXPECT_EQ(ChooseMultisampleFormat(), 104);
    EXPECT_TRUE(capabilityFlags.multisample);
    EXPECT_EQ(capabilityFlags.multisampleSamples, 4);
    const std::vector<int> expected = {0x2001, 1,      0x2010, 1,      0x2003, 0x2027, 0x2014,
                                       24,     0x201B, 8,      0x2022, 16,     0x2023, 0,
                                       0x2011, 1,      0x2041, 1,      0x2042, 4};
    ASSERT_EQ(fakePlatform.chooserRequests.size(), 1u);
    EXPECT_EQ(fakePlatform.chooserRequests[0], expected);
}

TEST_F(CapabilitiesTest, MultisampleFallsBackToTwoSamples)
{
    extensions = "GL_ARB_multisample";
    fakePlatform.windowSystemExtensions = "WGL_ARB_multisample";
    fakePlatform.samplesOffered = {2};
    EXPECT_EQ(ChooseMultisampleFormat(), 102);
    EXPECT_EQ(capabilityFlags.multisampleSamples, 2);
    ASSERT_EQ(fakePlatform.chooserRequests.size(), 2u);
    EXPECT_EQ(fakePlatform.chooserRequests[1].back(), 2);
}

// Window systems give at least the samples asked for: more keeps the flag, with the count the
// context has; fewer, or no sample buffer, clears it.
TEST_F(CapabilitiesTest, MultisampleIsConfirmedByAtLeastTheSamplesAskedFor)
{
    struct Case {
        int32_t sampleBuffers, samples;
        bool kept;
        int32_t recorded;
    };
    const Case cases[] = {{1, 4, true, 4}, {1, 8, true, 8}, {1, 2, false, 0}, {0, 4, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sampleBuffers << " x " << c.samples);
        capabilityFlags.multisample = true;
        capabilityFlags.multisampleSamples = 4;
        ConfirmMultisampleFormat(c.sampleBuffers, c.samples);
        EXPECT_EQ(capabilityFlags.multisample, c.kept);
        EXPECT_EQ(capabilityFlags.multisampleSamples, c.recorded);
    }
}

TEST_F(CapabilitiesTest, NoMultisampleFormatLeavesTheFlagsClear)
{
    struct Case {
        const char* name;
        const char* gl;
        const char* wgl;
        bool chooser;
        bool callFails;
    };
    const Case cases[] = {
        {"no window-system extension", "GL_ARB_multisample", "WGL_ARB_pixel_format", true, false},
        {"no GL extension", "GL_ARB_multitexture", "WGL_ARB_multisample", true, false},
        {"no chooser", "GL_ARB_multisample", "WGL_ARB_multisample", false, false},
        {"chooser fails", "GL_ARB_multisample", "WGL_ARB_multisample", true, true},
        {"no such format", "GL_ARB_multisample", "WGL_ARB_multisample", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        capabilityFlags.multisample = true;  // a stale value must be cleared
        capabilityFlags.multisampleSamples = 8;
        extensions = c.gl;
        fakePlatform.windowSystemExtensions = c.wgl;
        fakePlatform.hasPixelFormatChooser = c.chooser;
        fakePlatform.chooserCallFails = c.callFails;
        fakePlatform.samplesOffered = {};
        EXPECT_EQ(ChooseMultisampleFormat(), -1);
        EXPECT_FALSE(capabilityFlags.multisample);
        EXPECT_EQ(capabilityFlags.multisampleSamples, 0);
    }
}

TEST_F(CapabilitiesTest, WindowSystemWithMultisampleInItsCoreNeedsNoExtensionName)
{
    extensions = "GL_ARB_multisample";
    fakePlatform.multisampleExtensionName = nullptr;
    fakePlatform.samplesOffered = {4};
    EXPECT_EQ(ChooseMultisampleFormat(), 104);
}
