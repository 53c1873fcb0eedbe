// PlayVoiceClip and the menu's sound requests, recorded through the sound seam.
#include <windows.h>
// These need <windows.h> first.
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "VoiceClip.h"

namespace {

struct Request {
    bool named;
    std::wstring sound;
    HMODULE module;
    DWORD flags;
};

std::vector<Request> g_requests;
bool g_answer = true;

bool Record(const wchar_t* sound, HMODULE module, DWORD flags) {
    g_requests.push_back({sound != nullptr, sound ? sound : L"", module, flags});
    return g_answer;
}

class SoundRequests : public testing::Test {
protected:
    void SetUp() override {
        g_requests.clear();
        g_answer = true;
        previous_ = quillfen::SetSoundPlayer(Record);
    }
    void TearDown() override { quillfen::SetSoundPlayer(previous_); }

private:
    quillfen::SoundPlayer previous_ = nullptr;
};

TEST_F(SoundRequests, VoiceClipIsThisModulesResourcePlayedAsynchronously) {
    EXPECT_TRUE(quillfen::PlayVoiceClip());
    ASSERT_EQ(g_requests.size(), 1u);
    EXPECT_TRUE(g_requests[0].named);
    EXPECT_EQ(g_requests[0].sound, L"NEKOVOICE");
    EXPECT_EQ(g_requests[0].module, GetModuleHandleW(nullptr));
    // Resource + asynchronous only: no no-default, no no-stop, no loop.
    EXPECT_EQ(g_requests[0].flags, 0x40005u);
}

TEST_F(SoundRequests, VoiceClipReportsThePlatformsRefusal) {
    g_answer = false;
    EXPECT_FALSE(quillfen::PlayVoiceClip());
}

TEST_F(SoundRequests, StopAndEventSoundsUseTheirOwnRequests) {
    quillfen::StopSounds();
    quillfen::PlayEventSound(L"MenuPopup");
    ASSERT_EQ(g_requests.size(), 2u);
    EXPECT_FALSE(g_requests[0].named);
    EXPECT_EQ(g_requests[0].module, nullptr);
    EXPECT_EQ(g_requests[0].flags, 0u);
    EXPECT_EQ(g_requests[1].sound, L"MenuPopup");
    EXPECT_EQ(g_requests[1].module, nullptr);
    EXPECT_EQ(g_requests[1].flags, DWORD{SND_ALIAS | SND_ASYNC | SND_NODEFAULT});
}

}  // namespace

namespace {

// The platform's player loads winmm itself, at the first sound rather than at start-up.
TEST(PlatformSound, LoadsTheSoundLibraryOnlyAtTheFirstRequest) {
    quillfen::SetSoundPlayer(nullptr);
    EXPECT_EQ(GetModuleHandleW(L"winmm.dll"), nullptr);  // nothing in this program imports it
    EXPECT_TRUE(quillfen::StopSounds());
    EXPECT_NE(GetModuleHandleW(L"winmm.dll"), nullptr);
}

}  // namespace
