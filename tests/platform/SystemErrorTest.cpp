#include "platform/SystemError.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace dz {
namespace {

struct ErrnoCase {
    int errnoValue;
    FileOperation operation;
    bool parentMissing;
    int expected;
};

class MapErrnoTest : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(MapErrnoTest, GivesTheProgramsNumber) {
    const ErrnoCase& c = GetParam();
    EXPECT_EQ(mapErrno(c.errnoValue, c.operation, c.parentMissing), c.expected)
        << "errno " << c.errnoValue;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, MapErrnoTest,
    ::testing::Values(ErrnoCase{ENOENT, FileOperation::Open, false, 2},
                      ErrnoCase{ENOENT, FileOperation::Open, true, 3},
                      ErrnoCase{EACCES, FileOperation::Copy, false, 5},
                      ErrnoCase{EPERM, FileOperation::Move, false, 5},
                      ErrnoCase{EEXIST, FileOperation::Copy, false, 80},
                      ErrnoCase{EEXIST, FileOperation::Move, false, 183},
                      ErrnoCase{EEXIST, FileOperation::CreateDirectory, false, 183},
                      ErrnoCase{ENOENT, FileOperation::Remove, true, 3},
                      ErrnoCase{EISDIR, FileOperation::Remove, false, 5},
                      ErrnoCase{ENOSPC, FileOperation::Write, false, 39},
                      ErrnoCase{EIO, FileOperation::Write, false, 29},
                      ErrnoCase{EIO, FileOperation::Remove, false, 29},
                      ErrnoCase{ENOSPC, FileOperation::Copy, false, 39},
                      ErrnoCase{ENAMETOOLONG, FileOperation::Open, false, 206},
                      ErrnoCase{ENOTDIR, FileOperation::List, false, 267},
                      ErrnoCase{EROFS, FileOperation::CreateDirectory, false, 19},
                      ErrnoCase{EBUSY, FileOperation::Move, false, 32},
                      ErrnoCase{EIO, FileOperation::Copy, false, 29},
                      ErrnoCase{EIO, FileOperation::Read, false, 30},
                      ErrnoCase{EXDEV, FileOperation::Move, false, 17},
                      ErrnoCase{ENOMEM, FileOperation::Read, false, 8},
                      ErrnoCase{EISDIR, FileOperation::Open, false, 5},
                      ErrnoCase{EINVAL, FileOperation::Other, false, 31},
                      ErrnoCase{0, FileOperation::Other, false, 31}));

}  // namespace
}  // namespace dz
