#include "TestSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QUuid>
#include <map>
#include <string>

namespace mox::test {

namespace {
std::map<std::string, ChildRole>& Roles() {
    static std::map<std::string, ChildRole> roles;
    return roles;
}
} // namespace

ChildRoleRegistration::ChildRoleRegistration(const char* name, ChildRole role) {
    Roles()[name] = std::move(role);
}

bool RunChildRole(int argc, char** argv, int& rc) {
    if (argc < 3 || std::string(argv[1]) != "--child-role") return false;
    auto it = Roles().find(argv[2]);
    if (it == Roles().end()) {
        rc = 127;
        return true;
    }
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args;
    for (int i = 3; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    rc = it->second(args);
    return true;
}

int RunChild(const QString& role, const QStringList& args, const QStringList& env, QString* output,
             int timeoutMs) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& pair : env) {
        const int eq = pair.indexOf('=');
        environment.insert(pair.left(eq), pair.mid(eq + 1));
    }
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QCoreApplication::applicationFilePath(), QStringList{"--child-role", role} + args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        if (output) *output = QString::fromLocal8Bit(process.readAll());
        return -1;
    }
    if (output) *output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
}

ScratchDir::ScratchDir() {
    path_ = QDir::tempPath() + "/mox-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QDir().mkpath(path_);
}

ScratchDir::~ScratchDir() { QDir(path_).removeRecursively(); }

} // namespace mox::test
