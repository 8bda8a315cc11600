#include "platform/SystemError.h"

#include <cerrno>

namespace dz {

int mapErrno(int errnoValue, FileOperation operation, bool parentMissing) {
    switch (errnoValue) {
    case ENOENT:
        return parentMissing ? syserr::kPathNotFound : syserr::kFileNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:  // a folder opened as a file is refused the way a locked file is
        return syserr::kAccessDenied;
    case EEXIST:
        // A copy that must not replace reports the file; a folder or a move the name.
        return (operation == FileOperation::Copy || operation == FileOperation::Open)
                   ? syserr::kFileExists
                   : syserr::kAlreadyExists;
    case ENOSPC:
    case EDQUOT:
        return syserr::kHandleDiskFull;
    case ENAMETOOLONG:
        return syserr::kFilenameTooLong;
    case ENOTDIR:
        return syserr::kDirectory;
    case EROFS:
        return syserr::kWriteProtect;
    case EBUSY:
    case ETXTBSY:
        return syserr::kSharingViolation;
    case EIO: {
        const bool reading = operation == FileOperation::Read || operation == FileOperation::Open ||
                             operation == FileOperation::List;
        return reading ? syserr::kReadFault : syserr::kWriteFault;
    }
    case EXDEV:
        return syserr::kNotSameDevice;
    case ENOMEM:
        return syserr::kNotEnoughMemory;
    default:
        return syserr::kGeneric;
    }
}

}  // namespace dz
