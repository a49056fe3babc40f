// Each fuzz target is a plain function of the input bytes, so the normal
// build can replay the corpus through it; fuzz_main.cpp gives it libFuzzer's
// entry point in the fuzzing build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using FuzzTarget = int (*)(const std::uint8_t* data, std::size_t size);

int FuzzDecoder(const std::uint8_t* data, std::size_t size);
int FuzzReceive(const std::uint8_t* data, std::size_t size);
int FuzzTrackFiles(const std::uint8_t* data, std::size_t size);
int FuzzSettingsFile(const std::uint8_t* data, std::size_t size);

// Reports a rule that must always hold and aborts, so that libFuzzer keeps
// the input and the replay test fails.
[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file, int line);
#define FUZZ_CHECK(condition) ((condition) ? void(0) : FuzzCheckFailed(#condition, __FILE__, __LINE__))

// A file of this process's own, for the readers and writers that take a path.
std::string ScratchPath(std::string_view name);
// The same, holding the bytes given.
std::string ScratchFile(std::string_view name, const std::uint8_t* data, std::size_t size);
