// The application and screen objects live exactly as long as the QApplication: made from its
// constructor, freed from its destructor, so that no Qt object of theirs outlives it.
#include <QCoreApplication>

#include "vcl/forms/Application.h"
#include "vcl/forms/Screen.h"

namespace {
void FreeApplicationObjects() {
    delete Screen;
    delete Application;
}

void MakeApplicationObjects() {
    if (!Application) Application = new TApplication(nullptr);
    if (!Screen) Screen = new TScreen(nullptr);
    qAddPostRoutine(FreeApplicationObjects);
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(MakeApplicationObjects)
