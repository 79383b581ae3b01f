#include "error_text.h"

#include "datafiles/file_io.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

struct ErrorText {
    Q_DECLARE_TR_FUNCTIONS(platform::ErrorText)
};

} // namespace

QString errorText(int error) {
    switch (error) {
    case 0:
        return ErrorText::tr("no error");
    case datafiles::kErrorNotRegularFile:
        return ErrorText::tr("it is not an ordinary file (a device, a pipe or a socket)");
    case datafiles::kErrorChangedMeanwhile:
        return ErrorText::tr("another program changed it meanwhile");
    case datafiles::kErrorSymbolicLink:
    case ELOOP:
        return ErrorText::tr("it is a symbolic link");
    case datafiles::kErrorHardLink:
        return ErrorText::tr("it is a hard link: the same file has another name too");
    case datafiles::kErrorJournalDamaged:
        return ErrorText::tr("it is damaged");
    case datafiles::kErrorSavedAsUtf8:
        return ErrorText::tr("it was saved as UTF-8 (it begins with a byte-order mark), and the "
                             "dictionary files keep one byte a letter: code page 1252, and "
                             "TIS-620 for the Thai script");
    case datafiles::kErrorRecordTooLong:
        return ErrorText::tr("it holds a record longer than 4 MiB");
    case ENOENT:
        return ErrorText::tr("the file or a folder of its path does not exist");
    case ENOTDIR:
        return ErrorText::tr("a part of the path is a file, not a folder");
    case EISDIR:
        return ErrorText::tr("it is a folder, not a file");
    case EACCES:
    case EPERM:
        return ErrorText::tr("permission denied");
    case ENOSPC:
        return ErrorText::tr("the disk is full");
    case EDQUOT:
        return ErrorText::tr("the disk quota is used up");
    case EFBIG:
        return ErrorText::tr("the file is too large");
    case EROFS:
        return ErrorText::tr("the disk is read-only");
    case EIO:
        return ErrorText::tr("input/output error");
    case EWOULDBLOCK:
        return ErrorText::tr("it is in use by another program");
    case ENOMEM:
        return ErrorText::tr("there is not enough memory to read it");
    }
    // The C library's own text, in the language of the locale the application set.
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace platform
