#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scan/maxlist.h"

namespace {

// Fills a list with samples whose Angle is their position from 1 on.
void Fill(TMaxList& list, const std::vector<double>& deviations)
{
    double angle = 1;
    for (double deviation : deviations) {
        TDegClass* sample = list.AddItem();
        sample->Angle = angle++;
        sample->Deviation = deviation;
    }
}

std::vector<double> Angles(const TMaxList& list)
{
    std::vector<double> angles;
    for (std::int32_t i = 0; i < list.Count(); ++i)
        angles.push_back(list.GetItem(i)->Angle);
    return angles;
}

struct SortCase {
    std::vector<double> deviations;
    std::vector<double> anglesAfter;
};

class SortByDeviation : public testing::TestWithParam<SortCase> {};

// Equal deviations end in the order this quicksort leaves them, which the
// report shows; any other sort gives other orders here.
TEST_P(SortByDeviation, LeavesTheQuicksortOrder)
{
    TMaxList list;
    Fill(list, GetParam().deviations);
    list.SortByDeviation();
    EXPECT_EQ(Angles(list), GetParam().anglesAfter);
}

INSTANTIATE_TEST_SUITE_P(Orders, SortByDeviation, testing::Values(
    SortCase{{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}}, SortCase{{1, 1}, {2, 1}},
    SortCase{{1, 1, 1}, {3, 2, 1}}, SortCase{{2, 2, 1, 2}, {4, 2, 1, 3}},
    SortCase{{5, 5, 5, 5}, {3, 4, 1, 2}}, SortCase{{3, 1, 2, 1, 3}, {5, 1, 3, 2, 4}},
    SortCase{{}, {}}, SortCase{{7}, {1}}));

struct DeleteMinCase {
    std::vector<double> deviations;
    std::vector<double> anglesAfter;
};

class DeleteMin : public testing::TestWithParam<DeleteMinCase> {};

TEST_P(DeleteMin, RemovesTheEarliestLeast)
{
    const std::ptrdiff_t live = TDegClass::Live();
    TMaxList list;
    Fill(list, GetParam().deviations);
    list.DeleteMin();
    EXPECT_EQ(Angles(list), GetParam().anglesAfter);
    EXPECT_EQ(TDegClass::Live() - live, list.Count());
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteMin, testing::Values(
    DeleteMinCase{{4, 2, 7, 2, 9}, {1, 3, 4, 5}}, DeleteMinCase{{5, 1}, {1}},
    DeleteMinCase{{1, 5, 1}, {2, 3}}, DeleteMinCase{{3}, {1}}, DeleteMinCase{{}, {}}));

TEST(TMaxList, AddItemAppendsAZeroedSample)
{
    TMaxList list;
    Fill(list, {3, 4});
    TDegClass* added = list.AddItem();
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetItem(2), added);
    EXPECT_EQ(added->Angle, 0.0);
    EXPECT_EQ(added->Value, 0.0);
    EXPECT_FALSE(std::signbit(added->Deviation));
}

TEST(TMaxList, BadIndexFailsAndChangesNothing)
{
    TMaxList list;
    Fill(list, {1, 2, 3});
    const std::ptrdiff_t live = TDegClass::Live();
    for (std::int32_t index : {-1, 3}) {
        const std::string message = "List index out of bounds (" + std::to_string(index) + ")";
        try {
            list.DeleteItem(index);
            FAIL() << index;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, message);
        }
        EXPECT_THROW(list.GetItem(index), EListError);
        EXPECT_THROW(list.Delete(index), EListError);
    }
    EXPECT_EQ(Angles(list), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(TDegClass::Live(), live);
}

TEST(TMaxList, FreesEverySampleExactlyOnce)
{
    const std::ptrdiff_t live = TDegClass::Live();
    {
        TMaxList list;
        for (int i = 0; i < 1000; ++i) {
            list.AddItem()->Deviation = (i * 7919) % 1000;
            if (list.Count() > 100)
                list.DeleteMin();
        }
        EXPECT_EQ(TDegClass::Live() - live, 100);
        list.DeleteItem(0);
        EXPECT_EQ(TDegClass::Live() - live, 99);
    }
    EXPECT_EQ(TDegClass::Live(), live);

    TMaxList cleared;
    Fill(cleared, {1, 2});
    cleared.Clear();
    EXPECT_EQ(cleared.Count(), 0);
    EXPECT_EQ(cleared.Capacity(), 0);
    EXPECT_EQ(TDegClass::Live(), live);
}

TEST(TList, PlainListFreesNothingAndDeleteKeepsOrder)
{
    TDegClass a, b, c;
    {
        TList list;
        list.Add(&a);
        list.Add(&b);
        EXPECT_EQ(list.Add(&c), 2);
        list.Delete(0);
        EXPECT_EQ(list.Get(0), &b);
        EXPECT_EQ(list.Get(1), &c);
    }  // a, b and c are stack objects: freeing any of them would crash here
}

TEST(TList, GrowsBy4Then16ThenAQuarter)
{
    TList list;
    TDegClass item;
    std::vector<std::int32_t> capacities;
    for (int i = 0; i < 101; ++i) {
        list.Add(&item);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<std::int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
}

} // namespace
