#include "catchlog/FieldViews.h"

#include "EntryTestSupport.h"
#include "storage/IniFile.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

std::array<bool, 22> Ticks(std::initializer_list<int> items) {
    std::array<bool, 22> ticked{};
    for (int i : items) {
        ticked[static_cast<std::size_t>(i)] = true;
    }
    return ticked;
}

TEST(FieldViewValue, BuiltFromTicksInItemOrder) {
    // "Fisch Länge", "Fisch Gewicht", "Stelle" are items 1, 2 and 10.
    EXPECT_EQ(ViewValueFromTicks(Ticks({1, 2, 10})), ",1,2,8");
    EXPECT_EQ(ViewValueFromTicks(Ticks({0, 1, 13})), "22,1,21");
    EXPECT_EQ(ViewValueFromTicks(Ticks({})), "");
    EXPECT_EQ(ViewValueFromTicks(Ticks({9, 8})), ",20,19"); // Köderverhalten before Ködertyp
}

TEST(FieldViewValue, ReadBackTicksTheSameItems) {
    EXPECT_EQ(TicksFromViewValue(",1,2,8"), Ticks({1, 2, 10}));
    EXPECT_EQ(TicksFromViewValue("22,,21,"), Ticks({0, 13}));
    // Numbers outside 1 … 22 and pieces that are not numbers tick nothing.
    EXPECT_EQ(TicksFromViewValue("0,23,x,18"), Ticks({21}));
    EXPECT_EQ(TagsFromViewValue(",1,2,8"), (std::set<int>{1, 2, 8}));
}

TEST(FieldViewVisibility, BuiltInViews) {
    const ViewVisibility full = VisibilityForView(0, "", false);
    for (int tag = 1; tag <= 22; ++tag) {
        EXPECT_TRUE(full.IsTagVisible(tag) || tag == kMapButtonTag) << tag;
    }
    EXPECT_TRUE(full.mapButton);
    EXPECT_TRUE(full.catchControls);

    const ViewVisibility normal = VisibilityForView(1, "", false);
    EXPECT_EQ(normal.visibleTags,
              (std::set<int>{1, 2, 4, 5, 8, 11, 12, 13, 14, 15, 16, 17, 18, 22}));
    EXPECT_TRUE(normal.mapButton);
    EXPECT_TRUE(normal.IsTagVisible(0));

    const ViewVisibility minimal = VisibilityForView(2, "1,2,3", false);
    EXPECT_TRUE(minimal.visibleTags.empty());
    EXPECT_FALSE(minimal.mapButton);
    EXPECT_TRUE(minimal.IsTagVisible(0));
}

TEST(FieldViewVisibility, UserViewsShowTheirTagsAndAlwaysTheMapButton) {
    const ViewVisibility view = VisibilityForView(3, ",1,2,8", false);
    EXPECT_EQ(view.visibleTags, (std::set<int>{1, 2, 8}));
    EXPECT_TRUE(view.mapButton);
    const ViewVisibility withMap = VisibilityForView(4, "22,21", false);
    EXPECT_EQ(withMap.visibleTags, (std::set<int>{22}));
    EXPECT_TRUE(withMap.mapButton);
    // Nothing ticked hides every tagged control but not the map button.
    const ViewVisibility empty = VisibilityForView(3, "", false);
    EXPECT_TRUE(empty.visibleTags.empty());
    EXPECT_TRUE(empty.mapButton);
    EXPECT_TRUE(empty.catchControls);
}

TEST(FieldViewVisibility, NothingCaughtOverlaysEveryView) {
    for (int index : {0, 1, 2, 3}) {
        const ViewVisibility view = VisibilityForView(index, ",1,2", true);
        EXPECT_EQ(view.visibleTags, (std::set<int>{8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 22}))
            << index;
        EXPECT_FALSE(view.mapButton);
        EXPECT_FALSE(view.catchControls);
        EXPECT_TRUE(view.IsTagVisible(0));
    }
}

