// A program outside the project that uses the installed library.
#include <lib/moxConsts.h>
#include <vcl/Classes.h>

#include <cstdio>

int main() {
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    child->SetName("Child");
    if (owner.FindComponent("child") != child) return 1;
    std::printf("%s\n", SCannotCreateIniFile.toUtf8().constData());
    return 0;
}
