// A test of what file permissions stop, which root passes through, begins
// with NEEDS_FILE_PERMISSIONS() in a suite named *FilePermissions: it skips
// as root, and scripts/test, run as root as in CI, runs such suites again as
// an unprivileged user (scripts/lib/unprivileged.sh). POSIX only.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string_view>

#define NEEDS_FILE_PERMISSIONS()                                                                 \
  ASSERT_TRUE(std::string_view(::testing::UnitTest::GetInstance()->current_test_suite()->name()) \
                  .ends_with("FilePermissions"))                                                 \
      << "only a suite named *FilePermissions runs as an unprivileged user";                     \
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not stop the superuser"
