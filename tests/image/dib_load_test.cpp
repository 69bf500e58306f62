// The file entry points: mapped files, the open failure's message, releases
// on every path.
#include <gtest/gtest.h>
#include <stdio.h>

#include <filesystem>

#include "platform/scripted.h"
#include "tests/image/bmp_bytes.h"
#include "tests/image/temp_dir.h"
#include "tests/support/process_resources.h"

namespace {

// Mapped views of files under the temp dir; the system may spell the directory
// differently (a volume name on Windows), so its own name is what is matched.
int temp_mappings() {
    return mapped_views_of(std::filesystem::path(temp_dir()).filename().string());
}

class DibLoad : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::reset();
        tkPopupEnable = true;
        descriptors = open_handles();
    }
    void TearDown() override {
        tkPopupEnable = true;
        if (checkDescriptors) {
            EXPECT_EQ(open_handles(), descriptors) << "a file or mapping handle was left open";
        }
        EXPECT_EQ(temp_mappings(), 0) << "a view was left mapped";
    }
    std::vector<std::string> box_texts() {
        std::vector<std::string> texts;
        for (const auto& box : scripted::message_boxes()) {
            EXPECT_EQ(box.caption, "Error");
            EXPECT_EQ(box.style, 0u);
            texts.push_back(box.text);
        }
        return texts;
    }
    int descriptors = 0;
    bool checkDescriptors = true;  // off where the window system opens descriptors of its own
};

Bytes picture_3x2() {
    Bytes rows = padded({3, 2, 1, 6, 5, 4, 9, 8, 7});
    append(rows, padded({12, 11, 10, 15, 14, 13, 18, 17, 16}));
    return rows;
}
const Bytes kPicture = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};

TEST_F(DibLoad, DecodesAFileWithAndWithoutFileHeader) {
    for (const Bytes& file : {bm_file(full_header(3, 2, 24), picture_3x2()),
                              packed_file(full_header(3, 2, 24), picture_3x2())}) {
        std::string path = write_temp("picture.bmp", file);
        RgbImage* image = auxDIBImageLoadA(path.c_str());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, 3);
        EXPECT_EQ(image->height, 2);
        EXPECT_EQ(pixels_of(image), kPicture);
        free_image(image);
        remove(path.c_str());
    }
    EXPECT_TRUE(box_texts().empty());
}

TEST_F(DibLoad, MissingFileMessageKeepsItsLineBreak) {
    EXPECT_EQ(auxDIBImageLoadA("te1.bmp"), nullptr);
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Failed to open DIB file te1.bmp.\n"});
    ASSERT_EQ(scripted::message_boxes().size(), 1u);
    EXPECT_EQ(scripted::message_boxes()[0].owner, GetFocus());
}

TEST_F(DibLoad, LongNamesAreShownWhole) {
    std::string name = std::string(700, 'n') + ".bmp";
    EXPECT_EQ(auxDIBImageLoadA(name.c_str()), nullptr);
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Failed to open DIB file " + name + ".\n"});
}

TEST_F(DibLoad, EmptyFileCannotBeMapped) {
    std::string path = write_temp("empty.bmp", {});
    EXPECT_EQ(auxDIBImageLoadA(path.c_str()), nullptr);
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Failed to open DIB file " + path + ".\n"});
    remove(path.c_str());
}

TEST_F(DibLoad, ErrorBoxIsOwnedByTheFocusWindow) {
    checkDescriptors = false;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "DibLoadOwner";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND window = CreateWindowExA(0, "DibLoadOwner", "owner", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetFocus(window);
    ASSERT_EQ(GetFocus(), window);
    EXPECT_EQ(auxDIBImageLoadA("missing.bmp"), nullptr);
    ASSERT_EQ(scripted::message_boxes().size(), 1u);
    EXPECT_EQ(scripted::message_boxes()[0].owner, window);
    DestroyWindow(window);
    UnregisterClassA("DibLoadOwner", nullptr);
}

TEST_F(DibLoad, WideNames) {
    std::string path = write_temp("wide.bmp", bm_file(full_header(3, 2, 24), picture_3x2()));
    std::u16string wide(path.begin(), path.end());  // the temp path is ASCII
    RgbImage* image = tkDIBImageLoadAW(wide.c_str(), true);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixels_of(image), kPicture);
    free_image(image);
    remove(path.c_str());

    // Shown in UTF-8, surrogate pairs joined.
    EXPECT_EQ(tkDIBImageLoadAW(u"kuva-\u00e4\u20ac\U0001F600.bmp", true), nullptr);
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Failed to open DIB file kuva-\xc3\xa4\xe2\x82\xac\xf0\x9f\x98\x80.bmp.\n"});
}

TEST_F(DibLoad, RefusalsAreReportedOnceAndReleaseEverything) {
    Bytes unknown = full_header(3, 2, 24);
    unknown[0] = 124;
    unknown.resize(124, 0);
    std::string path = write_temp("v5.bmp", bm_file(unknown, picture_3x2()));
    EXPECT_EQ(auxDIBImageLoadA(path.c_str()), nullptr);
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Unknown DIB file format."});
    remove(path.c_str());

    // Every cut of a valid file, read through the mapping.
    Bytes file = bm_file(full_header(3, 2, 24), picture_3x2());
    for (size_t length = 1; length < file.size(); ++length) {
        scripted::reset();
        path = write_temp("cut.bmp", Bytes(file.begin(), file.begin() + length));
        EXPECT_EQ(auxDIBImageLoadA(path.c_str()), nullptr);
        EXPECT_EQ(box_texts(), std::vector<std::string>{"Image file conversion error."}) << length;
    }
    remove(path.c_str());
}

TEST_F(DibLoad, PopupDisabledIsSilent) {
    tkPopupEnable = false;
    EXPECT_EQ(auxDIBImageLoadA("te1.bmp"), nullptr);
    std::string path = write_temp("bad.bmp", bm_file(full_header(0, 2, 24), picture_3x2()));
    EXPECT_EQ(auxDIBImageLoadA(path.c_str()), nullptr);
    remove(path.c_str());
    EXPECT_TRUE(scripted::message_boxes().empty());
}

}  // namespace
