#include "link/sentence_framer.h"

#include <algorithm>

namespace {
bool IsUsableSentence(std::string_view sentence)
{
    if (sentence.size() > SentenceFramer::kMaxSentenceLength)
        return false;
    if (sentence.find('\0') != std::string_view::npos)
        return false;
    const auto commas = std::count(sentence.begin(), sentence.end(), ',');
    return commas < SentenceFramer::kMaxFields;
}
} // namespace

void SentenceFramer::append(std::string_view bytes)
{
    // The rest holds no CR LF and no '$' past its first character, so the
    // search resumes at its last character (a CR waiting for its LF).
    const std::size_t searchFrom = rest_.empty() ? 0 : rest_.size() - 1;
    rest_.append(bytes);
    cutCompleteSentences(searchFrom);
    if (rest_.size() > kMaxIncompleteRest)
        rest_.clear();
}

std::optional<std::string> SentenceFramer::next()
{
    if (complete_.empty())
        return std::nullopt;
    std::string sentence = std::move(complete_.front());
    complete_.pop_front();
    return sentence;
}

void SentenceFramer::cutCompleteSentences(std::size_t searchFrom)
{
    const std::string_view text = rest_;
    std::size_t start = text.find('$');
    while (start != std::string_view::npos) {
        const std::size_t from = std::max(start + 1, searchFrom);
        const auto end = text.find("\r\n", from);
        const auto nextStart = text.find('$', from);
        if (nextStart < end) {
            start = nextStart; // torn sentence
            continue;
        }
        if (end == std::string_view::npos)
            break;
        accept(text.substr(start, end + 2 - start));
        start = nextStart;
    }
    if (start == std::string_view::npos)
        rest_.clear();
    else
        rest_.erase(0, start);
}

void SentenceFramer::accept(std::string_view sentence)
{
    if (IsUsableSentence(sentence))
        complete_.emplace_back(sentence);
}
