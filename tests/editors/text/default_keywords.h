#pragma once

#include "editors/text/keyword_file.h"

#include <gtest/gtest.h>

// The keyword file the build installs.
namespace kq::testing {

inline KeywordFile DefaultKeywords()
{
    const std::optional<KeywordFile> file = ReadKeywordFile(QStringLiteral(KQ_DATA_DIR "/Data/KQ27.dat"));
    EXPECT_TRUE(file.has_value());
    return file.value_or(KeywordFile{});
}

}  // namespace kq::testing
