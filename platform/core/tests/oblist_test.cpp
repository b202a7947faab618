#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <vector>

#include "platform/core/ObList.h"

namespace {

struct Item : CObject {
    explicit Item(int value) : m_nValue(value) {}
    int m_nValue;
};

std::vector<int> ForwardValues(const CObList& list) {
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        values.push_back(static_cast<const Item*>(list.GetNext(pos))->m_nValue);
    }
    return values;
}

std::vector<int> BackwardValues(const CObList& list) {
    std::vector<int> values;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;) {
        values.insert(values.begin(), static_cast<const Item*>(list.GetPrev(pos))->m_nValue);
    }
    return values;
}

// Both walks must agree with the count: a broken back link shows up here.
void ExpectValues(const CObList& list, const std::vector<int>& expected) {
    EXPECT_EQ(ForwardValues(list), expected);
    EXPECT_EQ(BackwardValues(list), expected);
    EXPECT_EQ(list.GetCount(), static_cast<int>(expected.size()));
}

}  // namespace

TEST(ObList, InsertAndRemoveKeepBothWalksInStep) {
    Item one(1), two(2), three(3), four(4), five(5);
    CObList list;
    const POSITION posThree = list.AddTail(&three);
    list.AddHead(&one);
    list.InsertBefore(posThree, &two);
    const POSITION posFive = list.InsertAfter(posThree, &five);
    list.InsertBefore(posFive, &four);
    ExpectValues(list, {1, 2, 3, 4, 5});

    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    list.RemoveAt(posThree);
    ExpectValues(list, {2, 4});
    EXPECT_EQ(list.GetHead(), &two);
    EXPECT_EQ(list.GetTail(), &four);

    // Null positions mean the ends.
    list.InsertBefore(nullptr, &one);
    list.InsertAfter(nullptr, &five);
    ExpectValues(list, {1, 2, 4, 5});
}

TEST(ObList, FindByPointerFromHeadOrAfterPosition) {
    Item a(1), b(2);
    CObList list;
    const POSITION first = list.AddTail(&a);
    list.AddTail(&b);
    const POSITION second = list.AddTail(&a);
    EXPECT_EQ(list.Find(&a), first);
    EXPECT_EQ(list.Find(&a, first), second);
    EXPECT_EQ(list.Find(&a, second), nullptr);
    Item absent(3);
    EXPECT_EQ(list.Find(&absent), nullptr);
    // GetAt gives a reference: the element can be replaced in place.
    list.GetAt(first) = &b;
    ExpectValues(list, {2, 2, 1});
}

TEST(ObList, ManyElementsAcrossBlocksAgainstAModel) {
    std::vector<std::unique_ptr<Item>> items;
    for (int i = 0; i < 500; ++i) items.push_back(std::make_unique<Item>(i));
    for (const int blockSize : {1, 3, 10}) {
        SCOPED_TRACE(blockSize);
        CObList list(blockSize);
        std::deque<int> model;
        std::mt19937 random(42);
        for (int step = 0; step < 3000; ++step) {
            const int value = static_cast<int>(random() % items.size());
            switch (random() % 4) {
            case 0: list.AddHead(items[static_cast<std::size_t>(value)].get()); model.push_front(value); break;
            case 1: list.AddTail(items[static_cast<std::size_t>(value)].get()); model.push_back(value); break;
            default:
                if (!model.empty()) {
                    const int index = static_cast<int>(random() % model.size());
                    list.RemoveAt(list.FindIndex(index));
                    model.erase(model.begin() + index);
                }
            }
        }
        ExpectValues(list, {model.begin(), model.end()});
        list.RemoveAll();
        EXPECT_TRUE(list.IsEmpty());
        EXPECT_EQ(list.GetHeadPosition(), nullptr);
        // Reusable after emptying.
        list.AddTail(items[7].get());
        ExpectValues(list, {7});
    }
}
