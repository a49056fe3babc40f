// A file written whole or not at all. The text goes to a new file beside the
// target, which is flushed to disk and renamed over the target only once every
// byte reached it; a save that fails (full disk, file too large, a folder that
// cannot be written) leaves the old file as it was and its temporary removed.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Writers gather text up to about this size before handing it over.
inline constexpr std::size_t kOutputBlock = 1 << 20;

class OutputFile {
public:
    // Starts the file's replacement. A link is followed, so the file it names
    // is replaced and the link stays. A target that is neither a plain file
    // nor missing (a device, a pipe) cannot be replaced and is written as it
    // stands.
    explicit OutputFile(std::string path);
    // Without close() the target is left as it was.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    void write(std::string_view text);
    // Writes and empties `pending` once it holds a block, so writers can gather
    // text cheaply and still never hold a whole file.
    void writeWhenFull(std::string& pending);
    // Puts the file in place; true when the file was open and every byte
    // written reached it.
    bool close();
    // What went wrong, as "NAME: the system's reason"; empty while nothing did.
    const std::string& failure() const { return failure_; }

private:
    void fail(const std::string& reason);
    void discardTemporary();

    std::string path_;      // as the caller named it, for the failure text
    std::string target_;    // the file that gets replaced, links followed
    std::string temporary_; // empty when writing the target as it stands
    std::FILE* file_ = nullptr;
    std::string failure_;
};

// Files of one save that replace their targets together. An OutputFile made
// while a batch is open on its thread is written and flushed as usual, but its
// close() hands the finished temporary to the batch instead of renaming it;
// commit() then renames them all. A batch ended without commit() removes the
// temporaries, so a save of several files that fails half-way leaves every
// target as it was. A target that cannot be replaced (a device, a pipe) is
// written at once, batch or not.
class OutputBatch {
public:
    OutputBatch();
    ~OutputBatch();
    OutputBatch(const OutputBatch&) = delete;
    OutputBatch& operator=(const OutputBatch&) = delete;

    // Puts the files in place in the order they were closed, up to the first
    // rename that fails; true when every one is in place.
    bool commit();
    // The names of the files commit() put in place, as their writers named them.
    const std::vector<std::string>& placed() const { return placed_; }
    // The rename that failed, as "NAME: the system's reason"; empty while none did.
    const std::string& failure() const { return failure_; }

private:
    friend class OutputFile;
    struct Finished {
        std::string path;
        std::string temporary;
        std::string target;
    };
    void discardFinished();

    OutputBatch* outer_; // the batch this one is nested in, if any
    std::vector<Finished> finished_;
    std::vector<std::string> placed_;
    std::string failure_;
};

// Flushes the stream and asks the system to put its bytes on the disk, so
// they survive a crash or a power cut.
bool FlushToDisk(std::FILE* file);
