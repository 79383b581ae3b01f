#include "word_import.h"

#include <QCoreApplication>

namespace ripasso {

ImportReport importWords(const std::filesystem::path&, const std::filesystem::path&,
                         const vocaboro::TypedPath&, const ImportOptions&, const RefusedRow&,
                         const datafiles::FileAccess&) {
    ImportReport report;
    report.error = QStringLiteral("not built yet");
    return report;
}

QString importSummary(const ImportReport& report) {
    return QCoreApplication::translate("ripasso::ImportText",
                                       "%1 added, %2 already there, %3 refused")
        .arg(report.added)
        .arg(report.already)
        .arg(report.refused);
}

} // namespace ripasso
