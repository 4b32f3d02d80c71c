#pragma once
// The Qt tests of an area are one program: each test class registers itself
// with DRALUN_QTEST(Class) at the end of its file (where QTEST_MAIN stood),
// and QtTestMain.cpp runs the class named on the command line, or all:
//   gui_forms_tests FormFitTest [QTest options]
//   gui_forms_tests [QTest options]
// A class that makes its application itself (a locale set before it, the
// program's own application class) registers its main instead with
// DRALUN_QTEST_OWN_APP(Class, Main); run with the others it gets a process
// of its own.
#include <QTest>

namespace dralun::test {

using QtTestRun = int (*)(int argc, char** argv);

bool RegisterQtTest(const char* name, QtTestRun run, bool ownApplication);

} // namespace dralun::test

#define DRALUN_QTEST(Class)                                                                                 \
    static const bool dralunQtTestRegistered =                                                              \
        ::dralun::test::RegisterQtTest(                                                                     \
            #Class,                                                                                         \
            [](int argc, char** argv) {                                                                     \
                Class tc;                                                                                   \
                QTEST_SET_MAIN_SOURCE_PATH                                                                  \
                return QTest::qExec(&tc, argc, argv);                                                       \
            },                                                                                              \
            false)

#define DRALUN_QTEST_OWN_APP(Class, Main)                                                                   \
    static const bool dralunQtTestRegistered = ::dralun::test::RegisterQtTest(#Class, Main, true)
