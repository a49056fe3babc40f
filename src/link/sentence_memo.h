// The raw sentences shown on the live page.
#pragma once

#include <string>

// Raw sentences as the live page's memo holds them: cleared when it grew past
// 50 lines or 5,000 characters, then the next sentence is appended.
class SentenceMemo {
public:
    static constexpr int kMaxLines = 50;
    static constexpr std::size_t kMaxCharacters = 5000;

    // True when the memo was cleared before the sentence went in.
    bool add(const std::string& sentenceText);
    const std::string& text() const { return text_; }
    int lineCount() const;

private:
    std::string text_;
};
