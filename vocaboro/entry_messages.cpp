#include "entry_messages.h"

namespace vocaboro {

QString writeFailureText(const datafiles::EntryWriteResult& result, const QString& forwardTyped,
                         const QString& reverseTyped, const TypedPath& typed) {
    (void)forwardTyped;
    (void)reverseTyped;
    (void)typed;
    return QString::fromStdString(datafiles::describeError(result.error));
}

QString recoveryText(const datafiles::RecoveryResult& recovery, bool atStart,
                     const TypedPath& typed, const QString& program) {
    (void)recovery;
    (void)atStart;
    (void)typed;
    (void)program;
    return {};
}

QString changeFailureText(const datafiles::EntryEditResult& result, const TypedPath& typed) {
    (void)typed;
    return QString::fromStdString(datafiles::describeError(result.error));
}

} // namespace vocaboro
