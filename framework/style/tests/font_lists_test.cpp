// Which font each request gets, how many fonts are made, and the lists' lock, with a factory that
// counts instead of making GDI fonts.
#include "framework/style/font_lists.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

class CountingFactory : public FontFactory {
 public:
  void* CreateFont(const FontRequest& request) override {
    requests.push_back(request);
    faces.emplace_back(request.face);
    return reinterpret_cast<void*>(static_cast<uintptr_t>(++created));
  }
  void Measure(void* font, int32_t* textHeight, int32_t* spaceWidth) override {
    *textHeight = font ? -requests[reinterpret_cast<uintptr_t>(font) - 1].height + 3 : 0;
    *spaceWidth = 4;
  }
  void DeleteFont(void*) override { ++deleted; }
  int32_t DesktopDpi() override { return 96; }

  std::atomic<int> created{0};
  int deleted = 0;
  std::vector<FontRequest> requests;
  std::vector<std::string> faces;
};

std::vector<int32_t> Counts(CFontLists& lists) {
  std::vector<int32_t> counts;
  for (int32_t list = 0; list < kFontListCount; ++list) counts.push_back(lists.EntryCount(list));
  return counts;
}

TEST(FontHeight, ScalesWithDpiRoundingHalfAwayFromZero) {
  EXPECT_EQ(FontHeightForDpi(12, 96), -12);
  EXPECT_EQ(FontHeightForDpi(12, 144), -18);
  EXPECT_EQ(FontHeightForDpi(9, 120), -11);   // 11.25
  EXPECT_EQ(FontHeightForDpi(1, 48), -1);     // 0.5
  EXPECT_EQ(FontHeightForDpi(13, 120), -16);  // 16.25
}

TEST(FontLists, FirstRequestFillsEveryListAtTheDesktopDpiThenAddsOneEntry) {
  CountingFactory factory;
  {
    CFontLists lists(factory);
    lists.SetSystemFace("Tahoma");
    void* font = lists.FontForDpi(kFontSystemBold, 144);
    EXPECT_EQ(Counts(lists), (std::vector<int32_t>{1, 2, 1, 1, 1, 1, 1}));
    EXPECT_EQ(factory.created, 8);
    EXPECT_EQ(lists.FontForDpi(kFontSystemBold, 144), font);
    EXPECT_EQ(factory.created, 8);
    const FontRequest& added = factory.requests.back();
    EXPECT_EQ(added.height, -18);
    EXPECT_EQ(added.weight, kFontWeightBold);
    EXPECT_EQ(factory.faces.back(), "Tahoma");
    EXPECT_EQ(factory.faces[3], kFixedFontFace);
    EXPECT_EQ(factory.requests[3].pitchAndFamily, kFontFixedPitch);
  }
  EXPECT_EQ(factory.deleted, 8);
}

TEST(FontLists, VerticalListsTurnTheTextWithEscapementAndOrientation) {
  CountingFactory factory;
  CFontLists lists(factory);
  lists.SetUIFont("Verdana", 14, 96);
  for (int32_t list : {kFontSystemVertical, kFontUIVertical}) {
    const FontRequest& request = factory.requests[list];
    EXPECT_EQ(request.escapement, kFontVertical) << list;
    EXPECT_EQ(request.orientation, kFontVertical) << list;
  }
  EXPECT_EQ(factory.requests[kFontUI].escapement, 0);
  EXPECT_EQ(factory.requests[kFontUI].height, -14);
  EXPECT_EQ(factory.faces[kFontUIBold], "Verdana");
}

TEST(FontLists, ExistingDpiIsReturnedWhateverTheLook) {
  CountingFactory factory;
  CFontLists lists(factory);
  EXPECT_EQ(lists.GetFont(kFontUI, "Arial", 10, 400, 0, 120, 0), 0);
  EXPECT_EQ(lists.GetFont(kFontUI, "Courier", 30, 700, 0, 120, 1), 0);
  EXPECT_EQ(lists.GetFont(kFontUI, "Arial", 10, 400, 0, 96, 0), 1);
  EXPECT_EQ(factory.created, 2);
  EXPECT_EQ(lists.GetFont(kFontListCount, "Arial", 10, 400, 0, 96, 0), -1);
  EXPECT_EQ(lists.GetFont(-1, "Arial", 10, 400, 0, 96, 0), -1);
  EXPECT_EQ(lists.FontForDpi(kFontListCount, 96), nullptr);
}

TEST(FontLists, EmptyUIFaceMeansTheSystemFaceAtSize12) {
  CountingFactory factory;
  CFontLists lists(factory);
  lists.SetSystemFace("Segoe UI");
  lists.SetUIFont("", 20, 144);
  FontEntry entry{};
  ASSERT_TRUE(lists.Entry(kFontUIVertical, 0, &entry));
  EXPECT_STREQ(entry.face, "Segoe UI");
  EXPECT_EQ(entry.size, 12);
  EXPECT_EQ(entry.dpi, 144);
  EXPECT_FALSE(lists.Entry(kFontUIVertical, 1, &entry));
}

TEST(FontLists, UnterminatedFaceIsCutInsideItsField) {
  CountingFactory factory;
  CFontLists lists(factory);
  char face[kFontFaceSize];
  std::memset(face, 'F', sizeof face);  // a damaged settings record: no terminator
  lists.SetUIFont(std::string(face, sizeof face).c_str(), 12, 96);
  FontEntry entry{};
  ASSERT_TRUE(lists.Entry(kFontUI, 0, &entry));
  EXPECT_EQ(std::strlen(entry.face), static_cast<size_t>(kFontFaceSize - 1));
}

TEST(FontLists, MetricsBeforeSetUpComeFromTheDesktopDpiFonts) {
  CountingFactory factory;
  CFontLists lists(factory);
  EXPECT_EQ(lists.TextHeight(144), 15);  // no 144 entry: the first (96 DPI, height 12 + 3)
  EXPECT_EQ(lists.SpaceWidth(144), 4);
  EXPECT_EQ(Counts(lists), (std::vector<int32_t>(kFontListCount, 1)));
  (void)lists.FontForDpi(kFontUI, 144);
  EXPECT_EQ(lists.TextHeight(144), 21);
}

TEST(FontLists, ConcurrentRequestsMakeOneFontPerListAndDpi) {
  CountingFactory factory;
  CFontLists lists(factory);
  lists.SetUIFont(nullptr, 12, 96);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&lists, t] {
      for (int i = 0; i < 60; ++i) {
        const int32_t dpi = 100 + (i + 15 * t) % 60;
        ASSERT_NE(lists.FontForDpi((i + t) % kFontListCount, dpi), nullptr);
        (void)lists.TextHeight(dpi);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  int32_t total = 0;
  for (int32_t count : Counts(lists)) total += count;
  EXPECT_EQ(total, factory.created.load());
  for (int32_t list = 0; list < kFontListCount; ++list) {
    std::vector<int32_t> dpis;
    FontEntry entry{};
    for (int32_t i = 0; lists.Entry(list, i, &entry); ++i) dpis.push_back(entry.dpi);
    std::sort(dpis.begin(), dpis.end());
    EXPECT_EQ(std::adjacent_find(dpis.begin(), dpis.end()), dpis.end()) << list;
  }
}

}  // namespace
