// qor::perThread: one object per thread, destroyed once when its thread ends, while the rest of
// the thread's state is still whole. On Windows this is the fiber-local implementation: its
// objects are the ones a `thread_local` of the DLL destroyed after its memory was freed.

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

// The destructor reads the object's own text (on the heap) and a plain `thread_local` of the
// thread: both must still hold what the thread wrote. Were the object's memory or the thread's
// other thread-local storage freed before the destructor ran, it would read other values (or
// fault).
thread_local std::size_t tThreadNumber = 0;
std::mutex gFarewellsMutex;
std::vector<std::string> gFarewells;

struct Farewell {
    std::string text;
    ~Farewell() {
        const std::lock_guard lock(gFarewellsMutex);
        gFarewells.push_back(std::to_string(tThreadNumber) + ":" + text);
    }
};

std::string longText(std::size_t thread) {
    return std::string(64, static_cast<char>('a' + thread));
}

TEST(PerThreadTest, DestructorSeesTheObjectAndTheThreadsOtherStateWhole) {
    gFarewells.clear();
    std::vector<std::thread> threads;
    for (std::size_t t = 1; t <= kThreads; ++t) {
        threads.emplace_back([t] {
            tThreadNumber = t;
            qor::perThread<Farewell>().text = longText(t);
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::vector<std::string> expected;
    for (std::size_t t = 1; t <= kThreads; ++t) {
        expected.push_back(std::to_string(t) + ":" + longText(t));
    }
    std::sort(gFarewells.begin(), gFarewells.end());
    EXPECT_EQ(gFarewells, expected);
}

}  // namespace
