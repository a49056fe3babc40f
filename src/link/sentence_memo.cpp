#include "link/sentence_memo.h"

#include <algorithm>

bool SentenceMemo::add(const std::string& sentenceText)
{
    const bool full = lineCount() > kMaxLines || text_.size() > kMaxCharacters;
    if (full)
        text_.clear();
    text_ += sentenceText;
    return full;
}

int SentenceMemo::lineCount() const
{
    // A last line without its line break still counts as a line.
    const auto breaks = std::count(text_.begin(), text_.end(), '\n');
    const bool openLine = !text_.empty() && text_.back() != '\n';
    return static_cast<int>(breaks) + (openLine ? 1 : 0);
}
