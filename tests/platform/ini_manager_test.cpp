// The settings file: values by section and entry, and window placements
// saved and put back by the rules of "Maximize", "XPos", "YPos", "Width" and
// "Height".
#include "platform/ini_manager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace bb {
namespace {

// A window as the settings file sees it, with a record of what was done to it.
struct FakeWindow final : PlacedWindow {
    bool minimized() const override { return isMinimized; }
    bool maximized() const override { return isMaximized; }
    WindowRect rect() const override { return place; }
    void setRect(const WindowRect& r) override { place = r; }
    void setMaximized(bool m) override { isMaximized = m; }

    bool isMinimized = false;
    bool isMaximized = false;
    WindowRect place{10, 20, 640, 480};  // as designed
};

class SettingsFile : public ::testing::Test {
protected:
    SettingsFile() { ini_.Setup((folder_.path() / "tallo2.INI").string()); }

    void write(const std::string& contents) {
        std::ofstream(folder_.path() / "tallo2.INI", std::ios::binary) << contents;
    }

    test::TempFolder folder_;
    IniManager ini_;
};

TEST_F(SettingsFile, ValuesAreKeptBySectionAndEntry) {
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "XPos"), "");
    EXPECT_EQ(ini_.FetchQuietly("_PreviewWindow_", "XPos"), "---Unknown---");
    ini_.Update("_PreviewWindow_", "XPos", "120");
    ini_.Update("Other", "XPos", "7");
    ini_.Update("Other", "Note", "Smith, Barney & Co.; \"100%\" = done");
    ini_.Update("Other", "Empty", "");
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "XPos"), "120");
    EXPECT_EQ(ini_.Fetch("Other", "XPos"), "7");
    EXPECT_EQ(ini_.Fetch("Other", "Note"), "Smith, Barney & Co.; \"100%\" = done");
    // An empty value is a value: FetchQuietly tells it from a missing one.
    EXPECT_EQ(ini_.FetchQuietly("Other", "Empty"), "");
    IniManager again;
    again.Setup(ini_.FileName());
    EXPECT_EQ(again.Fetch("_PreviewWindow_", "XPos"), "120");
}

TEST_F(SettingsFile, AFileWrittenByHandIsRead) {
    write("[_PreviewWindow_]\r\nMaximize=No\r\nXPos=5\r\nNote=Smith, Barney\r\n");
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "Maximize"), "No");
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "XPos"), "5");
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "Note"), "Smith, Barney");
}

TEST_F(SettingsFile, APlacementComesBackAsItWasSaved) {
    FakeWindow closed;
    closed.place = {200, 150, 700, 520};
    ini_.SaveWindowPlacement("_PreviewWindow_", closed);
    FakeWindow reopened;
    ini_.LoadWindowPlacement("_PreviewWindow_", reopened);
    EXPECT_EQ(reopened.place, closed.place);
    EXPECT_FALSE(reopened.isMaximized);
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "Maximize"), "No");
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "Height"), "520");
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "Width"), "700");
}

TEST_F(SettingsFile, AMaximisedWindowReopensMaximisedOverItsLastNormalPlace) {
    FakeWindow window;
    window.place = {200, 150, 700, 520};
    ini_.SaveWindowPlacement("_PreviewWindow_", window);
    window.isMaximized = true;
    window.place = {0, 0, 1, 1};  // a maximised window's size is not written
    ini_.SaveWindowPlacement("_PreviewWindow_", window);
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "Maximize"), "Yes");
    EXPECT_EQ(ini_.Fetch("_PreviewWindow_", "Width"), "700");

    FakeWindow reopened;
    ini_.LoadWindowPlacement("_PreviewWindow_", reopened);
    EXPECT_TRUE(reopened.isMaximized);
    EXPECT_EQ(reopened.place, (WindowRect{200, 150, 700, 520}));
}

TEST_F(SettingsFile, ASavedNormalPlacementUnmaximisesAMaximisedWindow) {
    write("[_PreviewWindow_]\nMaximize=No\nXPos=30\nYPos=40\nHeight=300\nWidth=400\n");
    FakeWindow window;
    window.isMaximized = true;
    ini_.LoadWindowPlacement("_PreviewWindow_", window);
    EXPECT_FALSE(window.isMaximized);
    EXPECT_EQ(window.place, (WindowRect{30, 40, 400, 300}));
}

TEST_F(SettingsFile, AMinimisedWindowWritesNothing) {
    FakeWindow window;
    window.isMinimized = true;
    ini_.SaveWindowPlacement("_PreviewWindow_", window);
    EXPECT_FALSE(std::filesystem::exists(ini_.FileName()));
}

TEST_F(SettingsFile, MissingOrGarbledSettingsLeaveTheWindowAsDesigned) {
    const char* const files[] = {
        "",
        "[_PreviewWindow_]\nXPos=30\nYPos=40\nHeight=300\nWidth=400\n",  // no Maximize
        "[_PreviewWindow_]\nMaximize=Perhaps\nXPos=30\nYPos=40\nHeight=300\nWidth=400\n",
        "[_PreviewWindow_]\nMaximize=yes\n",  // the rule is "Yes" exactly
        "[_PreviewWindow_]\nMaximize=No\nXPos=abc\nYPos=40\nHeight=300\nWidth=400\n",
        "[_PreviewWindow_]\nMaximize=No\nXPos=30\nYPos=40\nHeight=300\n",  // no Width
        "[_PreviewWindow_]\nMaximize=No\nXPos=30\nYPos=40\nHeight=0\nWidth=400\n",
        "[_PreviewWindow_]\nMaximize=No\nXPos=30\nYPos=40\nHeight=300\nWidth=99999999999\n",
        "[Other]\nMaximize=Yes\n",
        "\x01\x02\xff\xfe garbage [[[ = = \n\0\0\0",
    };
    for (const char* contents : files) {
        write(contents);
        FakeWindow window;
        ini_.LoadWindowPlacement("_PreviewWindow_", window);
        EXPECT_EQ(window.place, (WindowRect{10, 20, 640, 480})) << contents;
        EXPECT_FALSE(window.isMaximized) << contents;
    }
    std::filesystem::remove(ini_.FileName());
    FakeWindow noFile;
    ini_.LoadWindowPlacement("_PreviewWindow_", noFile);
    EXPECT_EQ(noFile.place, (WindowRect{10, 20, 640, 480}));
}

}  // namespace
}  // namespace bb
