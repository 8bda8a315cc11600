#pragma once

namespace dz {

// Error numbers the program's file-error prompts are written for.
namespace syserr {
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kAccessDenied = 5;
inline constexpr int kWriteProtect = 19;
inline constexpr int kReadFault = 30;
inline constexpr int kWriteFault = 29;
inline constexpr int kSharingViolation = 32;
inline constexpr int kHandleDiskFull = 39;
inline constexpr int kFileExists = 80;
inline constexpr int kDiskFull = 112;
inline constexpr int kAlreadyExists = 183;
inline constexpr int kFilenameTooLong = 206;
inline constexpr int kDirectory = 267;
inline constexpr int kNotSameDevice = 17;
inline constexpr int kNotEnoughMemory = 8;
inline constexpr int kGeneric = 31;
}  // namespace syserr

// What kind of operation failed; some errno values mean different things
// for different operations (EEXIST, EIO).
enum class FileOperation { Open, Read, Copy, Move, CreateDirectory, List, Remove, Write, Other };

// Maps an errno value onto the program's error numbers. `parentMissing`
// tells an ENOENT on the file itself from one on a folder above it.
int mapErrno(int errnoValue, FileOperation operation, bool parentMissing = false);

}  // namespace dz
