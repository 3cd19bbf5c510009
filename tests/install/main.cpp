// A program outside the project that keeps a setting through the installed library.
#include <lib/moxPropStore.h>
#include <vcl/IniFiles.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const String path = QDir(dir.path()).filePath("consumer.ini");
    {
        TmoxAppIniFile settings(nullptr);
        settings.SetIniFileType(ftIniFile);
        settings.SetIniFileName(path);
        if (!settings.BeginWrite()) return 1;
        settings.IniFile()->WriteInteger("Window", "Left", 42);
        settings.EndWrite();
    }
    TmoxAppIniFile settings(nullptr);
    settings.SetIniFileType(ftMemIniFile);
    settings.SetIniFileName(path);
    if (!settings.BeginRead()) return 2;
    const int left = settings.IniFile()->ReadInteger("Window", "Left", 0);
    settings.EndRead();
    std::printf("Left = %d\n", left);
    return left == 42 ? 0 : 3;
}
