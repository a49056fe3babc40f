// Bytes from the serial line, cut into sentences as the receive thread cuts
// them and handed to the real parsers, reply handlers and download.
//
// Input: a first byte of options (bit 0: a download runs from the start;
// bits 1-7: the size of each read), then the line's bytes.
#include "fuzz_target.h"

#include "link/device_link_state.h"
#include "link/live_view.h"
#include "link/logger_replies.h"
#include "link/logger_reply_view.h"
#include "link/logger_status.h"
#include "link/satellite_table.h"
#include "link/sentence_dispatch.h"
#include "link/sentence_framer.h"
#include "link/sentence_memo.h"
#include "logger/log_download.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace {
constexpr std::uint32_t kMemorySize = 0x200000;

class LiveHandlers : public SentenceHandlers {
public:
    explicit LiveHandlers(DeviceLinkState& link) : link_(link), download_(link, ScratchPath("data.bin"), {})
    {
        replies_.attachDownload(&download_);
    }

    void startDownload()
    {
        link_.MemorySize = kMemorySize;
        link_.DownloadEnd = kMemorySize;
        link_.DownloadEndKnown = true;
        download_.start();
    }

    void onGga(const IncomingSentence& sentence) override { ParseGga(sentence, fix_); }
    void onGll(const IncomingSentence& sentence) override { ParseGll(sentence, fix_); }
    void onGsa(const IncomingSentence& sentence) override { ParseGsa(sentence, fix_, satellites_, link_); }
    void onGsv(const IncomingSentence& sentence) override { ParseGsv(sentence, satellites_); }
    void onRmc(const IncomingSentence& sentence) override { ParseRmc(sentence, fix_); }
    void onVtg(const IncomingSentence& sentence) override { ParseVtg(sentence, fix_); }
    void HandleAck(const IncomingSentence& sentence) override { replies_.HandleAck(sentence); }
    void HandleLoggerReply(const IncomingSentence& sentence) override { replies_.HandleLoggerReply(sentence); }
    void HandleNmeaPeriods(const IncomingSentence& sentence) override { replies_.HandleNmeaPeriods(sentence); }
    void handleModelReply(const IncomingSentence& sentence) override { replies_.handleModelReply(sentence); }
    void RefreshLiveView(const IncomingSentence& sentence) override
    {
        UpdateLiveView(sentence.SentenceText, memo_, fix_, link_.TtffCount, satellites_);
    }

    void checkState() const
    {
        FUZZ_CHECK(link_.HexBuffer.size() <= DeviceLinkState::kHexBufferCapacity);
        FUZZ_CHECK(link_.DownloadAddress <= kMemorySize);
        FUZZ_CHECK(link_.TtffCount <= kTtffLimit);
        FUZZ_CHECK(memo_.text().size() <= SentenceMemo::kMaxCharacters + SentenceFramer::kMaxSentenceLength);
    }

private:
    DeviceLinkState& link_;
    LoggerStatus status_;
    HeadlessReplyView view_;
    LoggerReplies replies_{link_, status_, view_};
    LogDownload download_;
    LiveFix fix_;
    SatelliteTable satellites_;
    SentenceMemo memo_;
};

void CheckSentence(std::string_view sentence)
{
    FUZZ_CHECK(sentence.size() >= 3 && sentence.size() <= SentenceFramer::kMaxSentenceLength);
    FUZZ_CHECK(sentence.front() == '$' && sentence.ends_with("\r\n"));
    FUZZ_CHECK(sentence.find('\0') == std::string_view::npos);
}

// Whatever came before, a line end then a good sentence gets that sentence through:
// no noise or torn rest can cost the logger's next reply.
void CheckRecovery(SentenceFramer& framer)
{
    const std::string good = "$PMTK001,182,7,3*20\r\n";
    framer.append("\r\n" + good);
    std::optional<std::string> last;
    while (auto sentence = framer.next())
        last = std::move(sentence);
    FUZZ_CHECK(last == good);
}

// What the receive thread does with one framed sentence.
void HandOver(std::string text, DeviceLinkState& link, SentenceHandlers& handlers)
{
    IncomingSentence sentence;
    sentence.SentenceText = std::move(text);
    if (link.Downloading) {
        SplitFields(sentence);
        HandleMtkSentence(sentence, handlers);
    } else {
        DispatchSentence(sentence, handlers);
    }
}
} // namespace

int FuzzReceive(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    DeviceLinkState link;
    // A download reserves 128 KiB for hex text, which the sanitizer would map
    // and unmap for every input: lend it the same buffer, emptied, each time.
    static std::string hexBuffer;
    hexBuffer.clear();
    link.HexBuffer.swap(hexBuffer);
    LiveHandlers handlers(link);
    if (data[0] & 1)
        handlers.startDownload();
    const std::size_t readSize = 1 + (data[0] >> 1) * 64;
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    SentenceFramer framer;
    for (std::size_t at = 0; at < line.size(); at += readSize) {
        framer.append(line.substr(at, readSize));
        FUZZ_CHECK(framer.incompleteRestSize() <= SentenceFramer::kMaxIncompleteRest);
        while (auto sentence = framer.next()) {
            CheckSentence(*sentence);
            HandOver(std::move(*sentence), link, handlers);
            handlers.checkState();
        }
    }
    CheckRecovery(framer);
    hexBuffer.swap(link.HexBuffer);
    return 0;
}
