#pragma once
// The reason of a failed file operation (an errno value or one of file_io.h's own codes) in
// the user's language: datafiles' describeError() tells the same in English for the programs
// without Qt.

#include <QString>

namespace platform {

QString errorText(int error);

} // namespace platform
