// What the "Option" dialog of the draw export asks for, and the rules its
// controls follow, kept apart from the widgets so they can be checked alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct DrawOptions {
    double lineWidth = 1.0;
    std::uint32_t colourWord = 0; // 0x00BBGGRR; kNoColourSelected when none
    int indexStart = 1;
    int indexEnd = 1;
    int opacity = 100; // percent
};

inline constexpr std::uint32_t kNoColourSelected = 0xFF000000;

// The point rule's index range: start and end stay within 1..N and at most
// 5000 rows apart; moving one end drags the other along.
class PointRuleRange {
public:
    static constexpr int kMaxWidth = 5000;

    // N: the data rows of the table.
    explicit PointRuleRange(int dataRowCount);

    int start() const { return start_; }
    int end() const { return end_; }
    int maximum() const { return maximum_; }

    void setStart(int value);
    void setEnd(int value);

private:
    int clamp(int value) const;

    int maximum_;
    int start_ = 1;
    int end_;
};

inline constexpr int kMinOpacity = 1;
inline constexpr int kMaxOpacity = 100;

// The width box's text after one click of the up or down button: a tenth more
// or less, held within 1.0 to 4.0, shown with one decimal.
std::string LineWidthUp(const std::string& shown);
std::string LineWidthDown(const std::string& shown);

struct NamedColour {
    const char* name;
    std::uint32_t word; // 0x00BBGGRR
};

// The colour list: the sixteen standard colours, then the four extended ones.
extern const std::array<NamedColour, 20> kLineColours;
