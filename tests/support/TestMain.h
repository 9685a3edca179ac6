// Test entry point: before Qt starts, HOME and XDG_CONFIG_HOME point into a fresh temporary
// folder and shell actions are recorded to a log there, so no test writes outside its folder,
// opens a browser or powers the machine off.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace vctest {

// The temporary home of the running test.
inline QString& home()
{
    static QString h;
    return h;
}

inline QString shellLog()
{
    return home() + QStringLiteral("/shell.log");
}

inline void prepareEnvironment(QTemporaryDir& dir)
{
    home() = dir.path();
    qputenv("HOME", dir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_CACHE_HOME", (dir.path() + QStringLiteral("/cache")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (dir.path() + QStringLiteral("/runtime")).toUtf8());
    QDir(dir.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(dir.path() + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("VC_SHELL_LOG", shellLog().toUtf8());
    qputenv("VC_TEST", "1");
}

} // namespace vctest

#define VC_TEST_MAIN(TestObject)                                                                                       \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        QTemporaryDir vcTestHome;                                                                                      \
        vctest::prepareEnvironment(vcTestHome);                                                                        \
        QApplication app(argc, argv);                                                                                  \
        TestObject tc;                                                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
