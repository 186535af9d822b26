#pragma once
// The readers that a teacher's files or pasted text reach, each as one entry that takes any bytes.
// The libFuzzer harnesses (fuzz/FuzzHarness.cpp) and the replay of the corpora under the test
// run (tests/fuzz) call the same entries. An entry must neither crash nor leak, whatever the
// bytes; it checks what must hold of any input (a text written is read back) with FuzzCheck.

#include <cstddef>
#include <cstdint>

struct CFuzzEntry {
    const char* name;  // also the corpus folder: fuzz/corpus/<name>/
    void (*run)(const std::uint8_t* data, std::size_t size);
};

// Every entry, ended by one whose name is NULL.
const CFuzzEntry* FuzzEntries();
// The entry of that name, or NULL.
const CFuzzEntry* FindFuzzEntry(const char* name);

// An entry's own check: aborts (which both libFuzzer and the test run report) when it fails.
#define FuzzCheck(cond) ((cond) ? (void)0 : FuzzCheckFailed(#cond, __FILE__, __LINE__))
[[noreturn]] void FuzzCheckFailed(const char* what, const char* file, int line);
