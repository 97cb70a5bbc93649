#include <gtest/gtest.h>

#include "foundation/UknStack.h"

namespace qb::test {

namespace {

std::vector<int32_t> Drain(TknIntStackQueueSuper& s) {
    std::vector<int32_t> out;
    for (int32_t v = 0; s.Pop(v);) out.push_back(v);
    return out;
}

}  // namespace

TEST(Stacks, PopOnEmptyFailsAndLeavesTheValue) {
    TknIntStack stack;
    TknIntQueue queue;
    TknStrQueue strings;
    int32_t v = 42;
    std::u16string s = u"keep";
    EXPECT_FALSE(stack.Pop(v) || stack.Peek(v) || queue.Pop(v) || queue.Peek(v));
    EXPECT_FALSE(strings.Pop(s) || strings.Peek(s));
    EXPECT_EQ(v, 42);
    EXPECT_EQ(s, u"keep");
    EXPECT_TRUE(stack.IsEmpty() && queue.IsEmpty() && strings.IsEmpty());
}

TEST(Stacks, QueueGivesFirstPushedStackGivesLastPushed) {
    TknIntQueue queue;
    TknIntStack stack;
    for (TknIntStackQueueSuper* s : {static_cast<TknIntStackQueueSuper*>(&queue),
                                     static_cast<TknIntStackQueueSuper*>(&stack)}) {
        s->Separator = u",";
        s->SetText(u"3,1,2");
        EXPECT_EQ(s->GetText(), u"3,1,2");  // array order for both kinds
        int32_t peeked = 0;
        EXPECT_TRUE(s->Peek(peeked));
        EXPECT_EQ(s->Count(), 3);  // Peek leaves it there
    }
    EXPECT_EQ(Drain(queue), (std::vector<int32_t>{3, 1, 2}));
    EXPECT_EQ(Drain(stack), (std::vector<int32_t>{2, 1, 3}));

    queue.Push(7);
    queue.Push(8);
    int32_t v = 0;
    queue.Pop(v);
    queue.Push(9);
    EXPECT_EQ(queue.GetText(), u"8,9");

    TknStrQueue strings;
    strings.Push(u"a");
    strings.Push(u"b");
    std::u16string s;
    EXPECT_TRUE(strings.Pop(s));
    EXPECT_EQ(s, u"a");
    EXPECT_EQ(strings.Count(), 1);
    strings.Clear();
    EXPECT_FALSE(strings.Pop(s));
}

TEST(Stacks, TextFormSplitsLikeTheListsAndReadsBadNumbersAsZero) {
    struct Case {
        std::u16string text;
        std::vector<int32_t> items;
        std::u16string written;
    };
    const Case cases[] = {
        {u"", {}, u""},
        {u"5", {5}, u"5"},
        {u"-4\r\nx\r\n 6 \r\n", {-4, 0, 6, 0}, u"-4\r\n0\r\n6\r\n0"},
        {u"1\r2\n3", {0}, u"0"},
        {u"\r\n\r\n", {0, 0, 0}, u"0\r\n0\r\n0"},
        {u"-2147483648\r\n4294967296", {-2147483648, 0}, u"-2147483648\r\n0"},
    };
    for (const Case& c : cases) {
        TknIntQueue queue;
        queue.Push(99);  // replaced by the text
        queue.SetText(c.text);
        EXPECT_EQ(queue.GetText(), c.written);
        std::vector<int32_t> items;
        for (int32_t v = 0; queue.Pop(v);) items.push_back(v);
        EXPECT_EQ(items, c.items);
    }
}

}  // namespace qb::test
