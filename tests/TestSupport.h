#pragma once
// Helpers shared by the test suites: roles for child processes and a scratch folder.
#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>

// Lets GoogleTest print QString values in its failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(QChar c, std::ostream* os) {
    *os << '\'' << QString(c).toStdString() << '\'';
}

namespace mox::test {

// A child role is a small program inside the test executable: a test starts the executable again
// with "--child-role NAME args..." to check what survives the end of a process.
using ChildRole = std::function<int(const QStringList& args)>;

struct ChildRoleRegistration {
    ChildRoleRegistration(const char* name, ChildRole role);
};

// Runs the role named on the command line, if any; returns true when one ran (rc is its result).
bool RunChildRole(int argc, char** argv, int& rc);

// Starts this executable in a child role with the given environment additions and waits for it.
// Returns the exit code; output holds what it printed on standard output and error.
int RunChild(const QString& role, const QStringList& args, const QStringList& env = {},
             QString* output = nullptr, int timeoutMs = 60000);

// A fresh folder that is removed when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    QString Path() const { return path_; }
    QString File(const QString& name) const { return path_ + "/" + name; }

private:
    QString path_;
};

} // namespace mox::test

#define MOX_CHILD_ROLE_CAT2(a, b) a##b
#define MOX_CHILD_ROLE_CAT(a, b) MOX_CHILD_ROLE_CAT2(a, b)
// Declares a child role: MOX_CHILD_ROLE("write-settings", args) { ...; return 0; }
#define MOX_CHILD_ROLE(name, args)                                                                           \
    static int MOX_CHILD_ROLE_CAT(moxChildRole_, __LINE__)(const QStringList& args);                         \
    static ::mox::test::ChildRoleRegistration MOX_CHILD_ROLE_CAT(moxChildRoleReg_, __LINE__)(                \
        name, MOX_CHILD_ROLE_CAT(moxChildRole_, __LINE__));                                                  \
    static int MOX_CHILD_ROLE_CAT(moxChildRole_, __LINE__)(const QStringList& args)
