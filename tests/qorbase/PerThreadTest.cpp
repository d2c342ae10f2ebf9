// qor::perThread: one object per thread, destroyed once when its thread ends, newest first,
// while the thread's other objects are still whole. Under Wine this runs the fiber-local
// implementation.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <latch>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "qor/PerThread.h"

namespace {

constexpr std::size_t kThreads = 6;

// Counts constructions and destructions of the objects of one test.
struct Lifetimes {
    std::atomic<int> made{0};
    std::atomic<int> destroyed{0};
};
Lifetimes gCountedLifetimes;

struct Counted {
    Counted() { ++gCountedLifetimes.made; }
    ~Counted() { ++gCountedLifetimes.destroyed; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    int uses = 0;
};

TEST(PerThreadTest, EachThreadHasOneObjectOfItsOwn) {
    struct Slot {
        int value = 0;
    };
    std::vector<const Slot*> addresses(kThreads, nullptr);
    std::vector<int> valuesSeen(kThreads, 0);
    std::latch allAlive(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            Slot& first = qor::perThread<Slot>();
            first.value = static_cast<int>(t) + 100;
            // Every thread is alive with its object before any reads it back.
            allAlive.arrive_and_wait();
            Slot& again = qor::perThread<Slot>();
            addresses[t] = &again;
            valuesSeen[t] = &again == &first ? again.value : -1;
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (std::size_t t = 0; t < kThreads; ++t) {
        EXPECT_EQ(valuesSeen[t], static_cast<int>(t) + 100) << "thread " << t;
    }
    std::sort(addresses.begin(), addresses.end());
    EXPECT_EQ(std::adjacent_find(addresses.begin(), addresses.end()), addresses.end())
        << "two live threads shared an object";
}

// Threads that never ask for the object make none; each one that asks, however often, makes
// one, and it is gone when the thread has ended.
TEST(PerThreadTest, ObjectIsMadeOnFirstUseAndDestroyedOnceWhenItsThreadEnds) {
    struct Case {
        int callsPerThread;
        std::size_t threads;
    };
    for (const Case c : {Case{0, 3}, Case{1, 4}, Case{5, kThreads}}) {
        gCountedLifetimes.made = 0;
        gCountedLifetimes.destroyed = 0;
        std::vector<int> uses(c.threads, 0);
        std::vector<std::thread> threads;
        for (std::size_t t = 0; t < c.threads; ++t) {
            threads.emplace_back([&, t] {
                for (int i = 0; i < c.callsPerThread; ++i) {
                    uses[t] = ++qor::perThread<Counted>().uses;
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        const int expected = c.callsPerThread > 0 ? static_cast<int>(c.threads) : 0;
        EXPECT_EQ(gCountedLifetimes.made.load(), expected) << c.callsPerThread << " calls";
        EXPECT_EQ(gCountedLifetimes.destroyed.load(), expected) << c.callsPerThread << " calls";
        for (const int u : uses) {
            EXPECT_EQ(u, c.callsPerThread);
        }
    }
}

// Each thread makes three objects that hold its number as text (long enough to be on the heap);
// each destructor records its own text and what it reads in the objects made before its own.
// The thread's objects must be destroyed newest first, each while it and the older ones still
// hold what the thread wrote. (A `thread_local` of the Windows DLL was destroyed after its
// memory had been freed.)
std::mutex gFarewellsMutex;
std::vector<std::string> gFarewells;

std::string threadText(std::size_t thread) {
    return std::string(40, static_cast<char>('a' + thread));
}

template <int Order>
struct Farewell {
    std::string text;
    ~Farewell();
};

template <int Order>
Farewell<Order>::~Farewell() {
    std::string record = std::to_string(Order) + ":" + text;
    if constexpr (Order > 1) {
        record += " " + qor::perThread<Farewell<1>>().text;
    }
    if constexpr (Order > 2) {
        record += " " + qor::perThread<Farewell<2>>().text;
    }
    const std::lock_guard lock(gFarewellsMutex);
    gFarewells.push_back(record);
}

TEST(PerThreadTest, ObjectsAreDestroyedNewestFirstWhileTheOlderOnesAreWhole) {
    for (const std::size_t threadCount : {std::size_t{1}, kThreads}) {
        gFarewells.clear();
        std::vector<std::thread> threads;
        for (std::size_t t = 0; t < threadCount; ++t) {
            threads.emplace_back([t] {
                qor::perThread<Farewell<1>>().text = threadText(t);
                qor::perThread<Farewell<2>>().text = threadText(t);
                qor::perThread<Farewell<3>>().text = threadText(t);
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        // Each thread's records in its order, whichever thread ended first.
        std::vector<std::string> expected;
        for (std::size_t t = 0; t < threadCount; ++t) {
            const std::string text = threadText(t);
            expected.push_back("3:" + text + " " + text + " " + text);
            expected.push_back("2:" + text + " " + text);
            expected.push_back("1:" + text);
        }
        std::vector<std::string> byThread = gFarewells;
        std::stable_sort(byThread.begin(), byThread.end(),
                         [](const std::string& a, const std::string& b) { return a[2] < b[2]; });
        EXPECT_EQ(byThread, expected) << threadCount << " threads";
    }
}

}  // namespace
