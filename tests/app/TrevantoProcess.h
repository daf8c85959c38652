#pragma once
// Runs trevanto as a user runs it: the executable in a work folder of the test's own, its
// output and its exit status.

#include <gtest/gtest.h>

#include <QProcess>

#include "support/TestEnvironment.h"

namespace test {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

class TrevantoProcessTest : public testing::Test {
  protected:
    void SetUp() override { home_ = test::NewFolder(QStringLiteral("cli")); }

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TREVANTO_HOME"), home_);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_ + QStringLiteral("/config"));
        return env;
    }
    // Runs trevanto in the test's own work folder, from inside that folder.
    Outcome Trevanto(const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(Environment());
        process.setWorkingDirectory(home_);
        process.start(QStringLiteral(TREVANTO_EXE), arguments);
        if (!process.waitForFinished(60000)) return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QString File(const QString& name, const QByteArray& bytes) {
        const QString path = home_ + u'/' + name;
        test::WriteBytes(path, bytes);
        return path;
    }

    QString home_;
};

// Arguments written as one line, split at blanks: a name with blanks is passed on its own.
inline QStringList Args(const char* line) {
    return QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
}

}  // namespace test