class ViewSettingsTest : public ::testing::Test {
protected:
    test::EntryFolder folder_;
    IniFile settings_{folder_ / "Zelvorin.ini"};
};

TEST_F(ViewSettingsTest, ListHoldsBuiltInsThenUserViewsAndSelectsTheLastUsed) {
    ViewList none = LoadViewList(settings_);
    EXPECT_EQ(none.names, (std::vector<std::string>{kViewDetailed, kViewNormal, kViewMinimal}));
    EXPECT_EQ(none.selected, 0);

    ASSERT_TRUE(StoreView(settings_, "Spinnfischen", ",1,2,8"));
    ASSERT_TRUE(StoreView(settings_, "Ansitz", "22"));
    ASSERT_TRUE(settings_.WriteString("FangHinzufuegen", "Felder", "ansitz"));
    ViewList list = LoadViewList(settings_);
    ASSERT_EQ(list.names.size(), 5u);
    EXPECT_EQ(list.names[3], "Spinnfischen");
    EXPECT_EQ(list.names[4], "Ansitz");
    EXPECT_EQ(list.selected, 4);

    // A name no longer in the list leaves the first built-in view selected.
    ASSERT_TRUE(settings_.WriteString("FangHinzufuegen", "Felder", "Weg"));
    EXPECT_EQ(LoadViewList(settings_).selected, 0);
}

TEST_F(ViewSettingsTest, AUserViewNamedLikeABuiltInIsSelectedAsTheBuiltIn) {
    ASSERT_TRUE(StoreView(settings_, "Minimal, (Standard)", "1,2"));
    ASSERT_TRUE(settings_.WriteString("FangHinzufuegen", "Felder", "minimal, (Standard)"));
    const ViewList list = LoadViewList(settings_);
    EXPECT_EQ(list.names.size(), 4u);
    EXPECT_EQ(list.selected, 2);
}

TEST_F(ViewSettingsTest, StoredViewIsTickedAgainAndDeleteRemovesIt) {
    ASSERT_TRUE(StoreView(settings_, "Spinnfischen", ViewValueFromTicks(Ticks({1, 2, 10}))));
    EXPECT_EQ(settings_.ReadString("Felder", "Spinnfischen"), ",1,2,8");
    EXPECT_EQ(TicksFromViewValue(settings_.ReadString("Felder", "Spinnfischen")),
              Ticks({1, 2, 10}));
    EXPECT_EQ(ManagerViewNames(settings_),
              (std::vector<std::string>{kNewViewPlaceholder, "Spinnfischen"}));
    ASSERT_TRUE(DeleteView(settings_, "Spinnfischen"));
    EXPECT_EQ(ManagerViewNames(settings_), (std::vector<std::string>{kNewViewPlaceholder}));
}

TEST_F(ViewSettingsTest, NewNamesAreChecked) {
    ASSERT_TRUE(StoreView(settings_, "Spinnfischen", "1"));
    std::string message;
    EXPECT_TRUE(CheckNewViewName(settings_, "Ansitz", message));
    EXPECT_TRUE(message.empty());
    EXPECT_FALSE(CheckNewViewName(settings_, "spinnfischen", message));
    EXPECT_EQ(message,
              "Der Name \"spinnfischen\" ist bereits vorhanden. Bitte einen anderen wählen.");
    // The placeholder and an empty name never become a view.
    EXPECT_FALSE(CheckNewViewName(settings_, kNewViewPlaceholder, message));
    EXPECT_FALSE(message.empty());
    EXPECT_FALSE(CheckNewViewName(settings_, "", message));
    EXPECT_TRUE(message.empty());
    EXPECT_FALSE(CheckNewViewName(settings_, "  ", message));
    // A name the settings file could not give back is refused with a reason.
    EXPECT_FALSE(CheckNewViewName(settings_, "a=b", message));
    EXPECT_NE(message.find("a=b"), std::string::npos);
}

} // namespace
} // namespace zv
