// Inputs the fuzz targets found faults with, kept as regression cases.
#include <gtest/gtest.h>

#include "grabcore/core/vcompress_file.h"

using Bytes = std::vector<uint8_t>;

// A name flag with an empty name and a state: the writer drops the flag (and so the state on
// the next read); the reader takes it as no compressor at once, so both agree.
TEST(FuzzFindings, VCompressProfileWithAnEmptyNameIsNoCompressor) {
  const Bytes found = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x3f, 0xff, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  const std::optional<VCompressProfile> read = decodeVCompressFile(found);
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, VCompressProfile{});
  EXPECT_EQ(decodeVCompressFile(encodeVCompressFile(*read)), read);
}
