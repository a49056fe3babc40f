// Incoming sentences for the live view and logger reply tests, built the way
// the receive side hands them over: checksummed text split into fields.
#pragma once

#include "link/incoming_sentence.h"
#include "link/sentences.h"

#include <string>

// body: "$GPGGA,..." without '*' and checksum.
inline IncomingSentence Incoming(const std::string& body)
{
    IncomingSentence sentence;
    sentence.SentenceText = AppendChecksum(body + "*");
    SplitFields(sentence);
    return sentence;
}
