// Pages as operations: encoded and read back whole, refused when cut or
// damaged; the page queue keeps them in files of a folder it removes.
#include <gtest/gtest.h>

#include <filesystem>

#include "reporting/page_store.h"

namespace bb::test {
namespace {

Page samplePage() {
    Page page;
    page.ops.push_back(PageText{500, 700, 1, "Zoë Müller — €1,234.56"});
    page.ops.push_back(PageRule{500, 900, 8000, 900, 10});
    page.ops.push_back(PageBox{500, 1000, 7500, 300, 0, 15});
    page.ops.push_back(PageText{-5, 10999, 0, ""});
    return page;
}

TEST(Pages, EncodeAndDecodeToTheSamePage) {
    const Page page = samplePage();
    EXPECT_EQ(decodePage(encodePage(page)), page);
    EXPECT_EQ(decodePage(encodePage(Page{})), Page{});
}

TEST(Pages, CutOrDamagedBytesAreRefused) {
    const std::string bytes = encodePage(samplePage());
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(decodePage(bytes.substr(0, n))) << "cut after " << n << " bytes";
    EXPECT_FALSE(decodePage(bytes + "x")) << "trailing bytes";
    std::string wrongMagic = bytes;
    wrongMagic[0] = 'X';
    EXPECT_FALSE(decodePage(wrongMagic));
    std::string unknownOp = bytes;
    unknownOp[8] = 9;  // the first operation's kind
    EXPECT_FALSE(decodePage(unknownOp));
    std::string hugeText = encodePage(Page{{PageText{0, 0, 0, "abc"}}});
    hugeText[21] = '\x7f';  // the top byte of the text's length: far past the end
    EXPECT_FALSE(decodePage(hugeText));
}

TEST(PageStores, KeepPagesInOrderInAFolderTheyRemove) {
    std::string folder;
    {
        PageStore store;
        EXPECT_EQ(store.Folder(), "");
        for (int i = 1; i <= 3; ++i) {
            Page p;
            p.ops.push_back(PageText{0, 0, 0, "page " + std::to_string(i)});
            ASSERT_TRUE(store.Add(p)) << store.LastError();
        }
        folder = store.Folder();
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        EXPECT_EQ(store.Count(), 3);
        const std::optional<Page> second = store.Load(2);
        ASSERT_TRUE(second) << store.LastError();
        EXPECT_EQ(std::get<PageText>(second->ops[0]).text, "page 2");
        for (int wrong : {0, 4}) {
            EXPECT_FALSE(store.Load(wrong));
            EXPECT_EQ(store.LastError(), "The report has no page " + std::to_string(wrong) + ".");
        }

        store.Clear();
        EXPECT_EQ(store.Count(), 0);
        EXPECT_FALSE(std::filesystem::exists(folder));
        ASSERT_TRUE(store.Add(samplePage()));
        folder = store.Folder();
    }
    EXPECT_FALSE(std::filesystem::exists(folder)) << "removed with the store";
}

TEST(PageStores, APageFileDamagedOnDiskIsReportedNotDrawn) {
    PageStore store;
    ASSERT_TRUE(store.Add(samplePage()));
    std::filesystem::resize_file(store.Folder() + "/page-000001", 10);
    EXPECT_FALSE(store.Load(1));
    EXPECT_NE(store.LastError().find("could not be read"), std::string::npos) << store.LastError();
}

}  // namespace
}  // namespace bb::test
