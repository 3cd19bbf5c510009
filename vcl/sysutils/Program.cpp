// The running program's file name and command line.
#include "vcl/sysutils/Files.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <mutex>

namespace {
std::mutex programMutex;
String& Override() {
    static String name;
    return name;
}

// The command line as the process received it, for use before an application object exists.
QStringList ProcessArguments() {
    QFile file(QStringLiteral("/proc/self/cmdline"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray all = file.readAll();
    QStringList args;
    for (const QByteArray& part : all.split('\0'))
        args << QFile::decodeName(part);
    if (!args.isEmpty() && args.last().isEmpty() && all.endsWith('\0')) args.removeLast();
    return args;
}

QStringList Arguments() {
    return QCoreApplication::instance() ? QCoreApplication::arguments() : ProcessArguments();
}
} // namespace

String ProgramFileName() {
    {
        std::lock_guard lock(programMutex);
        if (!Override().isEmpty()) return Override();
    }
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    const QStringList args = ProcessArguments();
    return args.isEmpty() ? String() : QFileInfo(args.first()).absoluteFilePath();
}

void SetProgramFileName(const String& fileName) {
    std::lock_guard lock(programMutex);
    Override() = fileName;
}

String ParamStr(int index) {
    if (index == 0) return ProgramFileName();
    const QStringList args = Arguments();
    return index > 0 && index < args.size() ? args[index] : String();
}

int ParamCount() {
    return qMax(0, int(Arguments().size()) - 1);
}
