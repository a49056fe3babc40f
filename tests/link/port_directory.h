// A temporary port directory in $DROVIK_PORTS for one test, removed after it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

class PortDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* previous = std::getenv("DROVIK_PORTS"))
            previous_ = previous;
        std::string pattern = (std::filesystem::temp_directory_path() / "drovik-ports-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
        setenv("DROVIK_PORTS", directory_.c_str(), 1);
    }

    void TearDown() override
    {
        std::filesystem::remove_all(directory_);
        if (previous_)
            setenv("DROVIK_PORTS", previous_->c_str(), 1);
        else
            unsetenv("DROVIK_PORTS");
    }

    // Makes `portName` a link to `target`, which need not exist.
    std::string link(const std::string& portName, const std::string& target)
    {
        const auto entry = directory_ / portName;
        std::filesystem::create_symlink(target, entry);
        return entry.string();
    }

    std::filesystem::path directory_;

private:
    std::optional<std::string> previous_;
};
