#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <mutex>

// Points every program folder at a fresh temporary folder and captures the log.
// Create one per test case (or per test class) before touching any singleton.
class TestEnvironment
{
public:
    explicit TestEnvironment(const QString& gameCode = QStringLiteral("zorn"));
    ~TestEnvironment();

    QString SpringDataDir() const { return m_dir.path(); }
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }

    // Every log line written since construction (or the last ClearLog). Workers log too, so the
    // lines are kept under a lock.
    QStringList LogLines() const;
    bool LogContains(const QString& text) const;
    void ClearLog();

    // True when the test must fail (not skip) because a required tool is missing.
    static bool IsCi();
    // Sanitizer builds run several times slower: a bound on how long something may take is
    // multiplied by this (1 in other builds).
    static int SlowdownFactor();

private:
    QTemporaryDir m_dir;
    mutable std::mutex m_logMutex;
    QStringList m_log;
};

// QSKIP outside CI, QFAIL in CI, when `condition` is false.
#define QM_REQUIRE(condition, what)                                                                          \
    do                                                                                                       \
    {                                                                                                        \
        if (!(condition))                                                                                    \
        {                                                                                                    \
            if (TestEnvironment::IsCi())                                                                     \
                QFAIL(qPrintable(QStringLiteral("required in CI: ") + (what)));                              \
            QSKIP(qPrintable(QStringLiteral("not available: ") + (what)));                                   \
        }                                                                                                    \
    } while (0)
