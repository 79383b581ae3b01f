#pragma once
// What every test shares: records that QCOMPARE can print, a control looked up by its
// designer name that fails the test when the name is wrong, and the check after each test
// that no scripted question was left over.

#include "datafiles/dictionary_record.h"
#include "platform/scripted_dialogs.h"

#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <type_traits>

namespace QTest {
template <> inline char* toString(const datafiles::DictionaryRecord& r) {
    QString text = QStringLiteral("{");
    for (int i = 0; i < datafiles::DictionaryRecord::kFieldCount; ++i)
        text += (i ? QStringLiteral(", \"") : QStringLiteral("\"")) +
                QString::fromLatin1(r.field(i)) + QStringLiteral("\"");
    return qstrdup(qPrintable(text + QStringLiteral("}")));
}
} // namespace QTest

// The control called `name` in `window`. A name that is not there fails the test, and a
// stand-in is returned so that the test ends on that failure instead of a crash.
template <typename T> T* findControl(const QWidget* window, const char* name) {
    if (T* found = window->findChild<T*>(QLatin1String(name)))
        return found;
    QTest::qFail(qPrintable(QStringLiteral("no control called %1").arg(QLatin1String(name))),
                 __FILE__, __LINE__);
    // It lives to the end: the failed test may still touch it.
    if constexpr (std::is_abstract_v<T>) {
        static T* standIn = new QPushButton; // the abstract button of the tests
        return standIn;
    } else {
        static T* standIn = new T;
        return standIn;
    }
}

// For each window test's cleanup(): every scripted question was asked, and no other.
inline void checkNoQuestionLeftOver() {
    QCOMPARE(platform::ScriptedDialogs::takeLeftOverProblems(), QStringList());
}
