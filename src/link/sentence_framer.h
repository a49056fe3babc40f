// Cuts the incoming byte stream into sentences, '$' through CR LF.
//
// Every complete sentence is cut as soon as its CR LF arrives, so several
// sentences delivered by one read are all handed on at once, in order. What
// is left after the cuts is the incomplete rest: at most one unfinished
// sentence, beginning with '$'.
//
// Rules for text that is not a usable sentence:
// - text before a '$' is line noise and is discarded;
// - a '$' arriving before the CR LF of the sentence in progress means that
//   sentence was torn (its end was lost): the torn part is discarded and the
//   new '$' starts the next sentence, so an intact successor is not lost;
// - an incomplete rest longer than kMaxIncompleteRest characters is discarded;
// - a sentence longer than kMaxSentenceLength characters (CR LF included),
//   with more than kMaxFields fields, or holding a NUL byte is discarded
//   whole: it is not one the logger sends, and cutting it down would hand
//   on a different sentence.
#pragma once

#include "link/incoming_sentence.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

class SentenceFramer {
public:
    static constexpr std::size_t kMaxSentenceLength = 4999;
    static constexpr std::size_t kMaxIncompleteRest = 9000;
    static constexpr int kMaxFields = IncomingSentence::kFieldSlots;

    // Adds the bytes of one read and cuts every sentence they complete.
    void append(std::string_view bytes);
    // The next complete sentence in arrival order, or nothing when none is left.
    std::optional<std::string> next();

    std::size_t incompleteRestSize() const { return rest_.size(); }

private:
    void cutCompleteSentences(std::size_t searchFrom);
    void accept(std::string_view sentence);

    std::string rest_;
    std::deque<std::string> complete_;
};
