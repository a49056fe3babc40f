// Little-endian byte order of the memory image, for integers and IEEE floats.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

template <std::size_t Size>
using UnsignedOfSize = std::conditional_t<
    Size == 1, std::uint8_t,
    std::conditional_t<Size == 2, std::uint16_t, std::conditional_t<Size == 4, std::uint32_t, std::uint64_t>>>;

// The caller guarantees sizeof(T) readable bytes.
template <typename T>
T LoadLittleEndian(const std::uint8_t* bytes)
{
    UnsignedOfSize<sizeof(T)> bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits |= static_cast<UnsignedOfSize<sizeof(T)>>(UnsignedOfSize<sizeof(T)>{bytes[i]} << (8 * i));
    return std::bit_cast<T>(bits);
}

// The caller guarantees sizeof(T) writable bytes.
template <typename T>
void StoreLittleEndian(std::uint8_t* bytes, T value)
{
    const auto bits = std::bit_cast<UnsignedOfSize<sizeof(T)>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

template <typename T>
void AppendLittleEndian(std::vector<std::uint8_t>& bytes, T value)
{
    bytes.resize(bytes.size() + sizeof(T));
    StoreLittleEndian(bytes.data() + bytes.size() - sizeof(T), value);
}
